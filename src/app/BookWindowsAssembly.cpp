#include "app/BookWindowsAssembly.h"

#include "app/BookNaming.h"
#include "books/database/TdbCore.h"
#include "phone/EntryText.h"
#include "phone/TelephoneWindowLogic.h"
#include "settings/Const.h"
#include "settings/SettingsRecord.h"

#include <QMessageBox>

namespace {

bool askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QLatin1String(Const::ApplicationTitle), question,
                    QMessageBox::Yes | QMessageBox::No);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

BookWindowsAssembly::BookWindowsAssembly(SettingsRecord& settings, std::function<void()> saveSettings, TdbCore& books,
                                         BookNaming& naming, TelephoneWindowLogic& window, Openers openers,
                                         ContactMessagesPort* messages, std::function<bool(const QString&)> ask)
    : m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
    , m_books(books)
    , m_window(window)
    , m_messages(messages != nullptr ? *messages : m_boxes)
    , m_editors(
          books, settings, [this] { m_saveSettings(); }, m_messages)
    , m_groups(books, m_messages)
    , m_options(settings, [this] { m_saveSettings(); })
    , m_call(window, ask ? std::move(ask) : std::function<bool(const QString&)>(&askYesNo))
    , m_bookWindow(
          books, settings, [this] { m_saveSettings(); }, m_messages,
          TPhoneBookForm::Openers{
              [this](const ContactEditRequest& request) { m_editors.open(request); },
              [this] { showGroups(); },
              [this] { showOptions(); },
              openers.configuration,
              openers.importBook,
              openers.exportBook,
              openers.sendSms,
              [this](const QString& number) { m_call.call(number); },
              {},
          })
    , m_contactWindows(books, naming, m_editors, [this] { showOptions(); })
    , m_callEvents(settings, CallContactEvents::Actions{
                                 [&naming, &books](const QString& number) -> std::optional<CallContactEvents::Known> {
                                     const QString normalised = naming.normaliseNumber(number);
                                     const int id = normalised.isEmpty() ? -1 : books.findContactForNumber(normalised);
                                     PhoneBook* book = id >= 0 ? books.book(books.currentBookIndex()) : nullptr;
                                     const std::optional<Contact> contact =
                                         book != nullptr ? book->contact(id) : std::nullopt;
                                     if (!contact) {
                                         return std::nullopt;
                                     }
                                     return CallContactEvents::Known{contact->otwNot};
                                 },
                                 [this](const QString& number) { m_contactWindows.openNotes(number); },
                                 [this](const QString& number) {
                                     m_contactWindows.addNumber(number, ContactWindows::positionForNew(number));
                                 },
                             })
{
    m_editors.setOpeners({[this] { showGroups(); }, openers.configuration});
    books.setEditionCheck([this](int book) { return m_editors.worksOn(book); });
    QObject::connect(&m_groups, &TGroupNameForm::groupsChanged, &m_groups, [this] { m_editors.reloadGroups(); });
    QObject::connect(&m_options, &TPhoneBookOptionsForm::optionsChanged, &m_bookWindow,
                     &TPhoneBookForm::searchOptionsChanged);
    QObject::connect(&window, &TelephoneWindowLogic::stateApplied, &m_bookWindow,
                     [this](WindowState state) { m_callEvents.stateApplied(state, m_window.callNumber()); });
    window.setNameSearch([this](const QString& name) { m_bookWindow.showSearching(name); });
}

BookWindowsAssembly::~BookWindowsAssembly()
{
    m_window.setNameSearch({});
    m_books.setEditionCheck({});
}

void BookWindowsAssembly::fillMenuOpeners(TMainForm::Openers& openers)
{
    openers.book = [this] {
        m_bookWindow.showSearching();
    };
    openers.notes = [this] {
        const QString number = currentNumber();
        if (!number.isEmpty()) {
            m_contactWindows.openNotes(number);
        }
    };
    openers.searchOptions = [this] {
        showOptions();
    };
    openers.editBook = [this] {
        const QString number = currentNumber();
        if (!number.isEmpty()) {
            m_contactWindows.editNumber(number);
        }
    };
    openers.addToBook = [this](int position) {
        m_contactWindows.addNumber(currentNumber(), position);
    };
}

QString BookWindowsAssembly::currentNumber() const
{
    const QString call = m_window.callNumber();
    return call.isEmpty() ? EntryText::dialDigits(m_window.entryText()) : call;
}

void BookWindowsAssembly::showGroups()
{
    m_groups.refresh();
    m_groups.show();
    m_groups.raise();
    m_groups.activateWindow();
}

void BookWindowsAssembly::showOptions()
{
    m_options.load();
    m_options.show();
    m_options.raise();
    m_options.activateWindow();
}
