#include "settings/SettingsRecord.h"

#include "settings/SettingsSchema.h"

SettingsRecord::SettingsRecord()
{
    // The in-memory defaults are the file's defaults; the folders that depend on the installation stay empty
    // until a load supplies them.
    SettingsSchema(QString()).applyDefaults(*this);
}
