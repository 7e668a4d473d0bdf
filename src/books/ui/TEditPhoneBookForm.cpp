#include "books/ui/TEditPhoneBookForm.h"

#include "books/contacts/ContactGroups.h"
#include "books/contacts/ContactMessagesPort.h"
#include "books/contacts/ContactSaver.h"
#include "books/database/BookSchema.h"
#include "books/database/TdbCore.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QCloseEvent>
#include <QDate>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

using Lang::_;

namespace {

const char* const NumberHeadings[] = {QT_TR_NOOP("Extension"), QT_TR_NOOP("Company"), QT_TR_NOOP("Home"),
                                      QT_TR_NOOP("Mobile"), QT_TR_NOOP("Other")};
const char* const ConflictNames[] = {"NameConflictBtn", "Nr1Conflict", "Nr2Conflict",
                                     "Nr3Conflict",     "Nr4Conflict", "Nr5Conflict"};

// The number types as the "Outgoing prefix" choice lists them, by value.
void fillTypes(QComboBox& choice)
{
    choice.addItem(_("Extension"), Contact::TypeExtension);
    choice.addItem(_("Basic"), Contact::TypeBasic);
    choice.addItem(_("Alternative"), Contact::TypeAlternative);
}

// A text field holds NULL for a column that was NULL and is still empty.
QString fieldText(const QLineEdit& field, const QString& before)
{
    return field.text().isEmpty() && before.isNull() ? QString() : field.text();
}

} // namespace

TEditPhoneBookForm::TEditPhoneBookForm(TdbCore& books, const SettingsRecord& settings, ContactMessagesPort& messages,
                                       const ContactEditRequest& request, Openers openers, QWidget* parent)
    : QDialog(parent)
    , m_books(books)
    , m_settings(settings)
    , m_messages(messages)
    , m_openers(std::move(openers))
    , m_book(request.book)
    , m_prefill(request.prefill)
{
    setObjectName(QStringLiteral("TEditPhoneBookForm"));
    m_pages.addTab(buildGeneralPage(), _("General information"));
    m_pages.addTab(buildNotesPage(), _("Text notes"));
    m_pages.addTab(buildRingingPage(), _("Ringing service"));
    m_pages.addTab(buildAudioPage(), _("Audio notes"));

    m_ok.setText(_("&OK"));
    m_cancel.setText(_("&Cancel"));
    m_apply.setText(_("Apply"));
    m_configuration.setText(_("Configuration"));
    m_ok.setDefault(true);
    m_configuration.setVisible(static_cast<bool>(m_openers.configuration));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&m_configuration);
    buttons->addStretch();
    buttons->addWidget(&m_ok);
    buttons->addWidget(&m_cancel);
    buttons->addWidget(&m_apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_pages);
    layout->addLayout(buttons);

    connect(&m_ok, &QPushButton::clicked, this, [this] {
        if (save()) {
            close();
        }
    });
    connect(&m_apply, &QPushButton::clicked, this, &TEditPhoneBookForm::save);
    connect(&m_cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_configuration, &QPushButton::clicked, this, [this] { m_openers.configuration(); });

    if (PhoneBook* phoneBook = m_books.book(m_book); phoneBook != nullptr && request.contactId) {
        m_startedFrom = phoneBook->contact(*request.contactId);
    }
    reloadGroups();
    showContact(m_startedFrom.value_or(m_prefill));
    // A contact's book is where it is stored; only a new one chooses.
    m_bookChoice.setEnabled(!m_startedFrom);
    m_pages.setCurrentIndex(static_cast<int>(request.page));
    updateCaption();
    // Wide enough for the four page tabs side by side.
    resize(std::max(sizeHint().width(), 520), sizeHint().height());
}

TEditPhoneBookForm::~TEditPhoneBookForm() = default;

