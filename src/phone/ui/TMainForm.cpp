#include "phone/ui/TMainForm.h"

#include "pbxlink/calls/CallState.h"
#include "pbxlink/ui/ServiceDialogs.h"
#include "phone/CallerNaming.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TrayIconArt.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTime>
#include <algorithm>

namespace {

// The menu items that enable each image button; a button without one is enabled whenever its window exists.
const std::map<SkinButton, MenuItems>& buttonItems()
{
    static const std::map<SkinButton, MenuItems> items = {
        {SkinButton::Park, MenuItem::Park},
        {SkinButton::Flash, MenuItem::Flash},
        {SkinButton::OK, MenuItem::Call | MenuItem::NotAnswer},
        {SkinButton::Redial, MenuItem::Redial},
        // Esc ends ringing and conversations too, whatever the cancel item says; only without a link it rests.
        {SkinButton::Esc, MenuItem::Services},
        {SkinButton::Book, MenuItem::Book},
        {SkinButton::History, MenuItem::History},
        {SkinButton::Notes, MenuItem::Notes},
        {SkinButton::Fwd, MenuItem::Transfer},
        {SkinButton::Minimize, MenuItem::Minimize},
    };
    return items;
}

// The pop-up menu's items that follow the window state, by object name.
const std::vector<std::pair<const char*, MenuItem>>& stateItems()
{
    static const std::vector<std::pair<const char*, MenuItem>> items = {
        {"MenuCall", MenuItem::Call},           {"MenuBook", MenuItem::Book},
        {"MenuEditBook", MenuItem::EditBook},   {"MenuHistory", MenuItem::History},
        {"MenuNotes", MenuItem::Notes},         {"MenuRedial", MenuItem::Redial},
        {"MenuBack", MenuItem::Back},           {"MenuCancel", MenuItem::Cancel},
        {"MenuNotAnswer", MenuItem::NotAnswer}, {"MenuConference", MenuItem::Conference},
        {"MenuPark", MenuItem::Park},           {"MenuMCIDCall", MenuItem::MCIDCall},
        {"MenuTransfer", MenuItem::Transfer},   {"MenuMinimize", MenuItem::Minimize},
        {"MenuAccount", MenuItem::Account},     {"MenuLock", MenuItem::Lock},
        {"MenuUrgent", MenuItem::Urgent},       {"MenuCPickup", MenuItem::CPickup},
        {"MenuFlash", MenuItem::Flash},
    };
    return items;
}

QList<QIcon> trayFrames(TrayIconList list, int index, bool animated)
{
    if (!animated) {
        return {TrayIconArt::icon(list, index)};
    }
    QList<QIcon> frames;
    for (int frame = 0; frame < TrayIconArt::frameCount(list); ++frame) {
        frames.append(TrayIconArt::icon(list, frame));
    }
    return frames;
}

} // namespace

TMainForm::TMainForm(SettingsRecord& settings, std::function<void()> saveSettings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
{
    m_menu.setObjectName(QStringLiteral("MenuPopup"));
    m_trayMenu.setObjectName(QStringLiteral("TrayPopup"));
    m_buttonMenu.setObjectName(QStringLiteral("ButtonMenu"));
    m_tray.setMenu(&m_trayMenu);
    m_tray.setHint(Lang::_("Norvel TelephoneTervo"));
    m_smsTray.setFrames({TrayIconArt::smsIcon(0), TrayIconArt::smsIcon(1)});
    m_callTimerTick.setInterval(CallTimerTickMs);
    m_connectingTimer.setSingleShot(true);
    m_connectingTimer.setInterval(ConnectingMs);
    m_skin.entry().installEventFilter(this);

    // Without a tray the window must stay reachable: it gets a task-bar button and minimises instead of hiding.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        m_skin.setWindowFlag(Qt::Tool, false);
    }
    m_skin.movePositionTo(QPoint(m_settings.Glowne.MaleX, m_settings.Glowne.MaleY));
    connect(&m_skin, &TLittleForm::positionSettled, this, [this](const QPoint& topLeft) {
        m_settings.Glowne.MaleX = topLeft.x();
        m_settings.Glowne.MaleY = topLeft.y();
        m_saveSettings();
    });
    connect(&m_skin, &TLittleForm::closeRequested, this, &TMainForm::minimise);
    connect(&m_tray, &AnimatedTrayIcon::clicked, this, &TMainForm::trayClicked);
    connect(&m_tray, &AnimatedTrayIcon::frameShown, this, [this](int frame) {
        if (m_trayList == TrayIconList::Connecting) {
            m_skin.setConnectingFrame(frame);
        }
    });
    applyOnTop();
}

