#include "books/ui/THistoryForm.h"

#include "books/history/HistoryRecordingPlayer.h"
#include "books/ui/HistoryIcons.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

using Lang::_;

namespace {

constexpr int DefaultWidth = 720;
constexpr int DefaultHeight = 420;
constexpr int IconColumnWidth = 22;

QString caption()
{
    return _("Norvel TelephoneTervo - Call history");
}

} // namespace

THistoryForm::THistoryForm(HistoryBrowser& browser, const HistoryRecordingPlayer& player, SettingsRecord& settings,
                           Openers openers, Prompts prompts, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(browser)
    , m_player(player)
    , m_settings(settings)
    , m_openers(std::move(openers))
    , m_prompts(std::move(prompts))
{
    setObjectName(QStringLiteral("THistoryForm"));
    setWindowTitle(caption());
    m_look.setSourceModel(&m_browser.model());
    m_grid.setModel(&m_look);
    m_grid.setObjectName(QStringLiteral("HistoryGrid"));
    m_grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid.setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid.verticalHeader()->hide();
    m_grid.verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grid.setIconSize(QSize(16, 16));
    m_grid.setWordWrap(false);
    m_grid.horizontalHeader()->setStretchLastSection(true);
    m_grid.horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    for (const int column : {HistoryTableModel::BoldColumn, HistoryTableModel::MissedColumn,
                             HistoryTableModel::KindColumn, HistoryTableModel::RecordingColumn}) {
        m_grid.horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        m_grid.setColumnWidth(column, IconColumnWidth);
    }
    m_grid.setColumnWidth(HistoryTableModel::DateColumn, fontMetrics().horizontalAdvance(u"00:00 www, 00 www 0000"_qs));
    m_grid.setColumnWidth(HistoryTableModel::TimeColumn, fontMetrics().horizontalAdvance(u"000:00:000"_qs));
    m_grid.setColumnWidth(HistoryTableModel::NumberColumn, fontMetrics().horizontalAdvance(u"00000000000000"_qs));
    // The header's own font: its title is wider than the numbers below it.
    m_grid.setColumnWidth(HistoryTableModel::ChosenNumberColumn,
                          m_grid.horizontalHeader()->fontMetrics().horizontalAdvance(_("Chosen number") + u"0000"_qs));

    buildPanels();
    buildLegend();
    buildMenu();

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(_("Search by number")));
    bar->addWidget(&m_numberSearch);
    bar->addWidget(new QLabel(_("Search by name")));
    bar->addWidget(&m_nameSearch);
    bar->addStretch();
    bar->addWidget(&m_filterButton);
    bar->addWidget(&m_legendButton);
    m_numberSearch.setObjectName(QStringLiteral("NumberSearch"));
    m_nameSearch.setObjectName(QStringLiteral("NameSearch"));
    m_numberSearch.setClearButtonEnabled(true);
    m_nameSearch.setClearButtonEnabled(true);
    m_searchMessage.setObjectName(QStringLiteral("SearchMessage"));
    m_searchMessage.setStyleSheet(QStringLiteral("color: #c0392b"));
    m_searchMessage.setWordWrap(true);
    m_searchMessage.hide();

    auto* body = new QHBoxLayout;
    body->addWidget(&m_grid, 1);
    body->addWidget(&m_legendPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(&m_searchMessage);
    layout->addWidget(&m_filterPanel);
    layout->addLayout(body, 1);

    connect(&m_numberSearch, &QLineEdit::textEdited, this, &THistoryForm::numberSearched);
    connect(&m_nameSearch, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_browser.setNameSearch(text);
        updateCommands();
    });
    connect(&m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { m_menu.popup(m_grid.viewport()->mapToGlobal(point)); });
    connect(&m_grid, &QAbstractItemView::doubleClicked, this, &THistoryForm::callOrAnswer);
    connect(m_grid.selectionModel(), &QItemSelectionModel::currentRowChanged, this, &THistoryForm::updateCommands);
    connect(&m_look, &QAbstractItemModel::modelReset, this, &THistoryForm::updateCommands);
    connect(m_grid.horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        QMenu columns;
        QAction* number = columns.addAction(_("Number"));
        number->setCheckable(true);
        number->setChecked(m_settings.Historia.ColNrOn);
        connect(number, &QAction::toggled, this, [this](bool on) {
            m_settings.Historia.ColNrOn = on;
            applyColumns();
        });
        columns.exec(m_grid.horizontalHeader()->mapToGlobal(point));
    });

    // Only now that they sit in the window: a panel shown before would have become a window of its own.
    m_filterPanel.setVisible(m_settings.Historia.PanelFiltr);
    m_legendPanel.setVisible(m_settings.Historia.PanelLegendy);
    applyColumns();
    updateCommands();
}

