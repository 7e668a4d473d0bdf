#include "desktop/SchemeHandlerEntry.h"

#include "desktop/DesktopEntryFile.h"
#include "desktop/MimeAppsList.h"
#include "settings/Const.h"

#include <QDebug>
#include <QProcess>

namespace {

constexpr int XdgMimePatienceMs = 5000;
const QStringList TelSchemes{QStringLiteral("x-scheme-handler/tel"), QStringLiteral("x-scheme-handler/callto")};

} // namespace

SchemeHandlerEntry::SchemeHandlerEntry(QString executablePath, QString dataHome, QString configHome, QString xdgMime)
    : m_executablePath(std::move(executablePath))
    , m_dataHome(std::move(dataHome))
    , m_configHome(std::move(configHome))
    , m_xdgMime(std::move(xdgMime))
{
}

QString SchemeHandlerEntry::entryPath() const
{
    return m_dataHome + QStringLiteral("/applications/") + QString::fromUtf16(DesktopId);
}

QString SchemeHandlerEntry::entryText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Dials tervop:, tel: and callto: links on the desk phone\n"
                          "Exec=%2 dial %u\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n"
                          "MimeType=%3;%4;%5;\n")
        .arg(QLatin1String(Const::ApplicationTitle), DesktopEntryFile::quotedProgram(m_executablePath),
             QString::fromUtf16(OwnScheme), TelSchemes.at(0), TelSchemes.at(1));
}

bool SchemeHandlerEntry::registerHandler(bool claimTelLinks)
{
    if (m_executablePath.contains(u'\n') || m_executablePath.contains(u'\r')) {
        qWarning().noquote() << "The program's path holds a line break; no link handler is registered";
        return false;
    }
    if (DesktopEntryFile::writeIfDifferent(entryPath(), entryText()) == DesktopEntryFile::Outcome::Failed) {
        return false;
    }
    bool ok = makeDefault(QString::fromUtf16(OwnScheme));
    if (claimTelLinks) {
        for (const QString& scheme : TelSchemes) {
            ok = makeDefault(scheme) && ok;
        }
    }
    return ok;
}

QString SchemeHandlerEntry::defaultFor(const QString& mimeType) const
{
    if (!m_xdgMime.isEmpty()) {
        bool ok = false;
        const QString answer = runXdgMime({QStringLiteral("query"), QStringLiteral("default"), mimeType}, &ok);
        return ok ? answer.trimmed() : QString();
    }
    return MimeAppsList::defaultFor(DesktopEntryFile::read(m_configHome + QStringLiteral("/mimeapps.list")), mimeType);
}

bool SchemeHandlerEntry::makeDefault(const QString& mimeType)
{
    const QString desktopId = QString::fromUtf16(DesktopId);
    if (defaultFor(mimeType) == desktopId) {
        return true;
    }
    if (!m_xdgMime.isEmpty()) {
        bool ok = false;
        runXdgMime({QStringLiteral("default"), desktopId, mimeType}, &ok);
        return ok;
    }
    const QString path = m_configHome + QStringLiteral("/mimeapps.list");
    const QString text = MimeAppsList::withDefault(DesktopEntryFile::read(path), mimeType, desktopId);
    return DesktopEntryFile::writeIfDifferent(path, text) != DesktopEntryFile::Outcome::Failed;
}

QString SchemeHandlerEntry::runXdgMime(const QStringList& arguments, bool* ok) const
{
    QProcess process;
    process.start(m_xdgMime, arguments);
    *ok = process.waitForFinished(XdgMimePatienceMs) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    if (!*ok) {
        process.kill();
        qWarning().noquote() << m_xdgMime << arguments.join(u' ') << "failed:" << process.errorString();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}