TMainForm::~TMainForm()
{
    // The skin goes after this object's body: its entry line must not call the filter on a half-destroyed form.
    m_skin.entry().removeEventFilter(this);
    m_tray.setVisible(false);
    m_smsTray.setVisible(false);
}

void TMainForm::attach(TelephoneWindowLogic& window, ServiceDialogs& dialogs, Openers openers, Prompts prompts)
{
    m_window = &window;
    m_openers = std::move(openers);
    m_prompts = std::move(prompts);
    buildMenus(dialogs, m_openers);
    buildTrayMenu(m_openers);
    bindSkinButtons(m_openers);

    connect(&m_skin.entry(), &QLineEdit::textEdited, this,
            [this](const QString& text) { m_window->entryEdited(text); });
    connect(&m_callTimerTick, &QTimer::timeout, this,
            [this] { m_window->tickCallTimer(QTime::currentTime().second()); });
    connect(&m_connectingTimer, &QTimer::timeout, this, [this] { m_window->connectingTimedOut(); });
    connect(&m_skin, &TLittleForm::popupMenuRequested, this, [this](const QPoint& position) {
        fillChoiceMenu();
        m_menu.popup(position);
    });
    connect(&m_skin, &TLittleForm::buttonMenuRequested, this, [this](SkinButton, const QPoint& position) {
        if (!m_buttonMenu.isEmpty()) {
            m_buttonMenu.popup(position);
        }
    });
    m_callTimerTick.start();
    m_tray.setVisible(true);
}

QAction* TMainForm::addAction(QMenu& menu, const char* name, const char* text, const QKeySequence& shortcut,
                              std::function<void()> run)
{
    auto* action = new QAction(Lang::_(text), &menu);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        // The skin takes the short-cuts; the menu only shows them.
        m_skin.addAction(action);
    }
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    menu.addAction(action);
    m_actions.insert(action->objectName(), action);
    return action;
}

QAction* TMainForm::action(const QString& name) const
{
    return m_actions.value(name, nullptr);
}