QWidget* TEditPhoneBookForm::buildGeneralPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    int row = 0;
    m_bookChoice.setObjectName(QStringLiteral("BookChoice"));
    m_bookChoice.addItem(_("Private"), TdbCore::PrivateBook);
    m_bookChoice.addItem(_("Public"), TdbCore::PublicBook);
    connect(&m_bookChoice, &QComboBox::activated, this, [this](int index) {
        m_book = m_bookChoice.itemData(index).toInt();
        reloadGroups();
    });
    grid->addWidget(new QLabel(_("Phone book:")), row, 0);
    grid->addWidget(&m_bookChoice, row++, 1);

    for (std::size_t i = 0; i < m_conflictButtons.size(); ++i) {
        QToolButton& button = m_conflictButtons[i];
        button.setObjectName(QLatin1String(ConflictNames[i]));
        button.setText(QStringLiteral("!"));
        button.setVisible(false);
        button.setPopupMode(QToolButton::InstantPopup);
    }
    m_name.setObjectName(QStringLiteral("NameEdit"));
    m_name.setMaxLength(BookSchema::NameWidth);
    grid->addWidget(new QLabel(_("Name:")), row, 0);
    grid->addWidget(&m_name, row, 1, 1, 2);
    grid->addWidget(&conflictButton(ContactConflict::Field::Name), row++, 3);
    m_description.setMaxLength(BookSchema::DescriptionWidth);
    grid->addWidget(new QLabel(_("Description:")), row, 0);
    grid->addWidget(&m_description, row++, 1, 1, 2);
    m_email.setMaxLength(BookSchema::EmailWidth);
    grid->addWidget(new QLabel(_("Email:")), row, 0);
    grid->addWidget(&m_email, row++, 1, 1, 2);

    grid->addWidget(new QLabel(_("Outgoing prefix")), row++, 2);
    for (int position = 1; position <= Contact::NumberCount; ++position) {
        QLineEdit& number = numberField(position);
        number.setObjectName(QStringLiteral("Nr%1Edit").arg(position));
        number.setMaxLength(BookSchema::NumberWidth);
        fillTypes(typeChoice(position));
        grid->addWidget(new QLabel(_(NumberHeadings[position - 1])), row, 0);
        grid->addWidget(&number, row, 1);
        grid->addWidget(&typeChoice(position), row, 2);
        grid->addWidget(&conflictButton(static_cast<ContactConflict::Field>(position)), row++, 3);
        m_default.addItem(_(NumberHeadings[position - 1]), position - 1);
    }
    grid->addWidget(new QLabel(_("Default number:")), row, 0);
    grid->addWidget(&m_default, row++, 1);
    m_manageGroups.setText(_("Manage groups"));
    m_manageGroups.setVisible(static_cast<bool>(m_openers.manageGroups));
    connect(&m_manageGroups, &QPushButton::clicked, this, [this] { m_openers.manageGroups(); });
    grid->addWidget(new QLabel(_("Group:")), row, 0);
    grid->addWidget(&m_group, row, 1);
    grid->addWidget(&m_manageGroups, row++, 2);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget* TEditPhoneBookForm::buildNotesPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_dateFlag.setText(_("Date flag"));
    m_dateFlag.setToolTip(_("Add a date of new note"));
    connect(&m_dateFlag, &QPushButton::clicked, this, &TEditPhoneBookForm::insertDate);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(_("Notes:")));
    top->addStretch();
    top->addWidget(&m_dateFlag);
    layout->addLayout(top);
    layout->addWidget(&m_notes);
    return page;
}

QWidget* TEditPhoneBookForm::buildRingingPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* box = new QGroupBox(_("Automatically ringing service"));
    auto* choices = new QGridLayout(box);
    const char* const modes[] = {QT_TR_NOOP("Turn off automation"), QT_TR_NOOP("Auto forward to"),
                                 QT_TR_NOOP("Auto reject a call")};
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(_(modes[mode]));
        m_ringing.addButton(radio, mode);
        choices->addWidget(radio, mode, 0);
    }
    m_forwardNumber.setMaxLength(BookSchema::NumberWidth);
    choices->addWidget(&m_forwardNumber, 1, 1);
    layout->addWidget(box);
    m_delay.setText(_("Current delay of auto ring service is %d second(s).")
                        .replace(QLatin1String("%d"), QString::number(m_settings.Ksiazka.AutoDzwonCzas)));
    layout->addWidget(&m_delay);
    m_dontOpenNotes.setText(_("Don't open notes"));
    layout->addWidget(&m_dontOpenNotes);
    layout->addStretch();
    return page;
}

