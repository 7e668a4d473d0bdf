#include "app/BookAssembly.h"

#include "app/ConsoleCallLog.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"

namespace {

TdbCore::DefaultFolders defaultFolders(const SettingsStore& settings)
{
    const QString dataFolder = settings.paths().dataFolder();
    const SettingsSchema schema(dataFolder);
    return TdbCore::DefaultFolders{schema.defaultPrivateBookFolder(), schema.defaultConversationLogFolder(),
                                   dataFolder + QStringLiteral("History/VoiceNotes")};
}

} // namespace

BookAssembly::BookAssembly(SettingsStore& settings)
    : m_core(settings.record(), defaultFolders(settings), m_dialogs, m_dialogs)
    , m_naming(m_core, settings.record())
    , m_linkServices(m_core, m_naming, &ConsoleCallLog::printHistoryRow)
{
}
