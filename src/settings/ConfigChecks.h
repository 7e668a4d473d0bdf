#pragma once

#include "settings/SettingsRecord.h"

#include <QString>
#include <QStringList>
#include <functional>

// The rules the configuration dialog applies to what the user entered before it becomes the settings: fixed
// values, the forwarding the exchange can do, a usable recordings folder, a complete SMS set-up and an existing
// notification sound. Some rules correct the entry and say so; others refuse it.
class ConfigChecks final {
public:
    struct Environment {
        // The exchange forwards only calls left unanswered after two rings, for all calls.
        bool twoRingForwardingOnly = false;
        // Where recordings go when the chosen folder is not usable.
        QString defaultRecordingsFolder;
        // An existing folder that files can be written in.
        std::function<bool(const QString& folder)> folderUsable;
        // Creates the folder with its missing parents; false when it cannot.
        std::function<bool(const QString& folder)> makeFolder;
        std::function<bool(const QString& file)> fileExists;

        // The real file system.
        static Environment fileSystem(QString defaultRecordingsFolder, bool twoRingForwardingOnly);
    };

    struct Outcome {
        bool accepted = true;
        // What the user is told, in order.
        QStringList messages;
    };

    static constexpr int FixedPort = 5524;
    static constexpr int TwoRings = 2;

    // Corrects candidate where a rule says so; accepted is false when a rule refuses the entry.
    static Outcome check(SettingsRecord& candidate, const Environment& environment);

private:
    static void fixForwarding(SettingsRecord& candidate, Outcome& outcome);
    static void checkRecordingsFolder(SettingsRecord& candidate, const Environment& environment, Outcome& outcome);
    static void checkSms(const SettingsRecord& candidate, Outcome& outcome);
    static void checkSmsSound(SettingsRecord& candidate, const Environment& environment, Outcome& outcome);
};
