#include "pbxlink/ui/LoginWindow.h"

#include "settings/SettingsError.h"
#include "settings/SettingsRecord.h"
#include "ui_LoginWindow.h"

#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

LoginWindow::LoginWindow(SettingsRecord& settings, std::function<void()> saveSettings, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::LoginWindow>())
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
{
    m_ui->setupUi(this);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &LoginWindow::accept);
}

LoginWindow::~LoginWindow() = default;

// Every way of closing a dialog (OK, Escape, the title bar's close button) ends here.
void LoginWindow::done(int result)
{
    storeInSettings();
    QDialog::done(result);
}

void LoginWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    if (const QScreen* shown = screen(); shown != nullptr) {
        move(shown->availableGeometry().center() - rect().center());
    }
    fillFromSettings();
    m_stored = false;
}

void LoginWindow::fillFromSettings()
{
    m_ui->CustomPhoneNrEdit->setText(m_settings.Siec.TelNr);
    m_ui->CustomKeyEdit->clear();
    m_ui->SaveCustomKeyBox->setChecked(false);
    if (m_ui->CustomPhoneNrEdit->text().isEmpty()) {
        m_ui->CustomPhoneNrEdit->setFocus();
    } else {
        m_ui->CustomKeyEdit->setFocus();
    }
}

void LoginWindow::storeInSettings()
{
    if (m_stored) {
        return;
    }
    m_stored = true;
    m_settings.Siec.TelNr = m_ui->CustomPhoneNrEdit->text();
    m_settings.Siec.Klucz = m_ui->CustomKeyEdit->text();
    m_settings.WorkingPin = m_settings.Siec.Klucz;
    m_settings.Siec.ZapiszKlucz = m_ui->SaveCustomKeyBox->isChecked();
    try {
        if (m_saveSettings) {
            m_saveSettings();
        }
    } catch (const SettingsError& error) {
        QMessageBox::warning(this, windowTitle(), error.message());
    }
    emit loginEntered();
}
