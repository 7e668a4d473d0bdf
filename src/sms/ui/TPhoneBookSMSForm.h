#pragma once

#include "sms/SmsRecipientPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// The recipient picker of the SMS window: the numbers of the private or the public book, narrowed by name, number
// kind and group, moved to the recipient list with ">" and ">>" and back with "<" and "<<". "OK" hands the list
// to the SMS window; "Cancel" forgets it.
class TPhoneBookSMSForm final : public QDialog {
    Q_OBJECT

public:
    explicit TPhoneBookSMSForm(SmsBookPort& books, QWidget* parent = nullptr);

    const QList<SmsBookPort::Number>& chosen() const { return m_picker.chosen(); }

    QComboBox& bookChoice() { return m_book; }
    QLineEdit& searchField() { return m_search; }
    QComboBox& kindChoice() { return m_kind; }
    QCheckBox& groupSwitch() { return m_useGroup; }
    QComboBox& groupChoice() { return m_group; }
    QListWidget& shownList() { return m_shown; }
    QListWidget& recipientList() { return m_recipients; }
    QPushButton& chooseButton() { return m_choose; }
    QPushButton& chooseAllButton() { return m_chooseAll; }
    QPushButton& removeButton() { return m_remove; }
    QPushButton& removeAllButton() { return m_removeAll; }
    QPushButton& okButton() { return m_ok; }
    QPushButton& cancelButton() { return m_cancel; }

private:
    void bookChosen();
    void groupChanged();
    void showLists();
    static QList<int> selectedRows(const QListWidget& list);
    static QString rowText(const SmsBookPort::Number& number);

    SmsRecipientPicker m_picker;
    QComboBox m_book;
    QLineEdit m_search;
    QComboBox m_kind;
    QCheckBox m_useGroup;
    QComboBox m_group;
    QListWidget m_shown;
    QListWidget m_recipients;
    QPushButton m_choose;
    QPushButton m_chooseAll;
    QPushButton m_remove;
    QPushButton m_removeAll;
    QPushButton m_ok;
    QPushButton m_cancel;
};
