#include "books/ui/TPhoneBookForm.h"

#include "books/contacts/ContactGroups.h"
#include "books/database/DatabaseLocation.h"
#include "books/database/TdbCore.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

using Lang::_;

namespace {

constexpr int NameTab = 0;
constexpr int NumberTab = 1;

} // namespace

TPhoneBookForm::TPhoneBookForm(TdbCore& books, SettingsRecord& settings, std::function<void()> saveSettings,
                               ContactMessagesPort& messages, Openers openers, QWidget* parent)
    : QMainWindow(parent)
    , m_books(books)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
    , m_messages(messages)
    , m_openers(std::move(openers))
    , m_actions(books, messages)
{
    setObjectName(QStringLiteral("TPhoneBookForm"));
    if (!m_openers.openUrl) {
        m_openers.openUrl = [](const QUrl& url) {
            QDesktopServices::openUrl(url);
        };
    }
    if (m_settings.Ksiazka.TrybGrup != 0) {
        m_names.setGrouped(false);
    }
    buildLayout();
    buildMenus();
    connect(&m_books, &TdbCore::booksChanged, this, &TPhoneBookForm::reload);
    connect(&m_books, &TdbCore::currentBookChanged, this, &TPhoneBookForm::showBookState);
    connect(&m_books, &TdbCore::bookClosing, this, [this](int index) {
        if (index != currentBook()) {
            return;
        }
        // The grids let go of the connection before it is removed, and read the book again once it is back.
        m_nameSearch.reset();
        m_names.setDatabase({});
        m_numbers.setDatabase({});
        QTimer::singleShot(0, this, &TPhoneBookForm::reload);
    });
    restoreGeometry();
    reload();
}

TPhoneBookForm::~TPhoneBookForm()
{
    // The grids and fields go before the tabs: their removal must not search a half-destroyed window.
    for (QObject* source : std::initializer_list<QObject*>{&m_tabs, &m_search, &m_groupSearch}) {
        source->blockSignals(true);
    }
}

void TPhoneBookForm::buildLayout()
{
    for (QTableView* grid : {&m_nameGrid, &m_numberGrid}) {
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        grid->verticalHeader()->hide();
        // Every row the same height: the view need not measure rows it does not show.
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->setAlternatingRowColors(true);
    }
    m_nameGrid.setObjectName(QStringLiteral("NameGrid"));
    m_numberGrid.setObjectName(QStringLiteral("NumberGrid"));
    m_nameGrid.setModel(&m_names);
    m_numberGrid.setModel(&m_numbers);
    m_nameGrid.horizontalHeader()->resizeSection(BookGridModel::NameColumn, 220);
    connect(&m_nameGrid, &QTableView::clicked, this, &TPhoneBookForm::nameGridActivated);
    connect(&m_nameGrid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!m_names.isHeader(index.row())) {
            editCurrent(ContactPage::General);
        }
    });
    connect(&m_numberGrid, &QTableView::doubleClicked, this, [this] { editCurrent(ContactPage::General); });

    m_tabs.setTabPosition(QTabWidget::South);
    m_tabs.addTab(&m_nameGrid, _("Sort by name"));
    m_tabs.addTab(&m_numberGrid, _("Sort by numbers"));
    connect(&m_tabs, &QTabWidget::currentChanged, this, [this] { applySearch(); });

    m_search.setObjectName(QStringLiteral("SearchEdit"));
    m_groupSearch.setObjectName(QStringLiteral("GroupSearchEdit"));
    m_search.setClearButtonEnabled(true);
    m_groupSearch.setClearButtonEnabled(true);
    m_search.installEventFilter(this);
    m_groupSearch.installEventFilter(this);
    connect(&m_search, &QLineEdit::textChanged, this, &TPhoneBookForm::applySearch);
    connect(&m_groupSearch, &QLineEdit::textChanged, this, &TPhoneBookForm::applySearch);
    auto* fields = new QHBoxLayout(&m_searchFields);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(new QLabel(_("Search:")));
    fields->addWidget(&m_search, 2);
    fields->addWidget(new QLabel(_("Search groups")));
    fields->addWidget(&m_groupSearch, 1);

    m_offline.setObjectName(QStringLiteral("OfflinePanel"));
    m_offlineReason.setWordWrap(true);
    m_offlineConfiguration.setText(_("Configuration"));
    m_offlineConfiguration.setVisible(static_cast<bool>(m_openers.configuration));
    connect(&m_offlineConfiguration, &QPushButton::clicked, this, [this] { m_openers.configuration(); });
    auto* offline = new QHBoxLayout(&m_offline);
    offline->setContentsMargins(0, 0, 0, 0);
    offline->addWidget(&m_offlineReason, 1);
    offline->addWidget(&m_offlineConfiguration);

    m_searchArea.addWidget(&m_searchFields);
    m_searchArea.addWidget(&m_offline);
    m_searchArea.setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(&m_tabs, 1);
    layout->addWidget(&m_searchArea);
    setCentralWidget(central);
}