QWidget* TEditPhoneBookForm::buildAudioPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(&m_recordings);
    return page;
}

void TEditPhoneBookForm::reloadGroups()
{
    const int chosen = m_group.currentData().isValid() ? m_group.currentData().toInt() : m_prefill.groupId;
    m_group.clear();
    if (PhoneBook* phoneBook = m_books.book(m_book)) {
        ContactGroups groups(phoneBook->database(), m_messages);
        for (const ContactOrder::Group& group : groups.list().value_or(QList<ContactOrder::Group>())) {
            m_group.addItem(group.name, group.id);
        }
    }
    const int index = m_group.findData(chosen);
    m_group.setCurrentIndex(index >= 0 ? index : m_group.findData(0));
}

void TEditPhoneBookForm::showContact(const Contact& contact)
{
    m_bookChoice.setCurrentIndex(m_bookChoice.findData(m_book));
    m_name.setText(contact.nazwa);
    m_description.setText(contact.opis);
    m_email.setText(contact.email);
    for (int position = 1; position <= Contact::NumberCount; ++position) {
        const auto i = static_cast<std::size_t>(position - 1);
        numberField(position).setText(contact.numbers[i]);
        const int type = typeChoice(position).findData(contact.types[i]);
        typeChoice(position).setCurrentIndex(type >= 0 ? type : 1);
    }
    m_default.setCurrentIndex(contact.defNr ? m_default.findData(*contact.defNr) : -1);
    const int group = m_group.findData(contact.groupId);
    m_group.setCurrentIndex(group >= 0 ? group : m_group.findData(0));
    m_notes.setPlainText(contact.notes);
    if (QAbstractButton* mode = m_ringing.button(contact.fwd)) {
        mode->setChecked(true);
    }
    m_forwardNumber.setText(contact.fwdNr);
    m_dontOpenNotes.setChecked(contact.otwNot);
    m_recordings.clear();
    if (contact.id > 0) {
        for (const HistoryEntry& entry : m_books.historyOfContact(contact.nazwa, HistoryReader::ContactEntries::All)) {
            if (entry.hasRecording) {
                m_recordings.addItem(entry.startDate.toString(Qt::ISODate) + u' ' +
                                     entry.startTime.toString(QStringLiteral("HH:mm:ss")) + u' ' + entry.number);
            }
        }
    }
}

Contact TEditPhoneBookForm::edited() const
{
    const Contact before = m_startedFrom.value_or(m_prefill);
    Contact contact = before;
    contact.nazwa = m_name.text().trimmed();
    contact.opis = fieldText(m_description, before.opis);
    contact.email = fieldText(m_email, before.email);
    for (int position = 1; position <= Contact::NumberCount; ++position) {
        const auto i = static_cast<std::size_t>(position - 1);
        contact.numbers[i] = fieldText(m_numbers[i], before.numbers[i]);
        contact.types[i] = m_types[i].currentData().toInt();
    }
    contact.defNr = m_default.currentIndex() >= 0 ? std::optional<int>(m_default.currentData().toInt()) : std::nullopt;
    contact.groupId = m_group.currentIndex() >= 0 ? m_group.currentData().toInt() : 0;
    const QString notes = m_notes.toPlainText();
    contact.notes = notes.isEmpty() && before.notes.isNull() ? QString() : notes;
    contact.fwd = std::max(0, m_ringing.checkedId());
    contact.fwdNr = fieldText(m_forwardNumber, before.fwdNr);
    contact.otwNot = m_dontOpenNotes.isChecked();
    return contact;
}

