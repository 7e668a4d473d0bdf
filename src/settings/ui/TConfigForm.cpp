#include "settings/ui/TConfigForm.h"

#include "settings/ConfigBindings.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsError.h"
#include "settings/ui/ConfigPages.h"
#include "settings/ui/ControlValues.h"
#include "settings/ui/ServerAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QVBoxLayout>

using Lang::_;

namespace {

QMessageBox::StandardButton askInBox(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::Question, QLatin1String(Const::ApplicationTitle), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString colouredStyle(unsigned colour)
{
    return QStringLiteral("color: #%1;").arg(colour & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

} // namespace

TConfigForm::TConfigForm(SettingsRecord& settings, Services services, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_services(std::move(services))
    , m_application(settings, m_services.defaultRecordingsFolder, m_services.exchange, m_services.followers,
                    [this](const QString& text) { inform(text); })
    , m_tree(new QTreeWidget(this))
    , m_pages(new QStackedWidget(this))
    , m_address(nullptr)
    , m_default(new QPushButton(_("&Default"), this))
    , m_ok(new QPushButton(_("&OK"), this))
    , m_cancel(new QPushButton(_("Cancel"), this))
    , m_apply(new QPushButton(_("Apply"), this))
{
    setObjectName(QStringLiteral("TConfigForm"));
    setWindowTitle(_("Norvel TelephoneTervo - Configuration"));
    m_tree->setObjectName(QStringLiteral("ConfigTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setMaximumWidth(170);

    auto* body = new QHBoxLayout;
    body->addWidget(m_tree);
    body->addWidget(m_pages, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_default);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    m_ok->setDefault(true);

    buildTree();
    m_address = findChild<ServerAddressEdit*>(QStringLiteral("EditAddrIP"));
    connectActions();
}

void TConfigForm::buildTree()
{
    const std::vector<ConfigPages::Page> pages = ConfigPages::build(*m_pages);
    QHash<QString, QTreeWidgetItem*> items;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const ConfigPages::Page& page = pages[index];
        QTreeWidgetItem* parentItem = items.value(page.parent);
        auto* item = parentItem != nullptr ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_tree);
        item->setText(0, page.caption);
        item->setData(0, Qt::UserRole, static_cast<int>(index));
        items.insert(page.name, item);
    }
    m_tree->expandAll();
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    // A click and the arrow keys both make an item current.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            m_pages->setCurrentIndex(item->data(0, Qt::UserRole).toInt());
        }
    });
}

void TConfigForm::connectActions()
{
    connect(m_default, &QPushButton::clicked, this, &TConfigForm::restoreDefaults);
    connect(m_ok, &QPushButton::clicked, this, &TConfigForm::applyAndSave);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &TConfigForm::applyAndReconnect);
    connect(&control<QPushButton>(QStringLiteral("ConnectButton")), &QPushButton::clicked, this,
            &TConfigForm::applyAndReconnect);
    connect(&control<QPushButton>(QStringLiteral("DeleteHistoryButton")), &QPushButton::clicked, this,
            &TConfigForm::deleteHistory);
    const auto opener = [this](const char* button, const std::function<void()>& open) {
        QPushButton& target = control<QPushButton>(QLatin1String(button));
        target.setEnabled(static_cast<bool>(open));
        connect(&target, &QPushButton::clicked, this, [open] { open(); });
    };
    const ConfigActions& actions = m_services.actions;
    opener("SearchOptionsButton", actions.openSearchOptions);
    opener("ButtonChangeComment", actions.openGateComments);
    opener("VNoteDiagButton", actions.openRecordingConfiguration);
    opener("PlayButton", actions.playSmsSound ? std::function<void()>([this] {
               m_services.actions.playSmsSound(control<QComboBox>(QStringLiteral("WaveSrcComboBox")).currentIndex(),
                                               control<QComboBox>(QStringLiteral("RcWaveComboBox")).currentIndex(),
                                               control<QLineEdit>(QStringLiteral("CustomWaveEdit")).text());
           })
                                              : std::function<void()>());
    connect(&control<QCheckBox>(QStringLiteral("VNoteUseBox")), &QCheckBox::clicked, this,
            &TConfigForm::offerEfficiencyTest);
    connect(&control<QLineEdit>(QStringLiteral("CustomWaveEdit")), &QLineEdit::textChanged, this,
            &TConfigForm::showCustomWaveWarning);
    keepPinsTogether(QStringLiteral("CustomKeyEdit"), QStringLiteral("SecureNrEdit"));
    keepPinsTogether(QStringLiteral("SecureNrEdit"), QStringLiteral("CustomKeyEdit"));
}

