#pragma once

#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

// The secrets the settings record holds, by name, so that they can be kept somewhere other than the settings file:
// "Siec/Klucz" (the extension PIN, also the lock PIN; only when a save-PIN option is set, as in the file),
// "Sms/Klucz", "Konta/Klucz", "Gate/PIN1".."Gate/PIN99", and "Ksiazka/KsPrywatna" and "Ksiazka/KsPubliczna", the
// password written into a postgresql:// book location. Empty secrets are left out.
namespace SettingsSecrets {

using Secrets = QMap<QString, QString>;

Secrets collect(const SettingsRecord& record);

// Puts each named secret into its field where that field is still empty, so that a value typed since is never
// replaced by an older one; names this build does not know are ignored. Returns the names applied.
QStringList fillEmpty(const Secrets& secrets, SettingsRecord& record);

// Empties every secret field of the record and takes the passwords out of its book locations.
void removeAll(SettingsRecord& record);

// The secrets as one small JSON object, and back; nothing for a text that is not such an object of texts.
QByteArray encode(const Secrets& secrets);
std::optional<Secrets> decode(const QByteArray& data);

// The password of a postgresql:// location, the location without it, and the location with one put in. Any
// other location has no password and is returned unchanged.
QString passwordOf(const QString& location);
QString withoutPassword(const QString& location);
QString withPassword(const QString& location, const QString& password);

} // namespace SettingsSecrets
