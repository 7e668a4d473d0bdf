#pragma once

#include "sms/SmsBookPort.h"
#include "sms/SmsSending.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

class GateLink;
class TPhoneBookSMSForm;
struct SettingsRecord;

// The window that composes one SMS and sends it to its recipients: the number field (added to the recipient list
// with "Add", or used alone when the list is empty), the text with its segment counter "segments/characters left",
// and the sending with its progress, "Cancel" and "Send again". Each recipient's row shows how its message went.
class TSMSfrWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int SendTickMs = 500;

    // books: where "Book" picks recipients from; without it the button is hidden.
    TSMSfrWindow(const SettingsRecord& settings, GateLink& link, SmsBookPort* books = nullptr,
                 QWidget* parent = nullptr);

    void setRecipient(const QString& name, const QString& number);
    // Adds a row for each number not in the list yet.
    void addRecipients(const QList<SmsBookPort::Number>& numbers);
    // "Book": the recipient picker, open beside the window; its "OK" adds the numbers chosen. Null without books.
    TPhoneBookSMSForm* openBook();
    // A delivery report or the centre's text for the segment with that reference; false when it is not ours.
    bool showForReference(int reference, const QString& text) { return m_sending.showForReference(reference, text); }

    QLineEdit& numberField() { return m_number; }
    QPlainTextEdit& textField() { return m_text; }
    QTableWidget& recipientList() { return m_recipients; }
    QLabel& counter() { return m_counter; }
    QLabel& progress() { return m_progress; }
    QPushButton& addButton() { return m_add; }
    QPushButton& bookButton() { return m_book; }
    QPushButton& sendButton() { return m_send; }
    QPushButton& cancelButton() { return m_cancel; }
    QPushButton& sendAgainButton() { return m_sendAgain; }
    QTimer& sendTimer() { return m_sendTimer; }
    const SmsSending& sending() const { return m_sending; }

private:
    void numberEdited();
    void addRecipient();
    void addRow(const QString& name, const QString& number);
    void textEdited();
    void send();
    void showSending();
    QList<SmsSending::Recipient> chosenRecipients() const;

    const SettingsRecord& m_settings;
    SmsBookPort* m_books;
    QLineEdit m_number;
    QPushButton m_add;
    QPushButton m_book;
    QTableWidget m_recipients;
    QPlainTextEdit m_text;
    QLabel m_counter;
    QLabel m_progress;
    QPushButton m_send;
    QPushButton m_cancel;
    QPushButton m_sendAgain;
    QTimer m_sendTimer;
    SmsSending m_sending;
};
