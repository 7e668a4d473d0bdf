#include "settings/SettingsSecrets.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace SettingsSecrets {

namespace {

bool isServerLocation(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive);
}

// Calls visit(name, field, kept) for every PIN field of the record; kept is false for a PIN the file would not
// keep either.
template <typename Record, typename Visit>
void visitPins(Record& record, Visit&& visit)
{
    visit(QStringLiteral("Siec/Klucz"), record.Siec.Klucz, record.Ogolne.ZapiszKlucz || record.Siec.ZapiszKlucz);
    visit(QStringLiteral("Sms/Klucz"), record.Sms.Klucz, true);
    visit(QStringLiteral("Konta/Klucz"), record.Konta.Klucz, true);
    for (int gate = 1; gate <= SettingsRecord::GateCount; ++gate) {
        visit(QStringLiteral("Gate/PIN%1").arg(gate), record.Gate.Pins[gate - 1], true);
    }
}

template <typename Record, typename Visit>
void visitLocations(Record& record, Visit&& visit)
{
    visit(QStringLiteral("Ksiazka/KsPrywatna"), record.Ksiazka.KsPrywatna);
    visit(QStringLiteral("Ksiazka/KsPubliczna"), record.Ksiazka.KsPubliczna);
}

} // namespace

Secrets collect(const SettingsRecord& record)
{
    Secrets secrets;
    visitPins(record, [&secrets](const QString& name, const QString& field, bool kept) {
        if (kept && !field.isEmpty()) {
            secrets.insert(name, field);
        }
    });
    visitLocations(record, [&secrets](const QString& name, const QString& location) {
        const QString password = passwordOf(location);
        if (!password.isEmpty()) {
            secrets.insert(name, password);
        }
    });
    return secrets;
}

QStringList fillEmpty(const Secrets& secrets, SettingsRecord& record)
{
    QStringList applied;
    visitPins(record, [&](const QString& name, QString& field, bool) {
        const QString value = secrets.value(name);
        if (field.isEmpty() && !value.isEmpty()) {
            field = value;
            applied << name;
        }
    });
    visitLocations(record, [&](const QString& name, QString& location) {
        const QString value = secrets.value(name);
        if (isServerLocation(location) && passwordOf(location).isEmpty() && !value.isEmpty()) {
            location = withPassword(location, value);
            applied << name;
        }
    });
    return applied;
}

void removeAll(SettingsRecord& record)
{
    visitPins(record, [](const QString&, QString& field, bool) { field.clear(); });
    visitLocations(record, [](const QString&, QString& location) { location = withoutPassword(location); });
}

QByteArray encode(const Secrets& secrets)
{
    QJsonObject object;
    for (auto it = secrets.cbegin(); it != secrets.cend(); ++it) {
        object.insert(it.key(), it.value());
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<Secrets> decode(const QByteArray& data)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    Secrets secrets;
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!it.value().isString()) {
            return std::nullopt;
        }
        secrets.insert(it.key(), it.value().toString());
    }
    return secrets;
}

QString passwordOf(const QString& location)
{
    return isServerLocation(location) ? QUrl(location).password(QUrl::FullyDecoded) : QString();
}

QString withoutPassword(const QString& location)
{
    if (passwordOf(location).isEmpty()) {
        return location;
    }
    QUrl url(location);
    url.setPassword(QString());
    return url.toString();
}

QString withPassword(const QString& location, const QString& password)
{
    if (!isServerLocation(location)) {
        return location;
    }
    QUrl url(location);
    url.setPassword(password, QUrl::DecodedMode);
    return url.toString();
}

} // namespace SettingsSecrets
