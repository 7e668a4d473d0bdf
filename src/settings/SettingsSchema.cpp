#include "settings/SettingsSchema.h"

#include "settings/IniInteger.h"
#include "settings/SecretScrambler.h"
#include "settings/SettingsLog.h"
#include "settings/SettingsSecrets.h"

namespace {

constexpr int MinimumGateIdLength = 3;
constexpr int LevelMinimum = 0;
constexpr int LevelMaximum = 100;
constexpr int DefaultLevel = 100;

// Names every key of the file once, with its type and default. Record is SettingsRecord for the visitors that fill
// a record and const SettingsRecord for the one that writes a file. Each visitor method gets the key, the field
// and the key's default; the kinds beyond plain flags, integers and texts carry a rule of their own.
template <typename Record, typename Visitor>
void visitSettings(Record& r, Visitor& v, const SettingsSchema& schema)
{
    const auto key = [](const char* name) {
        return QString::fromLatin1(name);
    };

    v.section(key("Ogolne"));
    v.flag(key("AutoBlokada"), r.Ogolne.AutoBlokada, false);
    v.flag(key("ZapiszKlucz"), r.Ogolne.ZapiszKlucz, false);
    v.flag(key("Klawisz"), r.Ogolne.Klawisz, false);
    v.integer(key("KlawiszWybor"), r.Ogolne.KlawiszWybor, 0);
    v.flag(key("InfoPokaz"), r.Ogolne.InfoPokaz, false);
    v.text(key("Info"), r.Ogolne.Info, QString());
    v.integer(key("HistData"), r.Ogolne.HistData, 0);
    v.flag(key("PokazOd"), r.Ogolne.PokazOd, false);
    v.flag(key("PytajEsc"), r.Ogolne.PytajEsc, true);
    v.flag(key("Autostart"), r.Ogolne.Autostart, true);
    v.flag(key("Powiadomienia"), r.Ogolne.Powiadomienia, true);
    v.flag(key("ShowCmt"), r.Ogolne.ShowCmt, true);
    v.flag(key("Splash"), r.Ogolne.Splash, true);
    v.flag(key("Keyring"), r.Ogolne.Keyring, false);

    v.section(key("Siec"));
    v.secret(key("Klucz"), r.Siec.Klucz, r.Ogolne.ZapiszKlucz || r.Siec.ZapiszKlucz);
    v.flag(key("ZapiszKlucz"), r.Siec.ZapiszKlucz, false);
    v.text(key("TelNr"), r.Siec.TelNr, QString());
    v.flag(key("Szukaj"), r.Siec.Szukaj, true);
    v.flag(key("OknoWysBl"), r.Siec.OknoWysBl, false);
    v.text(key("Serwer"), r.Siec.Serwer, key("Serwer"));
    v.integer(key("Port"), r.Siec.Port, 5524);
    v.flag(key("PokazBladServ"), r.Siec.PokazBladServ, true);

    v.section(key("Sms"));
    v.secret(key("Klucz"), r.Sms.Klucz, true);
    v.gateId(key("Translacja"), r.Sms.Translacja, key("0"));
    v.text(key("SmsPeriod"), r.Sms.SmsPeriod, key("3"));
    v.text(key("SmsKier"), r.Sms.SmsKier, key("48"));
    v.flag(key("SmsOn"), r.Sms.SmsOn, false);
    v.flag(key("SMSSendRead"), r.Sms.SMSSendRead, false);
    v.flag(key("SmsAddCountry"), r.Sms.SmsAddCountry, false);
    v.flag(key("SmsEventOn"), r.Sms.SmsEventOn, true);
    v.smallInteger(key("SmsEventReaction"), r.Sms.SmsEventReaction, 0);
    v.smallInteger(key("SmsEventWave"), r.Sms.SmsEventWave, 0);
    v.text(key("SmsEventCustomFile"), r.Sms.SmsEventCustomFile, QString());
    v.smallInteger(key("SmsRcFile"), r.Sms.SmsRcFile, 0);
    v.flag(key("ShowIncoming"), r.Sms.ShowIncoming, false);

    v.section(key("Gate"));
    for (int gate = 1; gate <= SettingsRecord::GateCount; ++gate) {
        v.text(QStringLiteral("GATE%1").arg(gate), r.Gate.Comments[gate - 1], QString());
        v.secret(QStringLiteral("PIN%1").arg(gate), r.Gate.Pins[gate - 1], true);
    }

    v.section(key("DND"));
    v.flag(key("DNDIdle"), r.DND.DNDIdle, false);
    v.integer(key("IdleDNDTime"), r.DND.IdleDNDTime, 5);
    v.flag(key("DNDClose"), r.DND.DNDClose, false);

    v.section(key("Przeniesienie"));
    v.integer(key("PrzenDo"), r.Przeniesienie.PrzenDo, 0);
    v.text(key("NaNr"), r.Przeniesienie.NaNr, QString());
    v.integer(key("SposPrzen"), r.Przeniesienie.SposPrzen, 0);
    v.integer(key("IlDzwonk"), r.Przeniesienie.IlDzwonk, 2);
    v.integer(key("SposWywol"), r.Przeniesienie.SposWywol, 0);
    v.flag(key("Pytaj"), r.Przeniesienie.Pytaj, true);
    v.flag(key("Auto"), r.Przeniesienie.Auto, false);
    v.flag(key("OnIdle"), r.Przeniesienie.OnIdle, false);
    v.integer(key("IdleFwdTime"), r.Przeniesienie.IdleFwdTime, 5);

    v.section(key("Notatki"));
    v.flag(key("OtwNotatki"), r.Notatki.OtwNotatki, false);
    v.integer(key("OtwNotatkiNa"), r.Notatki.OtwNotatkiNa, 0);

    v.section(key("Zachowanie"));
    v.flag(key("Powiekszenie"), r.Zachowanie.Powiekszenie, false);
    v.flag(key("OtwPodn"), r.Zachowanie.OtwPodn, true);
    v.flag(key("OtwDzwon"), r.Zachowanie.OtwDzwon, true);
    v.flag(key("OtwPodnSluch"), r.Zachowanie.OtwPodnSluch, true);
    v.flag(key("OtwKlikIkony"), r.Zachowanie.OtwKlikIkony, true);
    v.flag(key("OtwWiad"), r.Zachowanie.OtwWiad, true);
    v.flag(key("ZamOdloz"), r.Zachowanie.ZamOdloz, false);
    v.flag(key("ZamKonDzw"), r.Zachowanie.ZamKonDzw, false);
    v.flag(key("ZamKlikIkony"), r.Zachowanie.ZamKlikIkony, true);
    v.flag(key("Podpowiedzi"), r.Zachowanie.Podpowiedzi, true);
    v.flag(key("StrefaNr"), r.Zachowanie.StrefaNr, true);
    v.flag(key("DzwZad"), r.Zachowanie.DzwZad, false);
    v.flag(key("DzwWiad"), r.Zachowanie.DzwWiad, false);
    v.flag(key("DzwOczek"), r.Zachowanie.DzwOczek, false);

    v.section(key("Ksiazka"));
    v.text(key("LiniaZew1"), r.Ksiazka.LiniaZew1, key("0"));
    v.text(key("LiniaZew2"), r.Ksiazka.LiniaZew2, key("8"));
    v.flag(key("GorLinia"), r.Ksiazka.GorLinia, false);
    v.integer(key("Tryb"), r.Ksiazka.Tryb, 0);
    v.integer(key("TrybGrup"), r.Ksiazka.TrybGrup, 0);
    v.text(key("KsPrywatna"), r.Ksiazka.KsPrywatna, schema.defaultPrivateBookFolder());
    v.text(key("KsPubliczna"), r.Ksiazka.KsPubliczna, QString());
    v.integer(key("Priorytet"), r.Ksiazka.Priorytet, 0);
    v.integer(key("Uzytkownik"), r.Ksiazka.Uzytkownik, 0);
    v.integer(key("SzukajNazw"), r.Ksiazka.SzukajNazw, 2);
    v.flag(key("IgnorujPolskieZnaki"), r.Ksiazka.IgnorujPolskieZnaki, true);
    v.flag(key("FiltrNazw"), r.Ksiazka.FiltrNazw, true);
    v.flag(key("FiltrNumerow"), r.Ksiazka.FiltrNumerow, true);
    v.flag(key("DodajNowy"), r.Ksiazka.DodajNowy, false);
    v.integer(key("DodajNowyNa"), r.Ksiazka.DodajNowyNa, 0);
    v.integer(key("AutoDzwonCzas"), r.Ksiazka.AutoDzwonCzas, 5);
    v.integer(key("EdycjaX"), r.Ksiazka.EdycjaX, -1);
    v.integer(key("EdycjaY"), r.Ksiazka.EdycjaY, -1);
    v.integer(key("X"), r.Ksiazka.X, -1);
    v.integer(key("Y"), r.Ksiazka.Y, -1);
    v.integer(key("Wys"), r.Ksiazka.Wys, -1);
    v.integer(key("Szer"), r.Ksiazka.Szer, -1);
    v.writeOnlyInteger(key("Stan"), r.Ksiazka.Tryb);
    v.writeOnlyFlag(key("PokStany"), r.Ksiazka.PokStany);

    v.section(key("Glowne"));
    v.flag(key("OnTop"), r.Glowne.OnTop, false);
    v.integer(key("MaleX"), r.Glowne.MaleX, -1);
    v.integer(key("MaleY"), r.Glowne.MaleY, -1);
    v.integer(key("OwalX"), r.Glowne.OwalX, -1);
    v.integer(key("OwalY"), r.Glowne.OwalY, -1);
    v.integer(key("GroupEditX"), r.Glowne.GroupEditX, -1);
    v.integer(key("GroupEditY"), r.Glowne.GroupEditY, -1);

    v.section(key("Historia"));
    v.folder(key("Katalog"), r.Historia.Katalog, schema.defaultConversationLogFolder());
    v.flag(key("Usun"), r.Historia.Usun, true);
    v.integer(key("UsunPo"), r.Historia.UsunPo, 1000);
    v.flag(key("Mrugaj"), r.Historia.Mrugaj, true);
    v.flag(key("OtworzDom"), r.Historia.OtworzDom, true);
    v.flag(key("Stracone"), r.Historia.Stracone, true);
    v.integer(key("FiltrWgDaty"), r.Historia.FiltrWgDaty, 0);
    v.integer(key("FiltrWgTypu"), r.Historia.FiltrWgTypu, 0);
    v.integer(key("FiltrWgNr"), r.Historia.FiltrWgNr, 0);
    v.integer(key("FiltrWgRozm"), r.Historia.FiltrWgRozm, 0);
    v.flag(key("PanelLegendy"), r.Historia.PanelLegendy, false);
    v.flag(key("PanelFiltr"), r.Historia.PanelFiltr, false);
    v.integer(key("X"), r.Historia.X, -1);
    v.integer(key("Y"), r.Historia.Y, -1);
    v.integer(key("Wys"), r.Historia.Wys, -1);
    v.flag(key("ColNrOn"), r.Historia.ColNrOn, true);

    v.section(key("Konta"));
    v.flag(key("Wlacz"), r.Konta.Wlacz, false);
    v.flag(key("Zapisz"), r.Konta.Zapisz, false);
    v.text(key("Numer"), r.Konta.Numer, QString());
    v.secret(key("Klucz"), r.Konta.Klucz, true);
    v.flag(key("AutoOff"), r.Konta.AutoOff, true);
    v.flag(key("AccHistory"), r.Konta.AccHistory, false);

    v.section(key("Lampki"));
    v.integer(key("X"), r.Lampki.X, -1);
    v.integer(key("Y"), r.Lampki.Y, -1);
    v.integer(key("Wys"), r.Lampki.Wys, -1);
    v.integer(key("Szer"), r.Lampki.Szer, -1);

    v.section(key("TAPI"));
    v.flag(key("Wylacz"), r.TAPI.Wylacz, false);

    v.section(key("Audio"));
    v.level(key("Glosnosc"), r.Audio.Glosnosc, DefaultLevel);
    v.level(key("PoziomNagrania"), r.Audio.PoziomNagrania, DefaultLevel);
    v.text(key("Katalog"), r.Audio.Katalog, QString());
    v.flag(key("NagrywanieWlaczone"), r.Audio.NagrywanieWlaczone, false);
    v.integer(key("TrybNagrywania"), r.Audio.TrybNagrywania, 0);
    v.integer(key("KompresjaDopuszczalna"), r.Audio.KompresjaDopuszczalna, -1);
    v.integer(key("Kanaly"), r.Audio.Kanaly, 1);
    v.smallInteger(key("ZrodloAudio"), r.Audio.ZrodloAudio, 1);
    v.writeOnlyFlag(key("WinMixer"), r.Audio.WinMixer);
}

// Puts every key's default into a record.
class DefaultsVisitor final {
public:
    void section(const QString&) {}
    void flag(const QString&, bool& field, bool fallback) { field = fallback; }
    void integer(const QString&, int& field, int fallback) { field = fallback; }
    void smallInteger(const QString&, std::uint8_t& field, std::uint8_t fallback) { field = fallback; }
    void text(const QString&, QString& field, const QString& fallback) { field = fallback; }
    void secret(const QString&, QString& field, bool) { field.clear(); }
    void gateId(const QString& key, QString& field, const QString& fallback) { text(key, field, fallback); }
    void level(const QString& key, int& field, int fallback) { integer(key, field, fallback); }
    void folder(const QString& key, QString& field, const QString& fallback) { text(key, field, fallback); }
    void writeOnlyInteger(const QString&, int) {}
    void writeOnlyFlag(const QString&, bool) {}
};

// Fills a record from a document; a missing or malformed value gives the key's default.
class ReadVisitor final {
public:
    explicit ReadVisitor(const IniDocument& document)
        : m_document(document)
    {
    }

