#include "settings/ConfigChecks.h"

#include "settings/ConfigBindings.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFileInfo>

using Lang::_;

namespace {

constexpr int UnansweredForwarding = 1;
constexpr int AllCalls = 0;
constexpr int UserSoundFile = 1;
constexpr int ProgramSounds = 0;

} // namespace

ConfigChecks::Environment ConfigChecks::Environment::fileSystem(QString defaultRecordingsFolder,
                                                                bool twoRingForwardingOnly)
{
    Environment environment;
    environment.twoRingForwardingOnly = twoRingForwardingOnly;
    environment.defaultRecordingsFolder = std::move(defaultRecordingsFolder);
    environment.folderUsable = [](const QString& folder) {
        const QFileInfo info(folder);
        return info.isAbsolute() && info.isDir() && info.isWritable();
    };
    environment.makeFolder = [](const QString& folder) {
        return QDir().mkpath(folder);
    };
    environment.fileExists = [](const QString& file) {
        return QFileInfo(file).isFile();
    };
    return environment;
}

ConfigChecks::Outcome ConfigChecks::check(SettingsRecord& candidate, const Environment& environment)
{
    Outcome outcome;
    candidate.Siec.Port = FixedPort;
    candidate.Przeniesienie.PrzenDo = 0;
    if (environment.twoRingForwardingOnly) {
        fixForwarding(candidate, outcome);
    }
    checkRecordingsFolder(candidate, environment, outcome);
    checkSms(candidate, outcome);
    checkSmsSound(candidate, environment, outcome);
    return outcome;
}

void ConfigChecks::fixForwarding(SettingsRecord& candidate, Outcome& outcome)
{
    auto& forwarding = candidate.Przeniesienie;
    if (forwarding.SposPrzen == UnansweredForwarding && forwarding.IlDzwonk == TwoRings &&
        forwarding.SposWywol == AllCalls) {
        return;
    }
    forwarding.SposPrzen = UnansweredForwarding;
    forwarding.IlDzwonk = TwoRings;
    forwarding.SposWywol = AllCalls;
    outcome.messages.append(_("The Vexa PABX can forward calls only if they weren't picked after two ringings."));
}

// An empty folder means the default one. A folder that is not usable (a relative path, a file, read-only) is
// replaced by the default with a warning; a missing folder is created.
void ConfigChecks::checkRecordingsFolder(SettingsRecord& candidate, const Environment& environment, Outcome& outcome)
{
    auto& audio = candidate.Audio;
    if (!audio.NagrywanieWlaczone) {
        return;
    }
    QString folder = audio.Katalog.trimmed();
    if (folder.isEmpty()) {
        folder = environment.defaultRecordingsFolder;
    } else if (!environment.folderUsable(folder)) {
        const QFileInfo info(folder);
        const bool creatable = info.isAbsolute() && !info.exists();
        if (!creatable) {
            outcome.messages.append(_("Wrong access path of call files.\n Default path will be restored."));
            folder = environment.defaultRecordingsFolder;
        }
    }
    if (!environment.folderUsable(folder) && !environment.makeFolder(folder)) {
        outcome.messages.append(_("Folder %s cannot be created.").replace(QStringLiteral("%s"), folder));
        outcome.accepted = false;
        return;
    }
    audio.Katalog = folder;
}

void ConfigChecks::checkSms(const SettingsRecord& candidate, Outcome& outcome)
{
    const auto& sms = candidate.Sms;
    if (!sms.SmsOn) {
        return;
    }
    QStringList missing;
    if (gateChoice(sms.Translacja) == 0) {
        missing.append(_("SMS channel number is not set!"));
    }
    if (sms.Klucz.isEmpty()) {
        missing.append(_("SMS pin cannot be empty!"));
    }
    if (sms.SmsKier.trimmed().isEmpty()) {
        missing.append(_("International area code is not set!"));
    }
    if (missing.isEmpty()) {
        return;
    }
    outcome.messages.append(_("Short message service configuration is invalid."));
    outcome.messages.append(missing);
    outcome.accepted = false;
}

void ConfigChecks::checkSmsSound(SettingsRecord& candidate, const Environment& environment, Outcome& outcome)
{
    auto& sms = candidate.Sms;
    if (sms.SmsRcFile != UserSoundFile || environment.fileExists(sms.SmsEventCustomFile)) {
        return;
    }
    outcome.messages.append(
        _("Wave %s doesn't exist. Default sound will be used.").replace(QStringLiteral("%s"), sms.SmsEventCustomFile));
    sms.SmsRcFile = ProgramSounds;
}