void TMainForm::buildMenus(ServiceDialogs& dialogs, const Openers& openers)
{
    TelephoneWindowLogic& w = *m_window;
    const auto optional = [this](QMenu& menu, const char* name, const char* text, const QKeySequence& keys,
                                 const std::function<void()>& open) {
        QAction* item = addAction(menu, name, text, keys, [open] {
            if (open) {
                open();
            }
        });
        item->setVisible(static_cast<bool>(open));
        return item;
    };

    addAction(m_menu, "MenuCall", QT_TR_NOOP("Call"), QKeySequence(Qt::Key_Return), [&w] { w.confirm(); });
    optional(m_menu, "MenuSMS", QT_TR_NOOP("Send SMS"), QKeySequence(Qt::CTRL | Qt::Key_S), openers.sms);
    addAction(m_menu, "MenuCancel", QT_TR_NOOP("Cancel"), QKeySequence(Qt::Key_Escape), [&w] { w.cancelCall(); });
    addAction(m_menu, "MenuNotAnswer", QT_TR_NOOP("Do not answer"), {}, [&w] { w.rejectCall(); });

    m_services = m_menu.addMenu(Lang::_("Services"));
    m_services->setObjectName(QStringLiteral("MenuServices"));
    QMenu& services = *m_services;
    addAction(services, "MenuRedial", QT_TR_NOOP("Redial"), QKeySequence(Qt::CTRL | Qt::Key_R),
              [&w] { w.redialNext(); });
    QAction* previous = addAction(services, "Redial_", QT_TR_NOOP("Redial_"), QKeySequence(Qt::CTRL | Qt::Key_Down),
                                  [&w] { w.redialPrevious(); });
    previous->setVisible(false);
    addAction(services, "MenuFlash", QT_TR_NOOP("Flash"),
              QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Slash)),
              [&w] { w.flash(); });
    addAction(services, "MenuPark", QT_TR_NOOP("Park a call [#31]"), QKeySequence(Qt::CTRL | Qt::Key_P),
              [&w] { w.park(); });
    addAction(services, "MenuBack", QT_TR_NOOP("Resume"), {}, [&w] { w.returnToCall(); });
    addAction(services, "MenuShowWaiting", QT_TR_NOOP("Show waiting call"), {}, [&w] { w.showWaiting(); });
    addAction(services, "MenuLock", QT_TR_NOOP("Lock [#21]"), QKeySequence(Qt::CTRL | Qt::Key_L),
              [&dialogs] { dialogs.lockOrUnlock(); });
    addAction(services, "MenuAccount", QT_TR_NOOP("Account [#53]"), QKeySequence(Qt::CTRL | Qt::Key_A), [&w, &dialogs] {
        if (w.accountAllowed()) {
            dialogs.registerAccount();
        }
    });
    addAction(services, "MenuTransfer", QT_TR_NOOP("Call forwarding"), QKeySequence(Qt::CTRL | Qt::Key_F),
              [&dialogs] { dialogs.forwardRingingCall(); });
    addAction(services, "MenuDND", QT_TR_NOOP("Do not disturb [#22]"), QKeySequence(Qt::CTRL | Qt::Key_D),
              [&w] { w.toggleDoNotDisturb(); });
    addAction(services, "MenuMCIDCall", QT_TR_NOOP("Malicious call (MCID) [#88]"), QKeySequence(Qt::CTRL | Qt::Key_M),
              [&w] { w.maliciousCall(); });
    addAction(services, "MenuUrgent", QT_TR_NOOP("Urgent ringing [#35]"), QKeySequence(Qt::CTRL | Qt::Key_U),
              [&w] { w.urgentCall(); });
    addAction(services, "MenuConference", QT_TR_NOOP("Conference"), QKeySequence(Qt::CTRL | Qt::Key_G),
              [&w] { w.conference(); });
    addAction(services, "MenuCPickup", QT_TR_NOOP("Ringing pick up [#37]"), QKeySequence(Qt::CTRL | Qt::Key_W),
              [&w] { w.callPickUp(); });

    m_choices = m_menu.addMenu(Lang::_("Choose number"));
    m_choices->setObjectName(QStringLiteral("ChoosePhone"));
    m_menu.addSeparator();
    addAction(m_menu, "MenuCutNumber", QT_TR_NOOP("Cut"), {}, [this] {
        QApplication::clipboard()->setText(m_skin.entry().text());
        m_window->clearEntry();
    });
    addAction(m_menu, "MenuPasteNumber", QT_TR_NOOP("Paste"), {},
              [this] { m_window->paste(QApplication::clipboard()->text()); });
    addAction(m_menu, "MenuCopyNumber", QT_TR_NOOP("Copy"), {},
              [this] { QApplication::clipboard()->setText(m_skin.entry().text()); });
    m_menu.addSeparator();
    optional(m_menu, "MenuBook", QT_TR_NOOP("Phone book"), QKeySequence(Qt::CTRL | Qt::Key_T), openers.book);
    optional(m_menu, "MenuEditBook", QT_TR_NOOP("Edit a phone book"), QKeySequence(Qt::CTRL | Qt::Key_E),
             openers.editBook);
    if (openers.addToBook) {
        QMenu* add = m_menu.addMenu(Lang::_("Add to a phone book"));
        add->setObjectName(QStringLiteral("MenuAddBook"));
        const char* const kinds[] = {QT_TR_NOOP("Extension"), QT_TR_NOOP("Company"), QT_TR_NOOP("Home"),
                                     QT_TR_NOOP("Mobile"), QT_TR_NOOP("Other")};
        const Qt::Key keys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
        static const char* const names[] = {"NewBook1", "NewBook2", "NewBook3", "NewBook4", "NewBook5"};
        for (int position = 1; position <= 5; ++position) {
            const auto open = openers.addToBook;
            addAction(*add, names[position - 1], kinds[position - 1], QKeySequence(Qt::CTRL | keys[position - 1]),
                      [open, position] { open(position); });
        }
    }
    optional(m_menu, "MenuHistory", QT_TR_NOOP("History"), QKeySequence(Qt::CTRL | Qt::Key_H), openers.history);
    optional(m_menu, "MenuNotes", QT_TR_NOOP("Notes"), QKeySequence(Qt::CTRL | Qt::Key_N), openers.notes);
    optional(m_menu, "MenuOptions", QT_TR_NOOP("Search options"), QKeySequence(Qt::CTRL | Qt::Key_O),
             openers.searchOptions);
    optional(m_menu, "MenuConfig", QT_TR_NOOP("Configuration"), QKeySequence(Qt::CTRL | Qt::Key_K),
             openers.configuration);
    optional(m_menu, "Manual1", QT_TR_NOOP("Manual"), {}, openers.manual);
    optional(m_menu, "MenuAbout", QT_TR_NOOP("About"), {}, openers.about);
    optional(m_menu, "MenuNetworkConsole", QT_TR_NOOP("Network console"), {}, openers.networkConsole);
    optional(m_menu, "MenuSmsConsole", QT_TR_NOOP("SMS console"), {}, openers.smsConsole);
    m_menu.addSeparator();
    QAction* onTop = addAction(m_menu, "MenuOnTop", QT_TR_NOOP("Always on top"), {}, [this] { toggleOnTop(); });
    onTop->setCheckable(true);
    onTop->setChecked(m_settings.Glowne.OnTop);
    addAction(m_menu, "MenuMinimize", QT_TR_NOOP("Minimize"), QKeySequence(Qt::CTRL | Qt::Key_F4),
              [this] { minimise(); });
    addAction(m_menu, "CloseApplication", QT_TR_NOOP("Close"), QKeySequence(Qt::ALT | Qt::Key_F4),
              [this] { requestExit(); });

    if (openers.configuration) {
        addAction(m_buttonMenu, "ButtonConfig", QT_TR_NOOP("Configuration"), {}, openers.configuration);
    }
}

