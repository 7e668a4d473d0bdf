#pragma once

#include "sms/SmsReception.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

// One received message: who sent it (named from the phone books when they know the number), when, the number as
// received and as normalised, and the text. "Reply" hands the number on for a new message and closes the window.
class TReceive final : public QWidget {
    Q_OBJECT

public:
    struct Sender {
        QString name; // empty when the books do not know the number
        QString normalised;
    };

    TReceive(const ReceivedSms& message, const Sender& sender, QWidget* parent = nullptr);

    // The number to answer: the normalised one, or the number as received when that is empty.
    QString replyNumber() const;

    QLabel& from() { return m_from; }
    QPlainTextEdit& text() { return m_text; }
    QPushButton& replyButton() { return m_reply; }
    QPushButton& closeButton() { return m_close; }

signals:
    void replyRequested(const QString& number, const QString& name);

private:
    ReceivedSms m_message;
    Sender m_sender;
    QLabel m_from;
    QLabel m_date;
    QLabel m_received;
    QLabel m_normalised;
    QPlainTextEdit m_text;
    QPushButton m_reply;
    QPushButton m_close;
};
