#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

// A tray icon that shows one picture or runs through several at a fixed pace. Where the desktop has no tray, it
// keeps its state and shows nothing.
class AnimatedTrayIcon final : public QObject {
    Q_OBJECT

public:
    AnimatedTrayIcon(int frameMs, QObject* parent = nullptr);

    // One frame shows still; several run in turn.
    void setFrames(const QList<QIcon>& frames);
    void setHint(const QString& hint);
    void setMenu(QMenu* menu);
    void setVisible(bool visible);

    bool isVisible() const { return m_visible; }
    QString hint() const { return m_icon.toolTip(); }
    int currentFrame() const { return m_frame; }
    bool isAnimating() const { return m_timer.isActive(); }
    // One step of the animation, as the timer does it.
    void advance();

signals:
    void clicked();
    void frameShown(int frame);

private:
    void showFrame(int frame);

    QSystemTrayIcon m_icon;
    QTimer m_timer;
    QList<QIcon> m_frames;
    int m_frame = 0;
    bool m_visible = false;
};