// The extension PIN is shown on the network page and on the lock page; typing in one changes both.
void TConfigForm::keepPinsTogether(const QString& from, const QString& to)
{
    connect(&control<QLineEdit>(from), &QLineEdit::textEdited, this,
            [this, to](const QString& text) { control<QLineEdit>(to).setText(text); });
}

void TConfigForm::open()
{
    if (!isVisible()) {
        load();
    }
    show();
    raise();
    activateWindow();
}

void TConfigForm::openPage(const QString& page)
{
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        if (m_pages->widget((*it)->data(0, Qt::UserRole).toInt())->objectName() == page) {
            m_tree->setCurrentItem(*it);
        }
    }
    open();
}

void TConfigForm::load()
{
    fillRecordingDevices();
    showRecord(m_settings);
    auto* telLinks = findChild<QCheckBox*>(QStringLiteral("TelLinksBox"));
    telLinks->setChecked(m_services.actions.telLinksClaimed && m_services.actions.telLinksClaimed());
    m_shownExchange = m_services.exchange.states ? m_services.exchange.states() : ExchangeStates{};
    showExchangeStates(m_shownExchange);
    auto& keyring = control<QCheckBox>(QStringLiteral("KeyringBox"));
    keyring.setChecked(m_settings.Ogolne.Keyring);
    keyring.setEnabled(static_cast<bool>(m_services.actions.keepSecretsInKeyring) && !m_movingSecrets);
}

void TConfigForm::restoreDefaults()
{
    showRecord(m_services.defaults);
}

void TConfigForm::showRecord(const SettingsRecord& record)
{
    for (const ConfigBinding& binding : configBindings()) {
        if (auto* widget = findChild<QWidget*>(binding.control)) {
            ControlValues::set(*widget, binding.kind, binding.read(record));
        }
    }
    m_address->setAddress(record.Siec.Serwer);
    showCustomWaveWarning();
}

// Account code in use is also the exchange's switch: it shows what the exchange says.
void TConfigForm::showExchangeStates(const ExchangeStates& states)
{
    control<QCheckBox>(QStringLiteral("PTBox")).setChecked(states.forwarding);
    control<QCheckBox>(QStringLiteral("LockBox")).setChecked(states.locked);
    control<QCheckBox>(QStringLiteral("DNDBox")).setChecked(states.doNotDisturb);
    if (m_services.exchange.states) {
        control<QCheckBox>(QStringLiteral("AccOnBox")).setChecked(states.accountCode);
    }
}

ExchangeStates TConfigForm::exchangeStates() const
{
    ExchangeStates states;
    states.forwarding = control<QCheckBox>(QStringLiteral("PTBox")).isChecked();
    states.locked = control<QCheckBox>(QStringLiteral("LockBox")).isChecked();
    states.doNotDisturb = control<QCheckBox>(QStringLiteral("DNDBox")).isChecked();
    states.accountCode = control<QCheckBox>(QStringLiteral("AccOnBox")).isChecked();
    return states;
}

bool TConfigForm::applyControls()
{
    const std::optional<QString> address = m_address->address();
    if (!address) {
        inform(ServerAddress::invalidText(m_address->parts()));
        return false;
    }
    ConfigApplication::Entry entry;
    entry.settings = m_settings;
    for (const ConfigBinding& binding : configBindings()) {
        if (const auto* widget = findChild<QWidget*>(binding.control)) {
            binding.write(entry.settings, ControlValues::get(*widget, binding.kind));
        }
    }
    entry.settings.Siec.Serwer = *address;
    entry.exchange = exchangeStates();
    entry.shownExchange = m_shownExchange;
    entry.claimTelLinks = control<QCheckBox>(QStringLiteral("TelLinksBox")).isChecked();
    const bool applied = m_application.apply(
        entry, [this](const ConfigApplication::Entry& corrected) { showRecord(corrected.settings); });
    if (!applied) {
        return false;
    }
    m_shownExchange = entry.exchange;
    if (m_services.actions.setRecordingDevice) {
        m_services.actions.setRecordingDevice(control<QComboBox>(QStringLiteral("VNoteRecDevice")).currentIndex());
    }
    return true;
}

bool TConfigForm::applyAndReconnect()
{
    if (!applyControls()) {
        return false;
    }
    if (m_services.exchange.reconnect) {
        m_services.exchange.reconnect();
    }
    return true;
}