void TMainForm::buildTrayMenu(const Openers& openers)
{
    const auto optional = [this](const char* name, const char* text, const std::function<void()>& open) {
        if (open) {
            addAction(m_trayMenu, name, text, {}, open);
        }
    };
    optional("SendSMSTray", QT_TR_NOOP("Send SMS"), openers.sms);
    addAction(m_trayMenu, "TrayOpen", QT_TR_NOOP("Open"), {}, [this] { showMainWindow(true, true, false); });
    optional("TrayBook", QT_TR_NOOP("Phone book"), openers.book);
    optional("TrayHistory", QT_TR_NOOP("History"), openers.history);
    optional("TrayConfig", QT_TR_NOOP("Configuration"), openers.configuration);
    optional("TrayAbout", QT_TR_NOOP("About"), openers.about);
    m_trayMenu.addSeparator();
    addAction(m_trayMenu, "TrayClose", QT_TR_NOOP("Close"), {}, [this] { requestExit(); });
    setTrayDefaultHistory(false);
}

void TMainForm::bindSkinButtons(const Openers& openers)
{
    TelephoneWindowLogic& w = *m_window;
    const std::function<void()> none;
    m_buttonActions = {
        {SkinButton::Park,
         [&w] {
             w.park();
         }},
        {SkinButton::Fwd,
         [this] {
             if (QAction* transfer = action(QStringLiteral("MenuTransfer"))) {
                 transfer->trigger();
             }
         }},
        {SkinButton::Flash,
         [&w] {
             w.flash();
         }},
        {SkinButton::Conference, openers.sms},
        {SkinButton::OK,
         [&w] {
             w.confirm();
         }},
        {SkinButton::Book, openers.book},
        {SkinButton::Notes, openers.notes},
        {SkinButton::History, openers.history},
        {SkinButton::Redial,
         [&w] {
             w.redialNext();
         }},
        {SkinButton::Esc,
         [&w] {
             w.cancelCall();
         }},
        {SkinButton::OnTop,
         [this] {
             toggleOnTop();
         }},
        {SkinButton::Minimize,
         [this] {
             minimise();
         }},
        {SkinButton::Rec, openers.recording},
    };
    for (const auto& [button, run] : m_buttonActions) {
        m_skin.setButtonEnabled(button, static_cast<bool>(run));
    }
    connect(&m_skin, &TLittleForm::buttonClicked, this, [this](SkinButton button) {
        const auto found = m_buttonActions.find(button);
        if (found != m_buttonActions.end() && found->second) {
            found->second();
        }
    });
}