std::optional<int> TEditPhoneBookForm::contactId() const
{
    return m_startedFrom ? std::optional<int>(m_startedFrom->id) : std::nullopt;
}

bool TEditPhoneBookForm::save()
{
    if (m_conflict && !m_conflict->resolved()) {
        m_messages.warning(QLatin1String(Const::ApplicationTitle),
                           _("Choose the other user's value or yours beside each field marked with !."));
        return false;
    }
    PhoneBook* phoneBook = m_books.book(m_book);
    if (phoneBook == nullptr) {
        m_messages.warning(QLatin1String(Const::ApplicationTitle),
                           _("%s is unavailable!").replace(QLatin1String("%s"), m_books.bookState(m_book).displayName));
        return false;
    }
    const NumberSettings numbers{m_settings.Sms.SmsKier, m_settings.Sms.SmsAddCountry};
    ContactSaver saver(phoneBook->database(), numbers, m_messages);
    const Contact contact = edited();
    const std::optional<int> id = saver.save(contact, m_startedFrom);
    if (!id) {
        if (saver.lastSaveConflicted()) {
            showConflict(saver.validate(contact).value_or(contact));
        }
        return false;
    }
    m_conflict.reset();
    for (QToolButton& button : m_conflictButtons) {
        button.setVisible(false);
    }
    m_startedFrom = phoneBook->contact(*id);
    if (m_startedFrom) {
        showContact(*m_startedFrom);
    }
    m_bookChoice.setEnabled(false);
    updateCaption();
    m_books.requeryBooks();
    emit saved(m_book, *id);
    return true;
}

void TEditPhoneBookForm::showConflict(const Contact& mine)
{
    PhoneBook* phoneBook = m_books.book(m_book);
    const std::optional<Contact> theirs =
        phoneBook != nullptr && m_startedFrom ? phoneBook->contact(m_startedFrom->id) : std::nullopt;
    if (!theirs) {
        // Removed by the other user: nothing to choose from; the window keeps what was typed.
        return;
    }
    m_conflict = std::make_unique<ContactConflict>(mine, *m_startedFrom, *theirs);
    m_startedFrom = m_conflict->theirs();
    showContact(m_conflict->merged());
    for (const ContactConflict::Difference& difference : m_conflict->differences()) {
        QToolButton& button = conflictButton(difference.field);
        button.setToolTip(_("Other user's value: %s").replace(QLatin1String("%s"), difference.theirs));
        auto* menu = new QMenu(&button);
        const ContactConflict::Field field = difference.field;
        menu->addAction(_("Take theirs"), this, [this, field] { resolve(field, true); });
        menu->addAction(_("Keep mine"), this, [this, field] { resolve(field, false); });
        delete button.menu();
        button.setMenu(menu);
        button.setVisible(true);
    }
}

void TEditPhoneBookForm::resolve(ContactConflict::Field field, bool takeTheirs)
{
    if (!m_conflict) {
        return;
    }
    // What the user typed meanwhile into the other fields stays.
    const Contact typed = edited();
    m_conflict->choose(field, takeTheirs);
    Contact shown = typed;
    ContactConflict::setValue(shown, field, ContactConflict::value(m_conflict->merged(), field));
    showContact(shown);
    conflictButton(field).setVisible(false);
}

void TEditPhoneBookForm::updateCaption()
{
    setWindowTitle(m_startedFrom ? _("Norvel Tervo Telephone - edit existed record")
                                 : _("Norvel Tervo Telephone - edit"));
}

void TEditPhoneBookForm::insertDate()
{
    m_notes.moveCursor(QTextCursor::End);
    if (!m_notes.toPlainText().isEmpty() && !m_notes.toPlainText().endsWith(u'\n')) {
        m_notes.insertPlainText(QStringLiteral("\n"));
    }
    m_notes.insertPlainText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(":\n"));
    m_pages.setCurrentIndex(static_cast<int>(ContactPage::Notes));
    m_notes.setFocus();
}

void TEditPhoneBookForm::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
}
