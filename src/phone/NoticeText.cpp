#include "phone/NoticeText.h"

NoticeText::NoticeText(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(TemporaryMs);
    // Each notice lasts its full time from its own start, not a coarse approximation of it.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NoticeText::expire);
}

void NoticeText::show(const QString& text, const QString& hint, bool temporary)
{
    if (temporary) {
        if (!m_temporaryShowing) {
            m_waitingText = m_text;
            m_waitingHint = m_hint;
            m_temporaryShowing = true;
        }
        m_timer.start();
        display(text, hint);
    } else if (m_temporaryShowing) {
        m_waitingText = text;
        m_waitingHint = hint;
    } else {
        display(text, hint);
    }
}

void NoticeText::expire()
{
    if (!m_temporaryShowing) {
        return;
    }
    m_timer.stop();
    m_temporaryShowing = false;
    display(m_waitingText, m_waitingHint);
}

void NoticeText::display(const QString& text, const QString& hint)
{
    if (text == m_text && hint == m_hint) {
        return;
    }
    m_text = text;
    m_hint = hint;
    emit changed(m_text, m_hint);
}