void TMainForm::fillChoiceMenu()
{
    m_choices->clear();
    const std::optional<ShownEntry>& entry = m_window->shownEntry();
    m_choices->menuAction()->setVisible(entry.has_value());
    if (!entry) {
        return;
    }
    for (int position = 1; position <= static_cast<int>(entry->numbers.size()); ++position) {
        const QString& number = entry->numbers[static_cast<std::size_t>(position - 1)];
        if (number.isEmpty()) {
            continue;
        }
        QAction* choice = m_choices->addAction(CallerNaming::numberKind(position) + u' ' + number, this,
                                               [this, position] { m_window->chooseNumber(position); });
        choice->setObjectName(QStringLiteral("Choose%1Phone").arg(position));
        choice->setCheckable(true);
        choice->setChecked(position == entry->position);
    }
}

void TMainForm::setEnabledItems(MenuItems items)
{
    for (const auto& [name, item] : stateItems()) {
        if (QAction* found = m_actions.value(QLatin1String(name), nullptr)) {
            found->setEnabled(items.testFlag(item));
        }
    }
    if (m_services != nullptr) {
        m_services->setEnabled(items.testFlag(MenuItem::Services));
        // The previous-redial key follows the redial item.
        if (QAction* previousRedial = action(QStringLiteral("Redial_"))) {
            previousRedial->setEnabled(items.testFlag(MenuItem::Redial));
        }
    }
    for (const auto& [button, needed] : buttonItems()) {
        const auto run = m_buttonActions.find(button);
        const bool available = run != m_buttonActions.end() && run->second;
        m_skin.setButtonEnabled(button, available && (items & needed));
    }
}

void TMainForm::setEntryText(const QString& text)
{
    if (m_skin.entry().text() != text) {
        m_skin.entry().setText(text);
    }
}

void TMainForm::setEntryReadOnly(bool readOnly)
{
    m_skin.entry().setReadOnly(readOnly);
}

void TMainForm::setFeatureFlags(const FeatureStatus& status)
{
    m_skin.setFeatureFlags(status.forwarding, status.doNotDisturb, status.locked);
}

void TMainForm::setTrayIcon(TrayIconList list, int index, bool animated)
{
    if (list == m_trayList && index == m_trayIndex && animated == m_trayAnimated) {
        return;
    }
    m_trayList = list;
    m_trayIndex = index;
    m_trayAnimated = animated;
    m_tray.setFrames(trayFrames(list, index, animated));
    if (list == TrayIconList::Connecting) {
        if (!m_connectingTimer.isActive()) {
            m_connectingTimer.start();
        }
    } else {
        m_connectingTimer.stop();
    }
}