void THistoryForm::buildPanels()
{
    m_filterPanel.setObjectName(QStringLiteral("PanelFiltr"));
    auto* filters = new QHBoxLayout(&m_filterPanel);
    filters->setContentsMargins(0, 0, 0, 0);
    addFilter(filters, HistoryBrowser::Filter::Date, _("Date:"),
              {_("all"), _("today"), _("from yesterday"), _("last week"), _("from two weeks"), _("from last month")});
    addFilter(filters, HistoryBrowser::Filter::Conversation, _("Calls:"),
              {_("all"), _("without recording"), _("with recording"), _("archive records only"), _("only sms")});
    addFilter(filters, HistoryBrowser::Filter::Number, _("Numbers:"), {_("all"), _("extension"), _("external")});
    addFilter(filters, HistoryBrowser::Filter::Kind, _("Type:"),
              {_("all"), _("incoming missed"), _("outgoing missed"), _("incoming"), _("outgoing"), _("sent"),
               _("thrown aside"), _("delivered"), _("not delivered"), _("taken back")});
    filters->addStretch();

    const auto toggle = [this](QToolButton& button, const QString& text, QWidget& panel, bool& shown) {
        button.setText(text);
        button.setCheckable(true);
        button.setChecked(shown);
        connect(&button, &QToolButton::toggled, this, [&panel, &shown](bool on) {
            shown = on;
            panel.setVisible(on);
        });
    };
    m_filterButton.setObjectName(QStringLiteral("FilterButton"));
    m_legendButton.setObjectName(QStringLiteral("LegendButton"));
    toggle(m_filterButton, _("Filter"), m_filterPanel, m_settings.Historia.PanelFiltr);
    toggle(m_legendButton, _("Legend"), m_legendPanel, m_settings.Historia.PanelLegendy);
}

QComboBox* THistoryForm::addFilter(QLayout* layout, HistoryBrowser::Filter filter, const QString& label,
                                   const QStringList& items)
{
    auto* box = new QComboBox(&m_filterPanel);
    box->addItems(items);
    const int chosen = m_browser.filter(filter);
    box->setCurrentIndex(chosen >= 0 && chosen < items.size() ? chosen : 0);
    layout->addWidget(new QLabel(label, &m_filterPanel));
    layout->addWidget(box);
    m_filters[static_cast<std::size_t>(filter)] = box;
    connect(box, &QComboBox::activated, this, [this, filter](int index) {
        m_browser.setFilter(filter, index);
        updateCommands();
    });
    return box;
}