    void section(const QString& name) { m_section = name; }

    void flag(const QString& key, bool& field, bool fallback)
    {
        const std::optional<int> number = integerValue(key);
        field = number ? *number != 0 : fallback;
    }

    void integer(const QString& key, int& field, int fallback) { field = integerValue(key).value_or(fallback); }

    void smallInteger(const QString& key, std::uint8_t& field, std::uint8_t fallback)
    {
        const std::optional<int> number = integerValue(key);
        const bool fits = number && *number >= 0 && *number <= 255;
        if (number && !fits) {
            qCWarning(lcSettings) << "Value out of range 0..255 for" << m_section << key << "- using the default";
        }
        field = fits ? static_cast<std::uint8_t>(*number) : fallback;
    }

    void text(const QString& key, QString& field, const QString& fallback)
    {
        field = m_document.value(m_section, key).value_or(fallback);
    }

    void secret(const QString& key, QString& field, bool)
    {
        const std::optional<QString> stored = m_document.value(m_section, key);
        const std::optional<QString> secret = SecretScrambler::unscramble(stored.value_or(QString()));
        if (!secret) {
            qCWarning(lcSettings) << "The stored PIN of" << m_section << key << "is not readable; it is left empty";
        }
        field = secret.value_or(QString());
    }

    // The gate id is used with at least three digits ("7" is "007").
    void gateId(const QString& key, QString& field, const QString& fallback)
    {
        text(key, field, fallback);
        field = field.rightJustified(MinimumGateIdLength, u'0');
    }