void TMainForm::setTrayDefaultHistory(bool history)
{
    QAction* historyItem = m_actions.value(QStringLiteral("TrayHistory"), nullptr);
    m_trayDefaultHistory = history && historyItem != nullptr;
    QAction* openItem = m_actions.value(QStringLiteral("TrayOpen"), nullptr);
    const auto mark = [](QAction* item, bool isDefault) {
        if (item != nullptr) {
            QFont font = item->font();
            font.setBold(isDefault);
            item->setFont(font);
        }
    };
    mark(historyItem, m_trayDefaultHistory);
    mark(openItem, !m_trayDefaultHistory);
}

void TMainForm::showMainWindow(bool show, bool byUser, bool fromTray)
{
    if (!show) {
        if (m_skin.isVisible()) {
            m_skin.hide();
        }
        return;
    }
    if (m_skin.isVisible() && !m_skin.isMinimized()) {
        if (fromTray && m_settings.Zachowanie.ZamKlikIkony) {
            m_skin.hide();
        }
        return;
    }
    // A window that pops up by itself stays on top without taking the keyboard from the program in use.
    const bool quiet = !byUser && m_settings.Glowne.OnTop;
    m_skin.setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    m_skin.showNormal();
    m_skin.raise();
    if (!quiet) {
        m_skin.activateWindow();
    }
}

void TMainForm::trayClicked()
{
    if (m_window != nullptr && m_window->missedPending() && m_settings.Historia.OtworzDom && m_openers.history) {
        m_openers.history();
    }
    if (m_settings.Zachowanie.OtwKlikIkony) {
        showMainWindow(true, true, true);
    }
}

void TMainForm::minimise()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        showMainWindow(false, true, false);
    } else {
        m_skin.showMinimized();
    }
}

void TMainForm::requestExit()
{
    // Leaves the menu or key event that asked for it before the program ends.
    QTimer::singleShot(1, this, [this] { emit exitRequested(); });
}

void TMainForm::toggleOnTop()
{
    m_settings.Glowne.OnTop = !m_settings.Glowne.OnTop;
    m_saveSettings();
    applyOnTop();
}

void TMainForm::applyOnTop()
{
    const bool visible = m_skin.isVisible();
    m_skin.setWindowFlag(Qt::WindowStaysOnTopHint, m_settings.Glowne.OnTop);
    m_skin.setOnTop(m_settings.Glowne.OnTop);
    if (QAction* item = m_actions.value(QStringLiteral("MenuOnTop"), nullptr)) {
        item->setChecked(m_settings.Glowne.OnTop);
    }
    if (visible) {
        m_skin.show();
    }
}

bool TMainForm::ask(const QString& question)
{
    if (m_prompts.ask) {
        return m_prompts.ask(question);
    }
    QMessageBox box(QMessageBox::Question, QLatin1String(Const::ApplicationTitle), question,
                    QMessageBox::Yes | QMessageBox::No, &m_skin);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Yes;
}

void TMainForm::inform(const QString& text)
{
    if (m_prompts.inform) {
        m_prompts.inform(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QLatin1String(Const::ApplicationTitle), text, QMessageBox::Ok, &m_skin);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_skin.entry() || m_window == nullptr) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The entry line claims keys such as Ctrl+A or Ctrl+D for editing; the window's short-cuts win, except the
        // clipboard keys that the entry line handles itself.
        return isWindowShortcut(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::KeyPress) {
        return entryKeyPressed(static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

bool TMainForm::isWindowShortcut(const QKeyEvent* event) const
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Paste) || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        return false;
    }
    const QKeySequence pressed(event->keyCombination());
    return std::any_of(m_actions.cbegin(), m_actions.cend(),
                       [&pressed](const QAction* item) { return item->isEnabled() && item->shortcut() == pressed; });
}

bool TMainForm::entryKeyPressed(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        m_window->paste(QApplication::clipboard()->text());
        return true;
    }
    // Enter and Esc arrive here when their menu items are disabled: in the entry line they work in every state, as
    // the window's logic decides what they do.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_window->confirm();
        return true;
    case Qt::Key_Escape:
        m_window->cancelCall();
        return true;
    case Qt::Key_Up:
        m_window->redialNext();
        return true;
    case Qt::Key_Down:
        m_window->redialPrevious();
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 && m_window->keypadKey(text.at(0));
}
