#pragma once

#include <QDialog>
#include <functional>
#include <memory>

struct SettingsRecord;

namespace Ui {
class LoginWindow;
}

// The "Loging in" window: asks for the extension's phone number and PIN. However it is closed, it stores what was
// entered in the settings record (once per showing), saves the settings and emits loginEntered().
class LoginWindow final : public QDialog {
    Q_OBJECT

public:
    LoginWindow(SettingsRecord& settings, std::function<void()> saveSettings, QWidget* parent = nullptr);
    ~LoginWindow() override;

    void done(int result) override;

signals:
    void loginEntered();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillFromSettings();
    void storeInSettings();

    std::unique_ptr<Ui::LoginWindow> m_ui;
    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    bool m_stored = true; // nothing to store until the window has been shown
};
