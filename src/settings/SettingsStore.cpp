#include "settings/SettingsStore.h"

#include "settings/IniFile.h"
#include "settings/Lang.h"
#include "settings/SettingsError.h"
#include "settings/SettingsLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SettingsStore::SettingsStore(SettingsPaths paths)
    : m_paths(std::move(paths))
    , m_schema(m_paths.dataFolder())
    , m_audioRegistry(std::make_unique<AudioRegistryStore>(m_paths.audioStoreFile()))
{
    m_schema.applyDefaults(m_record);
}

void SettingsStore::load()
{
    const Source sources[] = {
        {m_paths.settingsFile(), false},
        {m_paths.sharedFolderSettingsFile(), true},
        {m_paths.besideExecutableSettingsFile(), true},
    };

    m_record = SettingsRecord();
    m_audioRegistry = std::make_unique<AudioRegistryStore>(m_paths.audioStoreFile());
    m_document = IniDocument();
    m_loadedFrom.clear();
    bool readable = true;
    const Source* chosen = nullptr;
    for (const Source& source : sources) {
        IniFile::ReadResult result = IniFile::read(source.path);
        if (result.status == IniFile::ReadStatus::Missing) {
            continue;
        }
        chosen = &source;
        readable = result.status == IniFile::ReadStatus::Read;
        m_document = std::move(result.document);
        break;
    }

    m_schema.read(m_document, m_record);
    m_record.DiagnosticCopy = QFileInfo::exists(m_paths.diagnosticCopyMarker());

    if (chosen != nullptr && !readable) {
        // Saving over a file we could not read would lose whatever it holds.
        qCWarning(lcSettings) << "Cannot read the settings file" << chosen->path
                              << "- using the defaults, and the file will not be overwritten";
        return;
    }
    m_record.Loaded = true;
    if (chosen != nullptr) {
        m_loadedFrom = chosen->path;
        if (chosen->fromOlderLocation) {
            migrate(chosen->path);
        }
    }
}

void SettingsStore::migrate(const QString& oldPath)
{
    try {
        save();
    } catch (const SettingsError& error) {
        qCWarning(lcSettings) << "Settings from" << oldPath << "not moved to" << m_paths.settingsFile() << ":"
                              << error.message();
        return;
    }
    const QString renamed = oldPath + QStringLiteral(".old");
    QFile::remove(renamed);
    if (!QFile::rename(oldPath, renamed)) {
        qCWarning(lcSettings) << "Cannot rename" << oldPath << "to" << renamed;
    }
}

void SettingsStore::save()
{
    if (!m_record.Loaded) {
        return;
    }
    if (!QDir().mkpath(m_paths.settingsFolder())) {
        throw SettingsError(Lang::_("Cannot create directory."));
    }

    // Start from the file as it is now, so that keys this program does not write survive; a file moved from an
    // older place starts from that file's contents.
    const QString path = m_paths.settingsFile();
    IniFile::ReadResult current = IniFile::read(path);
    IniDocument document = current.status == IniFile::ReadStatus::Read ? std::move(current.document) : m_document;
    m_schema.write(m_record, document);

    const QString error = IniFile::write(path, document);
    if (!error.isEmpty()) {
        throw SettingsError(
            Lang::_("Cannot save the settings file \"%1\": %2").arg(QDir::toNativeSeparators(path), error));
    }
    m_document = std::move(document);
    if (m_savedHook) {
        m_savedHook();
    }
}