    // A level outside 0..100 is taken as full level.
    void level(const QString& key, int& field, int fallback)
    {
        integer(key, field, fallback);
        if (field < LevelMinimum || field > LevelMaximum) {
            field = DefaultLevel;
        }
    }

    // An empty folder is as good as none.
    void folder(const QString& key, QString& field, const QString& fallback)
    {
        text(key, field, fallback);
        if (field.isEmpty()) {
            field = fallback;
        }
    }

    void writeOnlyInteger(const QString&, int) {}
    void writeOnlyFlag(const QString&, bool) {}

private:
    std::optional<int> integerValue(const QString& key) const
    {
        const std::optional<QString> value = m_document.value(m_section, key);
        if (!value) {
            return std::nullopt;
        }
        const std::optional<int> number = parseIniInteger(*value);
        if (!number) {
            qCWarning(lcSettings) << "Not an integer for" << m_section << key << "- using the default";
        }
        return number;
    }

    const IniDocument& m_document;
    QString m_section;
};

QString flagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// Writes a record into a document.
class WriteVisitor final {
public:
    explicit WriteVisitor(IniDocument& document)
        : m_document(document)
    {
    }

    void section(const QString& name) { m_section = name; }
    void flag(const QString& key, bool field, bool) { put(key, flagText(field)); }
    void integer(const QString& key, int field, int) { put(key, QString::number(field)); }
    void smallInteger(const QString& key, std::uint8_t field, std::uint8_t) { put(key, QString::number(field)); }
    void text(const QString& key, const QString& field, const QString&) { put(key, field); }
    void secret(const QString& key, const QString& field, bool written)
    {
        put(key, written ? SecretScrambler::scramble(field) : QString());
    }

