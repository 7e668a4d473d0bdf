#pragma once

#include "books/FakeBookDialogs.h"
#include "books/RecordingHistoryErrors.h"
#include "books/database/TdbCore.h"
#include "settings/SettingsRecord.h"
#include "support/ManualClock.h"

#include <QTemporaryDir>

// A books core on folders of its own: the defaults under data/, the history under history/, the private book under
// private/ and no public book. Not started: tests change the settings first.
class TdbCoreOnDisk {
public:
    TdbCoreOnDisk()
        : core(settings,
               TdbCore::DefaultFolders{folder.filePath(QStringLiteral("data/PhoneBook")),
                                       folder.filePath(QStringLiteral("data/History/ConversationLog")),
                                       folder.filePath(QStringLiteral("data/History/VoiceNotes"))},
               dialogs, historyErrors, clock)
    {
        settings.Historia.Katalog = folder.filePath(QStringLiteral("history"));
        settings.Ksiazka.KsPrywatna = folder.filePath(QStringLiteral("private"));
        settings.Ksiazka.KsPubliczna.clear();
    }

    QTemporaryDir folder;
    SettingsRecord settings;
    FakeBookDialogs dialogs;
    RecordingHistoryErrors historyErrors;
    ManualClock clock;
    TdbCore core;
};