void THistoryForm::buildLegend()
{
    m_legendPanel.setObjectName(QStringLiteral("PanelLegendy"));
    auto* legend = new QGridLayout(&m_legendPanel);
    legend->setContentsMargins(4, 0, 0, 0);
    const auto addLine = [this, legend](const QIcon& icon, const QString& text) {
        const int row = legend->rowCount();
        auto* picture = new QLabel(&m_legendPanel);
        picture->setPixmap(icon.pixmap(16, 16));
        legend->addWidget(picture, row, 0);
        legend->addWidget(new QLabel(text, &m_legendPanel), row, 1);
    };
    for (const int kind : {HistoryKind::IncomingMissed, HistoryKind::OutgoingNotAnswered, HistoryKind::IncomingAnswered,
                           HistoryKind::OutgoingAnswered, HistoryKind::SmsSent, HistoryKind::SmsThrownAside,
                           HistoryKind::SmsDelivered, HistoryKind::SmsNotDelivered, HistoryKind::SmsTakenBack}) {
        addLine(HistoryIcons::kind(kind), HistoryGridLook::kindText(kind));
    }
    addLine(HistoryIcons::archived(false), _("archival record - irremovable record of phone call"));
    addLine(HistoryIcons::archived(true), _("archival sms - irremovable record of sms"));
    addLine(HistoryIcons::recording(), _("saved call"));
    legend->setRowStretch(legend->rowCount(), 1);
}

QAction* THistoryForm::addCommand(QMenu& menu, const char* name, const QString& text, const QKeySequence& shortcut,
                                  std::function<void()> run)
{
    QAction* action = menu.addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    // The window carries the action so that its short-cut works without the menu.
    addAction(action);
    m_actions.insert(QLatin1String(name), action);
    return action;
}

