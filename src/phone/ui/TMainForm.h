#pragma once

#include "phone/TelephoneView.h"
#include "phone/ui/AnimatedTrayIcon.h"
#include "phone/ui/SkinButton.h"
#include "phone/ui/TLittleForm.h"

#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>

class QAction;
class QKeyEvent;
class ServiceDialogs;
class TelephoneWindowLogic;
struct SettingsRecord;

// The telephone window on the screen: the skin, the pop-up menu with its actions and short-cuts, the tray icons,
// and the timers that drive the call timer and the connecting animation. It shows what TelephoneWindowLogic tells it
// and hands every action to it; it holds no rules of its own beyond showing and hiding itself.
class TMainForm final : public QObject, public TelephoneView {
    Q_OBJECT

public:
    static constexpr int CallTimerTickMs = 100;
    static constexpr int ConnectingMs = 10000;
    static constexpr int TrayFrameMs = 500;
    static constexpr int SmsTrayFrameMs = 600;

    // The windows other parts of the program open from here; an empty one leaves its menu item and button out.
    struct Openers {
        std::function<void()> book;
        // The contact of the current number in its editing window; a new contact in position 1..5 for it.
        std::function<void()> editBook;
        std::function<void(int position)> addToBook;
        std::function<void()> history;
        std::function<void()> notes;
        std::function<void()> configuration;
        std::function<void()> searchOptions;
        std::function<void()> sms;
        std::function<void()> recording;
        std::function<void()> manual;
        std::function<void()> about;
        std::function<void()> networkConsole;
        std::function<void()> smsConsole;
    };

    // Questions and messages; tests answer them without a modal box.
    struct Prompts {
        std::function<bool(const QString& question)> ask;
        std::function<void(const QString& text)> inform;
    };

    TMainForm(SettingsRecord& settings, std::function<void()> saveSettings, QObject* parent = nullptr);
    ~TMainForm() override;

    // Connects the actions to the window's behaviour; call once, before the window is shown.
    void attach(TelephoneWindowLogic& window, ServiceDialogs& dialogs, Openers openers, Prompts prompts = {});

    TLittleForm& skin() { return m_skin; }
    AnimatedTrayIcon& tray() { return m_tray; }
    AnimatedTrayIcon& smsTray() { return m_smsTray; }
    QMenu& popupMenu() { return m_menu; }
    QMenu& trayMenu() { return m_trayMenu; }
    // The action of that object name ("MenuCall", "MenuPark", "TrayOpen", ...), or null.
    QAction* action(const QString& name) const;
    bool trayDefaultIsHistory() const { return m_trayDefaultHistory; }

    // Shows or hides the skin: a show not asked for by the user does not take the keyboard from another program
    // when the window stays on top; a tray click on a shown window hides it when the settings say so.
    void showMainWindow(bool show, bool byUser, bool fromTray);
    // The tray icon was clicked.
    void trayClicked();
    // Ends the program after the current event.
    void requestExit();

    // TelephoneView
    void setEnabledItems(MenuItems items) override;
    void setStateIcon(StateIcon icon) override { m_skin.setStateIcon(icon); }
    void setAreaText(const QString& text) override { m_skin.setAreaText(text); }
    void setShowText(const QString& text, const QString& hint) override { m_skin.setShowText(text, hint); }
    void setInfoText(const QString& text) override { m_skin.setInfoLabel(text); }
    void setEntryText(const QString& text) override;
    void setEntryReadOnly(bool readOnly) override;
    void setFeatureFlags(const FeatureStatus& status) override;
    void setRecording(bool on) override { m_skin.setRecording(on); }
    void setTrayIcon(TrayIconList list, int index, bool animated) override;
    void setTrayHint(const QString& hint) override { m_tray.setHint(hint); }
    void setTrayDefaultHistory(bool history) override;
    void popUp() override { showMainWindow(true, false, false); }
    bool ask(const QString& question) override;
    void inform(const QString& text) override;

signals:
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(QMenu& menu, const char* name, const char* text, const QKeySequence& shortcut,
                       std::function<void()> run);
    void buildMenus(ServiceDialogs& dialogs, const Openers& openers);
    void buildTrayMenu(const Openers& openers);
    void bindSkinButtons(const Openers& openers);
    void fillChoiceMenu();
    void toggleOnTop();
    void applyOnTop();
    void minimise();
    bool entryKeyPressed(QKeyEvent* event);
    bool isWindowShortcut(const QKeyEvent* event) const;

    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    TelephoneWindowLogic* m_window = nullptr;
    Openers m_openers;
    Prompts m_prompts;
    TLittleForm m_skin;
    QMenu m_menu;
    QMenu* m_services = nullptr;
    QMenu* m_choices = nullptr;
    QMenu m_trayMenu;
    QMenu m_buttonMenu;
    AnimatedTrayIcon m_tray{TrayFrameMs};
    AnimatedTrayIcon m_smsTray{SmsTrayFrameMs};
    QHash<QString, QAction*> m_actions;
    std::map<SkinButton, std::function<void()>> m_buttonActions;
    QTimer m_callTimerTick;
    QTimer m_connectingTimer;
    TrayIconList m_trayList = TrayIconList::Static;
    int m_trayIndex = -1;
    bool m_trayAnimated = false;
    bool m_trayDefaultHistory = false;
};