QAction* TPhoneBookForm::addCommand(QMenu& menu, const char* name, const char* text, const QKeySequence& keys,
                                    std::function<void()> run)
{
    auto* action = new QAction(_(text), this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    menu.addAction(action);
    addAction(action);
    m_commands.insert(action->objectName(), action);
    return action;
}

void TPhoneBookForm::buildMenus()
{
    QMenu& file = *menuBar()->addMenu(_("File"));
    QMenu& books = *menuBar()->addMenu(_("Phone books"));
    const auto optional = [this](QMenu& menu, const char* name, const char* text, const QKeySequence& keys,
                                 const std::function<void()>& open) {
        QAction* item = addCommand(menu, name, text, keys, [open] {
            if (open) {
                open();
            }
        });
        item->setVisible(static_cast<bool>(open));
        return item;
    };
    addCommand(file, "Call", QT_TR_NOOP("Call"), QKeySequence(Qt::Key_Return), [this] { callCurrent(); });
    optional(file, "SendSMS", QT_TR_NOOP("Send SMS"), {},
             m_openers.sendSms ? std::function<void()>([this] {
                 if (const std::optional<Contact> contact = currentContact()) {
                     m_openers.sendSms(BookActions::defaultNumber(*contact));
                 }
             })
                               : std::function<void()>());
    file.addSeparator();
    addCommand(file, "New", QT_TR_NOOP("New"), QKeySequence(Qt::Key_Insert), [this] { newContact(); });
    addCommand(file, "Edit", QT_TR_NOOP("Edit"), QKeySequence(Qt::ALT | Qt::Key_E),
               [this] { editCurrent(ContactPage::General); });
    addCommand(file, "Notes", QT_TR_NOOP("Notes"), QKeySequence(Qt::ALT | Qt::Key_N),
               [this] { editCurrent(ContactPage::Notes); });
    addCommand(file, "AutoRinging", QT_TR_NOOP("Automatically ringing service"), QKeySequence(Qt::ALT | Qt::Key_X),
               [this] { editCurrent(ContactPage::Ringing); });
    addCommand(file, "Delete", QT_TR_NOOP("Delete"), QKeySequence(Qt::Key_Delete), [this] { deleteCurrent(); });
    addCommand(file, "DeleteAll", QT_TR_NOOP("Delete all"), QKeySequence(Qt::ALT | Qt::Key_Delete),
               [this] { m_actions.deleteAll(); });
    addCommand(file, "SendEmail", QT_TR_NOOP("Send email"), {}, [this] {
        const std::optional<Contact> contact = currentContact();
        if (contact && !contact->email.isEmpty()) {
            m_openers.openUrl(QUrl(QStringLiteral("mailto:") + contact->email));
        }
    });
    file.addSeparator();
    optional(file, "Import", QT_TR_NOOP("Import..."), {}, m_openers.importBook);
    optional(file, "Export", QT_TR_NOOP("Export..."), {}, m_openers.exportBook);
    optional(file, "Configuration", QT_TR_NOOP("Configuration"), QKeySequence(Qt::ALT | Qt::Key_C),
             m_openers.configuration);
    file.addSeparator();
    addCommand(file, "Close", QT_TR_NOOP("Close"), QKeySequence(Qt::Key_Escape), [this] { close(); });

    QAction* privateBook = addCommand(books, "Private", QT_TR_NOOP("Private"), QKeySequence(Qt::ALT | Qt::Key_Up),
                                      [this] { m_actions.selectBook(TdbCore::PrivateBook); });
    QAction* publicBook = addCommand(books, "Public", QT_TR_NOOP("Public"), QKeySequence(Qt::ALT | Qt::Key_Down),
                                     [this] { m_actions.selectBook(TdbCore::PublicBook); });
    privateBook->setCheckable(true);
    publicBook->setCheckable(true);
    addCommand(books, "Refresh", QT_TR_NOOP("Refresh books"), QKeySequence(Qt::Key_F5),
               [this] { m_actions.refreshBooks(); });
    books.addSeparator();
    addCommand(books, "CopyBetweenBooks", QT_TR_NOOP("Copy between phone books"), QKeySequence(Qt::ALT | Qt::Key_K),
               [this] {
                   if (const std::optional<Contact> contact = currentContact()) {
                       m_actions.copyToOtherBook(contact->id);
                   }
               });
    m_groupMenu = books.addMenu(_("Move into group"));
    m_groupMenu->setObjectName(QStringLiteral("MoveIntoGroup"));
    connect(m_groupMenu, &QMenu::aboutToShow, this, [this] { fillGroupMenu(*m_groupMenu); });
    optional(books, "ManageGroups", QT_TR_NOOP("Manage groups"), QKeySequence(Qt::ALT | Qt::Key_M),
             m_openers.manageGroups);
    addCommand(books, "ShowGroups", QT_TR_NOOP("Show groups"), {}, [this] { setGrouped(true); });
    addCommand(books, "HideGroups", QT_TR_NOOP("Hide groups"), {}, [this] { setGrouped(false); });
    addCommand(books, "PromoteAll", QT_TR_NOOP("Promote all"), QKeySequence(Qt::CTRL | Qt::Key_Equal),
               [this] { m_names.setAllGroupsOpen(true); });
    addCommand(books, "DemoteAll", QT_TR_NOOP("Demote all"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
               [this] { m_names.setAllGroupsOpen(false); });
    books.addSeparator();
    addCommand(books, "SortByNumbers", QT_TR_NOOP("Sort by numbers"), QKeySequence(Qt::ALT | Qt::Key_Y),
               [this] { switchTab(); });
    optional(books, "SearchOptions", QT_TR_NOOP("Search options"), QKeySequence(Qt::ALT | Qt::Key_O),
             m_openers.searchOptions);

    // The grids' pop-up menus offer the commands on a contact.
    for (const char* name :
         {"Call", "SendSMS", "New", "Edit", "Notes", "AutoRinging", "CopyBetweenBooks", "Delete", "SendEmail"}) {
        if (QAction* item = command(QLatin1String(name)); item != nullptr && item->isVisible()) {
            m_nameGrid.addAction(item);
            m_numberGrid.addAction(item);
        }
    }
    m_nameGrid.addAction(m_groupMenu->menuAction());
}

void TPhoneBookForm::restoreGeometry()
{
    const auto& book = m_settings.Ksiazka;
    resize(book.Szer > 0 ? book.Szer : 720, book.Wys > 0 ? book.Wys : 480);
    if (book.X >= 0 && book.Y >= 0) {
        move(book.X, book.Y);
    }
}

void TPhoneBookForm::closeEvent(QCloseEvent* event)
{
    m_settings.Ksiazka.X = x();
    m_settings.Ksiazka.Y = y();
    m_settings.Ksiazka.Szer = width();
    m_settings.Ksiazka.Wys = height();
    m_saveSettings();
    QMainWindow::closeEvent(event);
}

bool TPhoneBookForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == &m_search || watched == &m_groupSearch) && event->type() == QEvent::KeyPress) {
        // Up and down move in the grid while the user types in a search field.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            callCurrent();
            return true;
        }
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                                                   key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            QTableView& grid = m_tabs.currentIndex() == NumberTab ? m_numberGrid : m_nameGrid;
            QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers());
            QCoreApplication::sendEvent(&grid, &forwarded);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int TPhoneBookForm::currentBook() const
{
    return m_books.currentBookIndex();
}

