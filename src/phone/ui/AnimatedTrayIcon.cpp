#include "phone/ui/AnimatedTrayIcon.h"

AnimatedTrayIcon::AnimatedTrayIcon(int frameMs, QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(frameMs);
    connect(&m_timer, &QTimer::timeout, this, &AnimatedTrayIcon::advance);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            emit clicked();
        }
    });
}

void AnimatedTrayIcon::setFrames(const QList<QIcon>& frames)
{
    if (frames.isEmpty()) {
        return;
    }
    m_frames = frames;
    if (frames.size() > 1) {
        m_timer.start();
    } else {
        m_timer.stop();
    }
    showFrame(0);
}

void AnimatedTrayIcon::advance()
{
    if (!m_frames.isEmpty()) {
        showFrame((m_frame + 1) % static_cast<int>(m_frames.size()));
    }
}

void AnimatedTrayIcon::showFrame(int frame)
{
    m_frame = frame;
    m_icon.setIcon(m_frames.at(frame));
    emit frameShown(frame);
}

void AnimatedTrayIcon::setHint(const QString& hint)
{
    m_icon.setToolTip(hint);
}

void AnimatedTrayIcon::setMenu(QMenu* menu)
{
    m_icon.setContextMenu(menu);
}

void AnimatedTrayIcon::setVisible(bool visible)
{
    m_visible = visible;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon.setVisible(visible);
    }
}