void THistoryForm::buildMenu()
{
    const auto withNumber = [this](const std::function<void(const QString&)>& open) {
        return [this, open] {
            const QString number = currentNumber();
            if (open && !number.isEmpty()) {
                open(number);
            }
        };
    };
    const QKeySequence enter(Qt::Key_Return);
    addCommand(m_menu, "HistoryCall", _("Call"), enter, [this] { callOrAnswer(); });
    addCommand(m_menu, "HistorySendSms", _("Send SMS"), {}, withNumber(m_openers.sendSms));
    addCommand(m_menu, "HistoryViewSms", _("View SMS"), QKeySequence(Qt::CTRL | Qt::Key_V), [this] { viewSms(); });
    addCommand(m_menu, "HistoryAnswer", _("Answer"), enter, [this] { callOrAnswer(); });
    m_menu.addSeparator();
    addCommand(m_menu, "HistoryEditBook", _("Edit a phone book"), QKeySequence(Qt::ALT | Qt::Key_E),
               withNumber(m_openers.editContact));
    QMenu* add = m_menu.addMenu(_("Add to a phone book"));
    add->menuAction()->setObjectName(QStringLiteral("HistoryAddBook"));
    const QString positions[] = {_("Extension"), _("Company"), _("Home"), _("Mobile"), _("Other")};
    for (int position = 1; position <= 5; ++position) {
        const QByteArray name = "HistoryAddBook" + QByteArray::number(position);
        addCommand(*add, name.constData(), positions[position - 1],
                   QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + position)), [this, position] {
                       const QString number = currentNumber();
                       if (m_openers.addToBook && !number.isEmpty()) {
                           m_openers.addToBook(number, position);
                       }
                   });
    }
    addCommand(m_menu, "HistoryNotes", _("Open notes"), QKeySequence(Qt::ALT | Qt::Key_N),
               withNumber(m_openers.openNotes));
    m_menu.addSeparator();
    addCommand(m_menu, "HistoryShowAll", _("Show all calls"), QKeySequence(Qt::ALT | Qt::Key_W), [this] { showAll(); });
    addCommand(m_menu, "HistoryArchive", _("Copy to archive"), QKeySequence(Qt::ALT | Qt::Key_A),
               [this] { archiveMarked(true); });
    addCommand(m_menu, "HistoryUnarchive", _("Delete from archive"), QKeySequence(Qt::ALT | Qt::Key_B),
               [this] { archiveMarked(false); });
    addCommand(m_menu, "HistoryPlay", _("Play in external program"), QKeySequence(Qt::ALT | Qt::Key_Z),
               [this] { playRecording(); });
    addCommand(m_menu, "HistoryClearMarked", _("Clear marked"), QKeySequence(Qt::Key_Delete),
               [this] { clearMarked(); });
    addCommand(m_menu, "HistoryDeleteAll", _("Delete all"), QKeySequence(Qt::ALT | Qt::Key_Delete),
               [this] { deleteAll(); });
    m_menu.addSeparator();
    QMenu* dates = m_menu.addMenu(_("Date format"));
    auto* styles = new QActionGroup(dates);
    const QString styleTexts[] = {_("shortly (01.28 15:33)"), _("with description (15.33 sat, 28 jan)")};
    for (int style = 0; style < 2; ++style) {
        const QByteArray name = "HistoryDateFormat" + QByteArray::number(style);
        QAction* item = addCommand(*dates, name.constData(), styleTexts[style], {},
                                   [this, style] { m_browser.setDateStyle(style); });
        item->setCheckable(true);
        item->setChecked(m_settings.Ogolne.HistData == style);
        styles->addAction(item);
    }
    addCommand(m_menu, "HistoryConfiguration", _("Configuration"), QKeySequence(Qt::ALT | Qt::Key_C), [this] {
        if (m_openers.configuration) {
            m_openers.configuration();
        }
    });
    addCommand(m_menu, "HistoryClose", _("Close"), QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void THistoryForm::updateCommands()
{
    const HistoryEntry* entry = currentEntry();
    const bool isSms = entry != nullptr && HistoryKind::isSms(entry->kind);
    const bool hasNumber = !currentNumber().isEmpty();
    const auto enable = [this](const char* name, bool on) {
        if (QAction* item = action(QLatin1String(name))) {
            item->setEnabled(on);
        }
    };
    // Enter calls back a call and answers an SMS: only one of the two is enabled at a time.
    enable("HistoryCall", hasNumber && !isSms && m_openers.call);
    enable("HistoryAnswer", hasNumber && isSms && m_openers.sendSms);
    enable("HistoryViewSms", entry != nullptr && entry->smsTextId > 0);
    enable("HistorySendSms", hasNumber && m_openers.sendSms);
    enable("HistoryEditBook", hasNumber && m_openers.editContact);
    enable("HistoryNotes", hasNumber && m_openers.openNotes);
    for (int position = 1; position <= 5; ++position) {
        enable(("HistoryAddBook" + QByteArray::number(position)).constData(), hasNumber && m_openers.addToBook);
    }
    enable("HistoryPlay", entry != nullptr && entry->hasRecording);
    enable("HistoryConfiguration", static_cast<bool>(m_openers.configuration));
}

void THistoryForm::applyColumns()
{
    m_grid.setColumnHidden(HistoryTableModel::NumberColumn, !m_settings.Historia.ColNrOn);
}

const HistoryEntry* THistoryForm::currentEntry() const
{
    const QModelIndex current = m_grid.currentIndex();
    const HistoryRow* row = current.isValid() ? m_browser.model().rowAt(current.row()) : nullptr;
    return row != nullptr ? &row->entry : nullptr;
}

QString THistoryForm::currentNumber() const
{
    const HistoryEntry* entry = currentEntry();
    // The word stored for an unknown party is no number to call.
    if (entry == nullptr || entry->number == _("Unknown")) {
        return {};
    }
    return entry->number;
}

QList<int> THistoryForm::markedEntryIds() const
{
    QList<int> ids;
    const QModelIndexList rows = m_grid.selectionModel()->selectedRows();
    for (const QModelIndex& index : rows) {
        if (const HistoryRow* row = m_browser.model().rowAt(index.row())) {
            ids.append(row->entry.id);
        }
    }
    return ids;
}

bool THistoryForm::ask(const QString& question) const
{
    if (m_prompts.ask) {
        return m_prompts.ask(question);
    }
    return QMessageBox::question(const_cast<THistoryForm*>(this), caption(), question) == QMessageBox::Yes;
}

void THistoryForm::inform(const QString& text) const
{
    if (m_prompts.inform) {
        m_prompts.inform(text);
        return;
    }
    QMessageBox::warning(const_cast<THistoryForm*>(this), caption(), text);
}

void THistoryForm::callOrAnswer()
{
    const HistoryEntry* entry = currentEntry();
    const QString number = currentNumber();
    if (entry == nullptr || number.isEmpty()) {
        return;
    }
    const auto& open = HistoryKind::isSms(entry->kind) ? m_openers.sendSms : m_openers.call;
    if (open) {
        open(number);
    }
}

void THistoryForm::viewSms()
{
    const HistoryEntry* entry = currentEntry();
    if (entry == nullptr || entry->smsTextId <= 0) {
        return;
    }
    const HistoryEntry shown = *entry;
    const QString text = m_browser.viewSms(shown);
    if (m_prompts.showSms) {
        m_prompts.showSms(shown.number, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption() + QStringLiteral(" - ") + _("View SMS"), text,
                    QMessageBox::Close, this);
    box.setInformativeText(shown.number);
    box.exec();
}

void THistoryForm::archiveMarked(bool archived)
{
    const QList<int> ids = markedEntryIds();
    if (ids.isEmpty()) {
        return;
    }
    if (!archived && !ask(_("Selected record will be removed from archive"))) {
        return;
    }
    m_browser.setArchived(ids, archived);
}

void THistoryForm::playRecording()
{
    const HistoryEntry* entry = currentEntry();
    if (entry == nullptr || !entry->hasRecording) {
        return;
    }
    const QString failure = m_player.play(*entry);
    if (!failure.isEmpty()) {
        inform(failure);
    }
}

void THistoryForm::clearMarked()
{
    const QList<int> ids = markedEntryIds();
    if (ids.isEmpty()) {
        return;
    }
    if (ask(ids.size() == 1 ? _("Confirm to delete this item") : _("Confirm to delete these items"))) {
        m_browser.deleteEntries(ids);
    }
}

void THistoryForm::deleteAll()
{
    if (ask(_("Remove history content?."))) {
        m_browser.deleteAll();
    }
}

void THistoryForm::showAll()
{
    m_numberSearch.clear();
    m_nameSearch.clear();
    m_searchMessage.hide();
    m_browser.showAll();
    for (QComboBox* box : m_filters) {
        box->setCurrentIndex(0);
    }
    updateCommands();
}

void THistoryForm::numberSearched(const QString& text)
{
    const bool valid = m_browser.setNumberSearch(text);
    m_searchMessage.setText(
        valid ? QString() : _("Entered number is invalid. Phone number can contain only digits and + characters."));
    m_searchMessage.setVisible(!valid);
    updateCommands();
}

void THistoryForm::showHistory()
{
    if (!m_placed) {
        const int height = m_settings.Historia.Wys > 0 ? m_settings.Historia.Wys : DefaultHeight;
        resize(width() > DefaultWidth ? width() : DefaultWidth, height);
        if (m_settings.Historia.X >= 0 && m_settings.Historia.Y >= 0) {
            move(m_settings.Historia.X, m_settings.Historia.Y);
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    m_browser.markAllSeen();
    m_grid.setFocus();
    if (m_browser.model().rowCount() > 0) {
        m_grid.setCurrentIndex(m_look.index(0, HistoryTableModel::DateColumn));
    }
}

void THistoryForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit closed();
}

void THistoryForm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    rememberPlace();
}

void THistoryForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rememberPlace();
}

void THistoryForm::rememberPlace()
{
    // Only what the user did with a shown window: the first placing must not overwrite the settings.
    if (!m_placed || !isVisible()) {
        return;
    }
    m_settings.Historia.X = x();
    m_settings.Historia.Y = y();
    m_settings.Historia.Wys = height();
}