PhoneBook* TPhoneBookForm::book()
{
    return m_books.book(currentBook());
}

void TPhoneBookForm::showSearching(const QString& text)
{
    if (!text.isEmpty()) {
        m_tabs.setCurrentIndex(NameTab);
        m_search.setText(text);
    }
    show();
    raise();
    activateWindow();
    m_search.setFocus();
    m_search.end(false);
}

void TPhoneBookForm::reload()
{
    PhoneBook* current = book();
    const QSqlDatabase database = current != nullptr ? current->database() : QSqlDatabase();
    const std::optional<Contact> before = currentContact();
    const int beforeRow = m_nameGrid.currentIndex().row();
    m_nameSearch.reset();
    m_names.setDatabase(database);
    m_numbers.setDatabase(database);
    applySearch();
    // The cursor stays on its contact, or on its row when the contact went.
    const int row = before ? m_names.rowOfContact(before->id) : -1;
    if (row >= 0) {
        m_nameGrid.setCurrentIndex(m_names.index(row, 0));
    } else if (beforeRow >= 0 && m_names.rowCount() > 0) {
        m_nameGrid.setCurrentIndex(m_names.index(std::min(beforeRow, m_names.rowCount() - 1), 0));
    }
    showBookState();
}

void TPhoneBookForm::searchOptionsChanged()
{
    m_nameSearch.reset();
    applySearch();
}