bool TConfigForm::applyAndSave()
{
    const SettingsRecord before = m_settings;
    if (!applyControls()) {
        return false;
    }
    try {
        m_services.save();
    } catch (const SettingsError& error) {
        inform(error.message());
        return false;
    }
    moveSecretsWhenAsked();
    // The link works with what it logged in with; new connection settings need a new connection.
    if (ConfigApplication::linkSettingsDiffer(before, m_settings) && m_services.exchange.reconnect) {
        m_services.exchange.reconnect();
    }
    accept();
    return true;
}

void TConfigForm::showLinkStatus(const QString& text, unsigned colour)
{
    auto& label = control<QLabel>(QStringLiteral("ConnectionStatusLabel"));
    label.setText(text);
    label.setStyleSheet(colouredStyle(colour));
}

void TConfigForm::showSmsStatus(const QString& text, unsigned colour)
{
    auto& label = control<QLabel>(QStringLiteral("SmsStatusLabel"));
    label.setText(text);
    label.setStyleSheet(colouredStyle(colour));
}

void TConfigForm::showGateNumber(const QString& number)
{
    control<QLabel>(QStringLiteral("SmsNumberLabel")).setText(number);
}

void TConfigForm::showCustomWaveWarning()
{
    const QString file = control<QLineEdit>(QStringLiteral("CustomWaveEdit")).text();
    control<QLabel>(QStringLiteral("CustomWaveMissingLabel")).setVisible(!file.isEmpty() && !QFileInfo(file).isFile());
}

// Switching recording on offers the test that tells whether compressed recording keeps up on this computer.
void TConfigForm::offerEfficiencyTest(bool checked)
{
    if (!checked || !m_services.actions.runEfficiencyTest ||
        !ask(_("Do you want execute an efficiency test, which determines possibility of using a call compresion "
               "mechanism?"))) {
        return;
    }
    const EfficiencyOutcome outcome = m_services.actions.runEfficiencyTest();
    if (outcome.verdict == EfficiencyOutcome::Verdict::TooSlow) {
        inform(_("Your system is not efficient enough to record compressed calls. Before call recording activation, "
                 "the efficency test of recording system is suggested."));
    } else if (outcome.verdict == EfficiencyOutcome::Verdict::NotRun) {
        inform(outcome.problem);
    }
}

// Where the secrets are kept is not a binding: moving them writes the settings file, so only "&OK" does it, and
// the setting changes only once the keyring has answered, maybe much later. Meanwhile the box waits; afterwards
// it shows where the secrets are.
void TConfigForm::moveSecretsWhenAsked()
{
    auto& keyring = control<QCheckBox>(QStringLiteral("KeyringBox"));
    if (!m_services.actions.keepSecretsInKeyring || m_movingSecrets ||
        keyring.isChecked() == m_settings.Ogolne.Keyring) {
        return;
    }
    m_movingSecrets = true;
    keyring.setEnabled(false);
    m_services.actions.keepSecretsInKeyring(keyring.isChecked(),
                                            [this, alive = QPointer<TConfigForm>(this)](bool held) {
                                                if (alive) {
                                                    m_movingSecrets = false;
                                                    auto& box = control<QCheckBox>(QStringLiteral("KeyringBox"));
                                                    box.setChecked(held);
                                                    box.setEnabled(true);
                                                }
                                            });
}

void TConfigForm::deleteHistory()
{
    if (m_services.actions.deleteHistory && ask(_("Delete all history content together with archived records?"))) {
        m_services.actions.deleteHistory();
    }
}

void TConfigForm::fillRecordingDevices()
{
    auto& devices = control<QComboBox>(QStringLiteral("VNoteRecDevice"));
    devices.clear();
    if (m_services.actions.recordingDevices) {
        devices.addItems(m_services.actions.recordingDevices());
    }
    devices.setCurrentIndex(m_services.actions.recordingDevice ? m_services.actions.recordingDevice() : 0);
}

bool TConfigForm::ask(const QString& question)
{
    if (m_services.prompts.ask) {
        return m_services.prompts.ask(question);
    }
    return askInBox(this, question) == QMessageBox::Ok;
}

void TConfigForm::inform(const QString& text)
{
    if (m_services.prompts.inform) {
        m_services.prompts.inform(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QLatin1String(Const::ApplicationTitle), text, QMessageBox::Ok, this);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