    // Saved as the plain decimal number ("007" as "7"); a text that is no number is kept as it is.
    void gateId(const QString& key, const QString& field, const QString&)
    {
        const std::optional<int> number = parseIniInteger(field);
        put(key, number ? QString::number(*number) : field);
    }

    void level(const QString& key, int field, int fallback) { integer(key, field, fallback); }
    void folder(const QString& key, const QString& field, const QString& fallback) { text(key, field, fallback); }
    void writeOnlyInteger(const QString& key, int value) { put(key, QString::number(value)); }
    void writeOnlyFlag(const QString& key, bool value) { put(key, flagText(value)); }

private:
    void put(const QString& key, const QString& value) { m_document.setValue(m_section, key, value); }

    IniDocument& m_document;
    QString m_section;
};

} // namespace

SettingsSchema::SettingsSchema(QString dataFolder)
    : m_dataFolder(std::move(dataFolder))
{
}

QString SettingsSchema::defaultPrivateBookFolder() const
{
    return m_dataFolder.isEmpty() ? QString() : m_dataFolder + QStringLiteral("PhoneBook");
}

QString SettingsSchema::defaultConversationLogFolder() const
{
    return m_dataFolder.isEmpty() ? QString() : m_dataFolder + QStringLiteral("History/ConversationLog");
}

void SettingsSchema::applyDefaults(SettingsRecord& record) const
{
    DefaultsVisitor visitor;
    visitSettings(record, visitor, *this);
    record.Ksiazka.PokStany = false;
    record.Audio.WinMixer = false;
}

void SettingsSchema::read(const IniDocument& document, SettingsRecord& record) const
{
    ReadVisitor visitor(document);
    visitSettings(record, visitor, *this);
    record.WorkingPin = record.Siec.Klucz;
    record.Audio.WinMixer = false;
}

void SettingsSchema::write(const SettingsRecord& record, IniDocument& document) const
{
    WriteVisitor visitor(document);
    if (!record.Ogolne.Keyring) {
        visitSettings(record, visitor, *this);
        return;
    }
    // The keyring holds the secrets: the file gets their keys empty and the book locations without password.
    SettingsRecord withoutSecrets = record;
    SettingsSecrets::removeAll(withoutSecrets);
    visitSettings(withoutSecrets, visitor, *this);
}
