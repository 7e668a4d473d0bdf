#include "app/PhoneAssembly.h"

#include "app/LinkToWindow.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "phone/ui/TFormAdobeMsg.h"
#include "settings/Conftool.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {

constexpr const char* ManualFile = "io_tervo.pdf";

// The manual beside the executable, or where an installation keeps its documents.
QString manualPath()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programFolder.filePath(QLatin1String(ManualFile)),
          programFolder.filePath(QStringLiteral("../share/doc/tervo/") + QLatin1String(ManualFile))}) {
        if (QFileInfo::exists(candidate)) {
            return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return {};
}

} // namespace

PhoneAssembly::PhoneAssembly(SettingsStore& settings, TdbCore& books, BookNaming& naming, TToPBX& link,
                             bool printWindow, std::function<void()> openConfiguration)
    : m_settings(settings)
    , m_books(books, naming)
    , m_form(settings.record(), &SaveSettings)
    , m_view(m_form, printWindow)
    , m_line(link.services())
    , m_window(settings.record(), m_books, m_view,
               TelephoneWindowLogic::LinkParts{m_line, link.callState(), link.callTimer()})
    , m_dialogs(settings.record(), link.services(), link.callState(), std::move(openConfiguration), &m_form.skin())
    , m_redialPath(settings.paths().dataFolder() + QStringLiteral("redial.dat"))
{
    LinkToWindow::connect(link.notices(), m_window);
    m_view.follow(m_window);
    // exit(), not quit(): quit() would ask the windows to close first, and the telephone window only hides.
    QObject::connect(&m_form, &TMainForm::exitRequested, &m_form, [] { QCoreApplication::exit(0); });
}

void PhoneAssembly::start(TMainForm::Openers openers)
{
    openers.manual = [this] {
        openManual();
    };
    openers.about = [this] {
        showAbout();
    };
    m_form.attach(m_window, m_dialogs, std::move(openers));
    m_window.loadRedialList(m_redialPath);
    m_form.showMainWindow(true, true, false);
}

void PhoneAssembly::close()
{
    m_window.applyClosingServices();
    m_window.saveRedialList(m_redialPath);
    m_form.tray().setVisible(false);
    m_form.smsTray().setVisible(false);
    m_form.skin().hide();
}

void PhoneAssembly::openManual()
{
    const QString path = manualPath();
    if (!path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        return;
    }
    auto* message = new TFormAdobeMsg([](const QUrl& url) { QDesktopServices::openUrl(url); }, &m_form.skin());
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->show();
}

void PhoneAssembly::showAbout()
{
    const QString text = QStringLiteral("<b>%1</b><br>%2 %3 (%4)")
                             .arg(QLatin1String(Const::ProductName), Lang::_("Version"), QLatin1String(Const::Version),
                                  QLatin1String(Const::BuildDate));
    QMessageBox::about(&m_form.skin(), QLatin1String(Const::ApplicationTitle), text);
}
