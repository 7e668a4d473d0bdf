#include "settings/SettingsPaths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

const QString VendorFolder = QStringLiteral("Norvel/TelefonTervo/");

QString xdgFolder(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) {
        return QDir::cleanPath(value) + u'/';
    }
    return QDir::cleanPath(QDir::homePath() + u'/' + fallbackBelowHome) + u'/';
}

// The path with its extension (the part after the last "." of the file name) replaced by ".ini".
QString withIniExtension(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QStringLiteral(".ini");
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
    return UserFolders{
        xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")),
        xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")),
        xdgFolder("XDG_STATE_HOME", QStringLiteral(".local/state")),
    };
}

SettingsPaths::SettingsPaths(QString executablePath, UserFolders folders)
    : m_executablePath(std::move(executablePath))
    , m_folders(std::move(folders))
    , m_installationFolderName(installationFolderName(m_executablePath))
{
    for (QString* folder : {&m_folders.configHome, &m_folders.dataHome, &m_folders.stateHome}) {
        if (!folder->endsWith(u'/')) {
            folder->append(u'/');
        }
    }
}

SettingsPaths SettingsPaths::forThisProcess()
{
    QString executable = QCoreApplication::instance() != nullptr
                             ? QCoreApplication::applicationFilePath()
                             : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return SettingsPaths(executable, UserFolders::fromEnvironment());
}

QString SettingsPaths::installationFolderName(const QString& executablePath)
{
    if (executablePath.isEmpty()) {
        return {};
    }
    const QString key = executablePath.toLower().remove(u':').toLower();
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    QString name;
    for (int word = 0; word < 5; ++word) {
        quint32 value = 0;
        for (int byte = 0; byte < 4; ++byte) {
            value = (value << 8) | static_cast<unsigned char>(digest[word * 4 + byte]);
        }
        name += QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    }
    return name;
}

QString SettingsPaths::settingsFolder() const
{
    return m_folders.configHome + VendorFolder + m_installationFolderName + u'/';
}

QString SettingsPaths::dataFolder() const
{
    return m_folders.dataHome + VendorFolder + m_installationFolderName + u'/';
}

QString SettingsPaths::logFolder() const
{
    return m_folders.stateHome + VendorFolder + m_installationFolderName + QStringLiteral("/log/");
}

QString SettingsPaths::settingsFileName() const
{
    return withIniExtension(QFileInfo(m_executablePath).fileName().toLower());
}

QString SettingsPaths::settingsFile() const
{
    return settingsFolder() + settingsFileName();
}

QString SettingsPaths::sharedFolderSettingsFile() const
{
    return m_folders.configHome + VendorFolder + settingsFileName();
}

QString SettingsPaths::besideExecutableSettingsFile() const
{
    return withIniExtension(m_executablePath);
}

QString SettingsPaths::audioStoreFile() const
{
    return settingsFolder() + QStringLiteral("audio.ini");
}

QString SettingsPaths::diagnosticCopyMarker() const
{
    return settingsFolder() + QStringLiteral("tervocopy.txt");
}
