#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// The telephone window's text line with its hint. A temporary notice ("Dialing the number from keypad", a
// recording notice) shows for a few seconds and then gives way to the text that stood there before it, or to the
// text set while it showed.
class NoticeText final : public QObject {
    Q_OBJECT

public:
    static constexpr int TemporaryMs = 4000;

    explicit NoticeText(QObject* parent = nullptr);

    // A temporary text shows at once and for TemporaryMs from its own start, also when it replaces another one.
    // A lasting text set while a temporary one shows waits until that one expires.
    void show(const QString& text, const QString& hint, bool temporary);

    QString text() const { return m_text; }
    QString hint() const { return m_hint; }
    bool temporaryShowing() const { return m_temporaryShowing; }

    // Ends the temporary notice: the waiting text comes back. What the timer does when it fires.
    void expire();

    const QTimer& timer() const { return m_timer; }

signals:
    // The text line shows something else.
    void changed(const QString& text, const QString& hint);

private:
    void display(const QString& text, const QString& hint);

    QTimer m_timer;
    QString m_text;
    QString m_hint;
    // What shows again when the temporary notice expires.
    QString m_waitingText;
    QString m_waitingHint;
    bool m_temporaryShowing = false;
};