void TPhoneBookForm::showBookState()
{
    const int index = currentBook();
    const bool open = m_books.isBookConnected(index);
    setWindowTitle(_("Norvel TelephoneTervo - Phone book") + QStringLiteral(" - ") + m_actions.bookCaption(index));
    if (QAction* item = command(QStringLiteral("Private"))) {
        item->setText(m_actions.bookCaption(TdbCore::PrivateBook));
        item->setChecked(index == TdbCore::PrivateBook);
    }
    if (QAction* item = command(QStringLiteral("Public"))) {
        item->setText(m_actions.bookCaption(TdbCore::PublicBook));
        item->setChecked(index == TdbCore::PublicBook);
    }
    const BookState& state = m_books.bookState(index);
    QString reason = DatabaseLocation::withValue(_("%s cannot be loaded."), state.displayName);
    if (state.hasPendingError()) {
        reason = state.pendingErrorText + u'\n' + reason;
    }
    m_offlineReason.setText(reason);
    m_searchArea.setCurrentWidget(open ? &m_searchFields : &m_offline);
    for (const char* name : {"New", "Edit", "Notes", "AutoRinging", "Delete", "DeleteAll", "CopyBetweenBooks"}) {
        if (QAction* item = command(QLatin1String(name))) {
            item->setEnabled(open);
        }
    }
}

void TPhoneBookForm::applySearch()
{
    const QString text = m_search.text();
    if (m_tabs.currentIndex() == NumberTab) {
        m_numbers.setSearch(m_settings.Ksiazka.FiltrNumerow ? text.trimmed() : QString());
        if (m_numbers.rowCount() > 0) {
            m_numberGrid.setCurrentIndex(m_numbers.index(0, 0));
        }
        return;
    }
    BookGridLayout::Filter filter;
    filter.groupText = m_groupSearch.text().trimmed();
    filter.foldDiacritics = m_settings.Ksiazka.IgnorujPolskieZnaki;
    PhoneBook* current = book();
    if (current != nullptr && m_settings.Ksiazka.FiltrNazw && !text.isEmpty()) {
        if (!m_nameSearch) {
            m_nameSearch =
                std::make_unique<NameSearch>(current->database(), m_settings.Ksiazka.SzukajNazw,
                                             m_settings.Ksiazka.IgnorujPolskieZnaki, Lang::currentLanguage());
        }
        const std::optional<QList<int>> passing = m_nameSearch->matching(text);
        filter.passing = passing ? QSet<int>(passing->cbegin(), passing->cend()) : QSet<int>();
    }
    m_names.setFilter(std::move(filter));
    if (!text.isEmpty()) {
        selectFirstContact();
    }
}

