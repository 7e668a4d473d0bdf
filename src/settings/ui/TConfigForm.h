#pragma once

#include "settings/ConfigApplication.h"
#include "settings/ConfigPorts.h"
#include "settings/SettingsRecord.h"

#include <QDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <functional>

class ServerAddressEdit;

// "Norvel TelephoneTervo - Configuration": the settings in controls, page by page, chosen in the tree on the left.
// Show fills the controls from the settings and the exchange's switches; "Apply" puts them into the settings and
// has the link connect again, without saving; "&OK" applies and saves; "Cancel" closes; "&Default" puts the
// defaults into the controls only. The pages also run a few actions of other windows through the ports given.
class TConfigForm final : public QDialog {
    Q_OBJECT

public:
    // Questions and messages; tests answer them without a modal box.
    struct Prompts {
        std::function<bool(const QString& question)> ask;
        std::function<void(const QString& text)> inform;
    };

    struct Services {
        SettingsRecord defaults;         // every option at its default
        QString defaultRecordingsFolder; // where recordings go when the chosen folder is not usable
        // Writes the settings file; throws SettingsError when it cannot.
        std::function<void()> save;
        ExchangePort exchange;
        SettingsFollowers followers;
        ConfigActions actions;
        Prompts prompts; // message boxes when empty
    };

    TConfigForm(SettingsRecord& settings, Services services, QWidget* parent = nullptr);

    // Shows the dialog filled from the settings, or raises it when it is open already (keeping what was typed).
    void open() override;
    void openPage(const QString& page);

    // The controls from the settings and the exchange's switches.
    void load();
    // The controls from the defaults; nothing is applied.
    void restoreDefaults();
    // The controls into the settings; false when a check refused them (the user was told).
    bool applyControls();
    // "Apply": the controls into the settings, then the link connects again.
    bool applyAndReconnect();
    // "&OK": apply and save, then close; false (the dialog stays) when a check refused or saving failed.
    bool applyAndSave();

    // The PBX link's status, and the SMS link's status and gate number, as they change.
    void showLinkStatus(const QString& text, unsigned colour);
    void showSmsStatus(const QString& text, unsigned colour);
    void showGateNumber(const QString& number);

    template <typename Widget>
    Widget& control(const QString& name) const
    {
        return *findChild<Widget*>(name);
    }
    QTreeWidget& tree() { return *m_tree; }
    QStackedWidget& pages() { return *m_pages; }
    QPushButton& defaultButton() { return *m_default; }
    QPushButton& okButton() { return *m_ok; }
    QPushButton& cancelButton() { return *m_cancel; }
    QPushButton& applyButton() { return *m_apply; }

private:
    void buildTree();
    void connectActions();
    void showRecord(const SettingsRecord& record);
    void showExchangeStates(const ExchangeStates& states);
    ExchangeStates exchangeStates() const;
    void showCustomWaveWarning();
    void keepPinsTogether(const QString& from, const QString& to);
    void offerEfficiencyTest(bool checked);
    void moveSecretsWhenAsked();
    void deleteHistory();
    void fillRecordingDevices();
    bool ask(const QString& question);
    void inform(const QString& text);

    SettingsRecord& m_settings;
    Services m_services;
    ConfigApplication m_application;
    ExchangeStates m_shownExchange;
    bool m_movingSecrets = false; // the keyring has not answered a move yet
    QTreeWidget* m_tree;
    QStackedWidget* m_pages;
    ServerAddressEdit* m_address;
    QPushButton* m_default;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_apply;
};
