#pragma once

#include "sms/SmsBookPort.h"
#include "sms/SmsContactPort.h"
#include "sms/SmsSending.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QMenu;

class GateLink;
class TPhoneBookSMSForm;
struct SettingsRecord;

// The window that composes one SMS and sends it to its recipients: the number field (added to the recipient list
// with "Add to list", or used alone when the list is empty or switched off with "List"), the text with its segment
// counter "segments/characters left", and the sending with its progress, "Cancel" and "Send again". Each
// recipient's row shows how its message went. The edit menu deletes in the text or the list, clears the text and
// works the clipboard; the number field's pop-up menu adds the number to a phone book.
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

    // "Add to a phone book" from the number field's pop-up menu; without a port the menu does not offer it.
    void setContactPort(SmsContactPort* contacts) { m_contacts = contacts; }
    // The question of "Delete all"; a message box unless a test answers it.
    void setQuestion(std::function<bool(const QString& text)> ask) { m_ask = std::move(ask); }
    // The number field's pop-up menu: the field's own edit items and "Add to a phone book" with the five kinds.
    std::unique_ptr<QMenu> numberMenu();
    // Adds the typed number to a phone book as the number of that position (1..5); false when it is not valid.
    bool addNumberToBook(int position);
    // "List": the recipient list (on) or the number field's number alone (off).
    void showList(bool shown);
    // "Delete": the selected rows when the list has the focus, otherwise the selection of the field being edited.
    void deleteSelection();
    // "Delete all": every recipient, after the question.
    void deleteAll();
    // "Clear": the message text.
    void clearText();

    QLineEdit& numberField() { return m_number; }
    QPlainTextEdit& textField() { return m_text; }
    QTableWidget& recipientList() { return m_recipients; }
    QLabel& counter() { return m_counter; }
    QLabel& progress() { return m_progress; }
    QPushButton& addButton() { return m_add; }
    QPushButton& bookButton() { return m_book; }
    QPushButton& listButton() { return m_list; }
    QPushButton& sendButton() { return m_send; }
    QPushButton& cancelButton() { return m_cancel; }
    QPushButton& sendAgainButton() { return m_sendAgain; }
    QTimer& sendTimer() { return m_sendTimer; }
    const SmsSending& sending() const { return m_sending; }

private:
    void buildEditMenu(QLayout& layout);
    void showNumberMenu(const QPoint& position);
    QWidget* editedField();
    void numberEdited();
    void addRecipient();
    void addRow(const QString& name, const QString& number);
    void textEdited();
    void send();
    void showSending();
    QList<SmsSending::Recipient> chosenRecipients() const;

    const SettingsRecord& m_settings;
    SmsBookPort* m_books;
    SmsContactPort* m_contacts = nullptr;
    std::function<bool(const QString& text)> m_ask;
    QLineEdit m_number;
    QPushButton m_list;
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
