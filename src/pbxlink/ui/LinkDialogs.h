#pragma once

#include "pbxlink/lifecycle/LinkDialogsPort.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>

struct SettingsRecord;
class ErrorInfoWindow;
class LoginWindow;

// The link's windows: the login window and the network error window, created on first use, and message boxes.
class LinkDialogs final : public QObject, public LinkDialogsPort {
    Q_OBJECT

public:
    // Presents a message box; the default one is modal and stays on top.
    using MessageBoxPresenter =
        std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>;

    LinkDialogs(SettingsRecord& settings, std::function<void()> saveSettings, QWidget* parent = nullptr);
    ~LinkDialogs() override;

    bool isLoginOrConfigurationVisible() const override;
    void showLogin() override;
    void showNetworkError(const QString& message) override;
    void showError(const QString& caption, const QString& text) override;
    void showWarning(const QString& caption, const QString& text) override;
    void showServerConfiguration() override;

    // Tells whether the configuration dialog is open; without it only the login window counts.
    void setConfigurationVisible(std::function<bool()> isVisible);
    void setMessageBoxPresenter(MessageBoxPresenter presenter);

    // The windows once created, else null.
    LoginWindow* loginWindow() const;
    ErrorInfoWindow* errorInfoWindow() const;

signals:
    void loginEntered();
    void serverConfigurationRequested();
    // The network error window's "Configuration" button.
    void configurationRequested();

private:
    void presentMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text) const;

    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    QWidget* m_parentWidget;
    std::function<bool()> m_configurationVisible;
    MessageBoxPresenter m_presentMessageBox;
    QPointer<LoginWindow> m_login;
    QPointer<ErrorInfoWindow> m_errorInfo;
};
