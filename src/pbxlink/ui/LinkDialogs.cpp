#include "pbxlink/ui/LinkDialogs.h"

#include "pbxlink/ui/ErrorInfoWindow.h"
#include "pbxlink/ui/LoginWindow.h"

LinkDialogs::LinkDialogs(SettingsRecord& settings, std::function<void()> saveSettings, QWidget* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
    , m_parentWidget(parent)
{
}

// The windows may belong to the parent widget, which can delete them first; QPointer tells.
LinkDialogs::~LinkDialogs()
{
    delete m_login.data();
    delete m_errorInfo.data();
}

bool LinkDialogs::isLoginOrConfigurationVisible() const
{
    return (!m_login.isNull() && m_login->isVisible()) || (m_configurationVisible && m_configurationVisible());
}

void LinkDialogs::showLogin()
{
    if (m_login.isNull()) {
        auto* window = new LoginWindow(m_settings, m_saveSettings, m_parentWidget);
        connect(window, &LoginWindow::loginEntered, this, &LinkDialogs::loginEntered);
        m_login = window;
    }
    m_login->show();
    m_login->raise();
    m_login->activateWindow();
}

void LinkDialogs::showNetworkError(const QString& message)
{
    if (m_errorInfo.isNull()) {
        auto* window = new ErrorInfoWindow(m_parentWidget);
        connect(window, &ErrorInfoWindow::configurationRequested, this, &LinkDialogs::configurationRequested);
        m_errorInfo = window;
    }
    m_errorInfo->report(message);
    m_errorInfo->show();
    m_errorInfo->raise();
}

void LinkDialogs::showError(const QString& caption, const QString& text)
{
    presentMessageBox(QMessageBox::Critical, caption, text);
}

void LinkDialogs::showWarning(const QString& caption, const QString& text)
{
    presentMessageBox(QMessageBox::Warning, caption, text);
}

void LinkDialogs::showServerConfiguration()
{
    emit serverConfigurationRequested();
}

void LinkDialogs::setConfigurationVisible(std::function<bool()> isVisible)
{
    m_configurationVisible = std::move(isVisible);
}

void LinkDialogs::setMessageBoxPresenter(MessageBoxPresenter presenter)
{
    m_presentMessageBox = std::move(presenter);
}

void LinkDialogs::presentMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text) const
{
    if (m_presentMessageBox) {
        m_presentMessageBox(icon, caption, text);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, m_parentWidget);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

LoginWindow* LinkDialogs::loginWindow() const
{
    return m_login;
}

ErrorInfoWindow* LinkDialogs::errorInfoWindow() const
{
    return m_errorInfo;
}
