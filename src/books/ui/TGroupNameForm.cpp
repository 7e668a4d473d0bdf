#include "books/ui/TGroupNameForm.h"

#include "books/contacts/ContactGroups.h"
#include "books/contacts/ContactMessagesPort.h"
#include "books/database/TdbCore.h"
#include "settings/Lang.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using Lang::_;

TGroupNameForm::TGroupNameForm(TdbCore& books, ContactMessagesPort& messages, QWidget* parent)
    : QDialog(parent)
    , m_books(books)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("TGroupNameForm"));
    setWindowTitle(_("Edit groups"));
    m_name.setMaxLength(MaxTypedName);
    m_add.setText(_("Add"));
    m_rename.setText(_("Rename"));
    m_remove.setText(_("Remove"));
    m_close.setText(_("Close"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(_("Group name:")), 0, 0);
    layout->addWidget(&m_name, 1, 0);
    layout->addWidget(&m_groups, 2, 0, 4, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {&m_add, &m_rename, &m_remove, &m_close}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons, 1, 1, 5, 1);
    connect(&m_add, &QPushButton::clicked, this, &TGroupNameForm::add);
    connect(&m_rename, &QPushButton::clicked, this, &TGroupNameForm::rename);
    connect(&m_remove, &QPushButton::clicked, this, &TGroupNameForm::remove);
    connect(&m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_groups, &QListWidget::currentTextChanged, &m_name, &QLineEdit::setText);
    refresh();
}

void TGroupNameForm::refresh()
{
    const int chosen = chosenGroup().value_or(-1);
    m_groups.clear();
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    std::optional<QList<ContactOrder::Group>> groups;
    if (book != nullptr) {
        groups = ContactGroups(book->database(), m_messages).list();
    }
    if (!groups) {
        m_messages.warning(_("Norvel TelepfoneTervo"), _("Unable to refresh data!"));
        return;
    }
    for (const ContactOrder::Group& group : *groups) {
        auto* item = new QListWidgetItem(group.name, &m_groups);
        item->setData(Qt::UserRole, group.id);
        if (group.id == chosen) {
            m_groups.setCurrentItem(item);
        }
    }
}

std::optional<int> TGroupNameForm::chosenGroup() const
{
    const QListWidgetItem* item = m_groups.currentItem();
    return item != nullptr ? std::optional<int>(item->data(Qt::UserRole).toInt()) : std::nullopt;
}

void TGroupNameForm::changed()
{
    refresh();
    m_books.requeryBooks();
    emit groupsChanged();
}

void TGroupNameForm::add()
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    if (book != nullptr && ContactGroups(book->database(), m_messages).add(m_name.text())) {
        changed();
    }
}

void TGroupNameForm::rename()
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    const std::optional<int> group = chosenGroup();
    if (book != nullptr && group && ContactGroups(book->database(), m_messages).rename(*group, m_name.text())) {
        changed();
    }
}

void TGroupNameForm::remove()
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    const std::optional<int> group = chosenGroup();
    if (book != nullptr && group && *group != 0 && ContactGroups(book->database(), m_messages).deleteGroup(*group)) {
        changed();
    }
}
