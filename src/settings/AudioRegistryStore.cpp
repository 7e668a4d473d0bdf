#include "settings/AudioRegistryStore.h"

#include "settings/IniFile.h"
#include "settings/IniInteger.h"
#include "settings/SettingsLog.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString ValuesSection = QStringLiteral("Audio");

// A name that would break the line it is written on cannot be stored.
bool isStorableName(const QString& name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'=') && !name.contains(u'\n') && !name.contains(u'\r') &&
           !name.trimmed().startsWith(u'[') && !name.trimmed().startsWith(u';');
}

} // namespace

AudioRegistryStore::AudioRegistryStore(QString filePath)
    : m_filePath(std::move(filePath))
{
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath())) {
        qCWarning(lcSettings) << "Cannot create the folder of the audio store" << m_filePath;
        return;
    }
    IniFile::ReadResult result = IniFile::read(m_filePath);
    if (result.status == IniFile::ReadStatus::Unreadable) {
        qCWarning(lcSettings) << "Cannot read the audio store" << m_filePath;
        return;
    }
    m_document = std::move(result.document);
    m_open = true;
}

int AudioRegistryStore::readInteger(const QString& name, int defaultValue) const
{
    if (!m_open) {
        return defaultValue;
    }
    const std::optional<QString> value = m_document.value(ValuesSection, name);
    if (!value) {
        return defaultValue;
    }
    return parseIniInteger(*value).value_or(defaultValue);
}

void AudioRegistryStore::writeInteger(const QString& name, int value)
{
    if (!m_open) {
        return;
    }
    if (!isStorableName(name)) {
        qCWarning(lcSettings) << "Audio store value name not storable:" << name;
        return;
    }
    IniDocument updated = m_document;
    updated.setValue(ValuesSection, name, QString::number(value));
    const QString error = IniFile::write(m_filePath, updated);
    if (!error.isEmpty()) {
        qCWarning(lcSettings) << "Cannot write the audio store" << m_filePath << error;
        return;
    }
    m_document = std::move(updated);
}

bool AudioRegistryStore::valueExists(const QString& prefix, const QString& name) const
{
    return m_open && m_document.contains(ValuesSection, compositeName(prefix, name));
}

int AudioRegistryStore::readInteger(const QString& prefix, const QString& name, int defaultValue) const
{
    return readInteger(compositeName(prefix, name), defaultValue);
}

QString AudioRegistryStore::compositeName(const QString& prefix, const QString& name)
{
    return prefix + u'\\' + name;
}
