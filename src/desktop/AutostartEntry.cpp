#include "desktop/AutostartEntry.h"

#include "desktop/DesktopEntryFile.h"
#include "settings/Const.h"

#include <QDebug>
#include <QFile>

AutostartEntry::AutostartEntry(QString executablePath, QString configHome)
    : m_executablePath(std::move(executablePath))
    , m_configHome(std::move(configHome))
{
}

QString AutostartEntry::path() const
{
    return m_configHome + QStringLiteral("/autostart/") + QString::fromUtf16(FileName);
}

QString AutostartEntry::text() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(Const::ApplicationTitle), DesktopEntryFile::quotedProgram(m_executablePath));
}

bool AutostartEntry::apply(bool startWithSession)
{
    if (startWithSession) {
        return !m_executablePath.contains(u'\n') &&
               DesktopEntryFile::writeIfDifferent(path(), text()) != DesktopEntryFile::Outcome::Failed;
    }
    if (!QFile::exists(path()) || QFile::remove(path())) {
        return true;
    }
    qWarning().noquote() << "Cannot remove the autostart entry" << path();
    return false;
}