void TPhoneBookForm::selectFirstContact()
{
    for (int row = 0; row < m_names.rowCount(); ++row) {
        if (!m_names.isHeader(row)) {
            m_nameGrid.setCurrentIndex(m_names.index(row, 0));
            m_nameGrid.scrollTo(m_names.index(row, 0));
            return;
        }
    }
}

std::optional<Contact> TPhoneBookForm::currentContact()
{
    if (m_tabs.currentIndex() == NumberTab) {
        const NumberPages::Entry* entry = m_numbers.entry(m_numberGrid.currentIndex().row());
        PhoneBook* current = book();
        return entry != nullptr && current != nullptr ? current->contact(entry->id) : std::nullopt;
    }
    return m_names.contact(m_nameGrid.currentIndex().row());
}

void TPhoneBookForm::callCurrent()
{
    if (!m_openers.call) {
        return;
    }
    if (m_tabs.currentIndex() == NumberTab) {
        // The number under the cursor rather than the contact's default one.
        if (const NumberPages::Entry* entry = m_numbers.entry(m_numberGrid.currentIndex().row())) {
            m_openers.call(entry->number);
        }
        return;
    }
    const QModelIndex index = m_nameGrid.currentIndex();
    if (m_names.isHeader(index.row())) {
        nameGridActivated(m_names.index(index.row(), 0));
        return;
    }
    const std::optional<Contact> contact = m_names.contact(index.row());
    if (!contact) {
        return;
    }
    const QString underCursor =
        index.column() >= BookGridModel::FirstNumberColumn ? m_names.data(index).toString() : QString();
    const QString number = underCursor.isEmpty() ? BookActions::defaultNumber(*contact) : underCursor;
    if (!number.isEmpty()) {
        m_openers.call(number);
    }
}

void TPhoneBookForm::editCurrent(ContactPage page)
{
    const std::optional<Contact> contact = currentContact();
    if (contact && m_openers.edit) {
        m_openers.edit({currentBook(), contact->id, {}, page});
    }
}

void TPhoneBookForm::newContact()
{
    if (m_openers.edit) {
        ContactEditRequest request;
        request.book = currentBook();
        m_openers.edit(request);
    }
}

void TPhoneBookForm::deleteCurrent()
{
    if (const std::optional<Contact> contact = currentContact()) {
        m_actions.deleteContact(contact->id);
    }
}

void TPhoneBookForm::fillGroupMenu(QMenu& menu)
{
    menu.clear();
    PhoneBook* current = book();
    if (current == nullptr) {
        return;
    }
    ContactGroups groups(current->database(), m_messages);
    for (const ContactOrder::Group& group : groups.list().value_or(QList<ContactOrder::Group>())) {
        const int id = group.id;
        menu.addAction(group.name, this, [this, id] {
            if (const std::optional<Contact> contact = currentContact()) {
                m_actions.moveToGroup(contact->id, id);
            }
        });
    }
}

void TPhoneBookForm::nameGridActivated(const QModelIndex& index)
{
    if (m_names.isHeader(index.row())) {
        const int group = m_names.groupOf(index.row());
        m_names.setGroupOpen(group, !m_names.layout().isGroupOpen(group));
        m_nameGrid.setCurrentIndex(m_names.index(m_names.layout().rowOf(group, true), 0));
    }
}

void TPhoneBookForm::switchTab()
{
    const bool toNumbers = m_tabs.currentIndex() == NameTab;
    m_tabs.setCurrentIndex(toNumbers ? NumberTab : NameTab);
    if (QAction* item = command(QStringLiteral("SortByNumbers"))) {
        item->setText(toNumbers ? _("Sort by name") : _("Sort by numbers"));
    }
}

void TPhoneBookForm::setGrouped(bool grouped)
{
    m_settings.Ksiazka.TrybGrup = grouped ? 0 : 1;
    m_names.setGrouped(grouped);
    applySearch();
}
