#include "settings/ConfigBindings.h"

#include <algorithm>

namespace {

using Kind = ConfigBinding::Kind;
using R = SettingsRecord;

constexpr int GateIdDigits = 3;

template <typename Section>
ConfigBinding check(const char* control, Section R::*section, bool Section::*field)
{
    return {QString::fromLatin1(control), Kind::Check, [=](const R& r) { return QVariant((r.*section).*field); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = value.toBool();
            }};
}

// A check box that says the opposite of its option.
template <typename Section>
ConfigBinding negatedCheck(const char* control, Section R::*section, bool Section::*field)
{
    return {QString::fromLatin1(control), Kind::Check, [=](const R& r) { return QVariant(!((r.*section).*field)); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = !value.toBool();
            }};
}

template <typename Section>
ConfigBinding text(const char* control, Section R::*section, QString Section::*field)
{
    return {QString::fromLatin1(control), Kind::Text, [=](const R& r) { return QVariant((r.*section).*field); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = value.toString();
            }};
}

template <typename Section>
ConfigBinding number(const char* control, Section R::*section, int Section::*field)
{
    return {QString::fromLatin1(control), Kind::Number, [=](const R& r) { return QVariant((r.*section).*field); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = value.toInt();
            }};
}

template <typename Section>
ConfigBinding choice(const char* control, Section R::*section, int Section::*field)
{
    return {QString::fromLatin1(control), Kind::Choice, [=](const R& r) { return QVariant((r.*section).*field); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = value.toInt();
            }};
}

template <typename Section>
ConfigBinding smallChoice(const char* control, Section R::*section, std::uint8_t Section::*field)
{
    return {QString::fromLatin1(control), Kind::Choice, [=](const R& r) { return QVariant(int((r.*section).*field)); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = static_cast<std::uint8_t>(std::clamp(value.toInt(), 0, 255));
            }};
}

// A choice kept as the decimal text of its index (the validity period).
template <typename Section>
ConfigBinding textChoice(const char* control, Section R::*section, QString Section::*field)
{
    return {QString::fromLatin1(control), Kind::Choice,
            [=](const R& r) { return QVariant((r.*section).*field).toInt(); },
            [=](R& r, const QVariant& value) {
                (r.*section).*field = QString::number(value.toInt());
            }};
}

std::vector<ConfigBinding> makeBindings()
{
    return {
        // General
        check("PhoneBox", &R::Zachowanie, &R::ZachowanieSection::OtwPodn),
        check("RingBox", &R::Zachowanie, &R::ZachowanieSection::OtwDzwon),
        check("PickUpBox", &R::Zachowanie, &R::ZachowanieSection::OtwPodnSluch),
        check("IconClickBox", &R::Zachowanie, &R::ZachowanieSection::OtwKlikIkony),
        check("HangUpBox", &R::Zachowanie, &R::ZachowanieSection::ZamOdloz),
        check("RingOverBox", &R::Zachowanie, &R::ZachowanieSection::ZamKonDzw),
        check("ClickOffBox", &R::Zachowanie, &R::ZachowanieSection::ZamKlikIkony),
        check("EscAskBox", &R::Ogolne, &R::OgolneSection::PytajEsc),
        check("ShowCallToBox", &R::Ogolne, &R::OgolneSection::PokazOd),
        check("ShowHintBox", &R::Zachowanie, &R::ZachowanieSection::Podpowiedzi),
        check("ShowAreaBox", &R::Zachowanie, &R::ZachowanieSection::StrefaNr),
        check("ZoomBox", &R::Zachowanie, &R::ZachowanieSection::Powiekszenie),
        check("SplashBox", &R::Ogolne, &R::OgolneSection::Splash),
        check("ShowIncomPbxCmt", &R::Ogolne, &R::OgolneSection::ShowCmt),
        check("AutostartBox", &R::Ogolne, &R::OgolneSection::Autostart),
        check("HotKeyBox", &R::Ogolne, &R::OgolneSection::Klawisz),
        choice("HotKeyCombo", &R::Ogolne, &R::OgolneSection::KlawiszWybor),
        check("IdentificationBox", &R::Ogolne, &R::OgolneSection::InfoPokaz),
        text("IdentificationEdit", &R::Ogolne, &R::OgolneSection::Info),
        negatedCheck("TapiOffBox", &R::TAPI, &R::TAPISection::Wylacz),
        // Network
        text("CustomPhoneNrEdit", &R::Siec, &R::SiecSection::TelNr),
        text("CustomKeyEdit", &R::Siec, &R::SiecSection::Klucz),
        check("SaveCustomKeyBox", &R::Siec, &R::SiecSection::ZapiszKlucz),
        check("SearchForServerBox", &R::Siec, &R::SiecSection::Szukaj),
        check("NetPopupBox", &R::Siec, &R::SiecSection::OknoWysBl),
        {QStringLiteral("SpeedDialBox"), Kind::Check, [](const R& r) { return QVariant(r.SpeedDialConversion); },
         [](R& r, const QVariant& value) {
             r.SpeedDialConversion = value.toBool();
         }},
        // Phone book
        text("PrivateBookEdit", &R::Ksiazka, &R::KsiazkaSection::KsPrywatna),
        text("GlobalBookEdit", &R::Ksiazka, &R::KsiazkaSection::KsPubliczna),
        text("OutsideNr1Edit", &R::Ksiazka, &R::KsiazkaSection::LiniaZew1),
        text("OutsideNr2Edit", &R::Ksiazka, &R::KsiazkaSection::LiniaZew2),
        check("HotLineBox", &R::Ksiazka, &R::KsiazkaSection::GorLinia),
        choice("BookPriorityRadio", &R::Ksiazka, &R::KsiazkaSection::Priorytet),
        check("AutoAddNewBox", &R::Ksiazka, &R::KsiazkaSection::DodajNowy),
        choice("AutoAddNewRadio", &R::Ksiazka, &R::KsiazkaSection::DodajNowyNa),
        number("AutoFwdTimeEdit", &R::Ksiazka, &R::KsiazkaSection::AutoDzwonCzas),
        // Text notes
        check("OpenNotesBox", &R::Notatki, &R::NotatkiSection::OtwNotatki),
        choice("OpenNotesRadio", &R::Notatki, &R::NotatkiSection::OtwNotatkiNa),
        // History
        number("HisDelAftEdit", &R::Historia, &R::HistoriaSection::UsunPo),
        text("HistoryPathEdit", &R::Historia, &R::HistoriaSection::Katalog),
        check("LostTextInfoBox", &R::Historia, &R::HistoriaSection::Stracone),
        check("LostIconInfoBox", &R::Historia, &R::HistoriaSection::Mrugaj),
        check("LostHistoryInfoBox", &R::Historia, &R::HistoriaSection::OtworzDom),
        choice("HistoryDateFormatGroup", &R::Ogolne, &R::OgolneSection::HistData),
        check("AccToHistoryBox", &R::Konta, &R::KontaSection::AccHistory),
        // Transfer
        text("PTNumberEdit", &R::Przeniesienie, &R::PrzeniesienieSection::NaNr),
        choice("PutTRadio", &R::Przeniesienie, &R::PrzeniesienieSection::SposPrzen),
        number("SecondsEdit", &R::Przeniesienie, &R::PrzeniesienieSection::IlDzwonk),
        choice("PutTCallRadio", &R::Przeniesienie, &R::PrzeniesienieSection::SposWywol),
        negatedCheck("PutTAskBox", &R::Przeniesienie, &R::PrzeniesienieSection::Pytaj),
        check("AutoFWDBox", &R::Przeniesienie, &R::PrzeniesienieSection::Auto),
        check("IdleFwdBox", &R::Przeniesienie, &R::PrzeniesienieSection::OnIdle),
        number("IdleFwdTimeEdit", &R::Przeniesienie, &R::PrzeniesienieSection::IdleFwdTime),
        // Lock: the PIN is the extension PIN of the network page, shown in both places.
        text("SecureNrEdit", &R::Siec, &R::SiecSection::Klucz),
        check("SecurePhoneBox", &R::Ogolne, &R::OgolneSection::AutoBlokada),
        check("SaveSecureNrBox", &R::Ogolne, &R::OgolneSection::ZapiszKlucz),
        // Accounts
        check("AccOnBox", &R::Konta, &R::KontaSection::Wlacz),
        text("AccNrEdit", &R::Konta, &R::KontaSection::Numer),
        text("AccKeyEdit", &R::Konta, &R::KontaSection::Klucz),
        check("SaveAccBox", &R::Konta, &R::KontaSection::Zapisz),
        check("AutoAccOffBox", &R::Konta, &R::KontaSection::AutoOff),
        // Audio notes
        check("VNoteUseBox", &R::Audio, &R::AudioSection::NagrywanieWlaczone),
        text("VNoteDirEdit", &R::Audio, &R::AudioSection::Katalog),
        smallChoice("VNoteSourceRadio", &R::Audio, &R::AudioSection::ZrodloAudio),
        choice("VNoteRecMode", &R::Audio, &R::AudioSection::TrybNagrywania),
        // SMS
        check("SMSBox", &R::Sms, &R::SmsSection::SmsOn),
        {QStringLiteral("SMSTranslationCBox"), Kind::Choice,
         [](const R& r) { return QVariant(gateChoice(r.Sms.Translacja)); },
         [](R& r, const QVariant& value) {
             // An id the list cannot show comes back as it was read, and a malformed one is left as stored.
             if (value.toInt() >= 0) {
                 r.Sms.Translacja = QString::number(value.toInt()).rightJustified(GateIdDigits, u'0');
             }
         }},
        text("SMSPasswdEdit", &R::Sms, &R::SmsSection::Klucz),
        textChoice("SMSperiod", &R::Sms, &R::SmsSection::SmsPeriod),
        text("ed_kierunk", &R::Sms, &R::SmsSection::SmsKier),
        {QStringLiteral("SMSSendReadRadio"), Kind::Choice,
         [](const R& r) { return QVariant(r.Sms.SMSSendRead ? 0 : 1); },
         [](R& r, const QVariant& value) {
             r.Sms.SMSSendRead = value.toInt() == 0;
         }},
        check("SmsCountryPrefixBox", &R::Sms, &R::SmsSection::SmsAddCountry),
        // DND
        check("DNDIdle", &R::DND, &R::DNDSection::DNDIdle),
        number("EdIdleDNDTime", &R::DND, &R::DNDSection::IdleDNDTime),
        check("DNDClose", &R::DND, &R::DNDSection::DNDClose),
        // SMS events
        check("SmsEventOnCheckBox", &R::Sms, &R::SmsSection::SmsEventOn),
        smallChoice("RepeatSoundComboBox", &R::Sms, &R::SmsSection::SmsEventReaction),
        smallChoice("WaveSrcComboBox", &R::Sms, &R::SmsSection::SmsRcFile),
        smallChoice("RcWaveComboBox", &R::Sms, &R::SmsSection::SmsEventWave),
        text("CustomWaveEdit", &R::Sms, &R::SmsSection::SmsEventCustomFile),
        check("ShowSmsCheckBox", &R::Sms, &R::SmsSection::ShowIncoming),
    };
}

} // namespace

const std::vector<ConfigBinding>& configBindings()
{
    static const std::vector<ConfigBinding> bindings = makeBindings();
    return bindings;
}

int gateChoice(const QString& gateId)
{
    bool isNumber = false;
    const int gate = gateId.trimmed().toInt(&isNumber);
    return isNumber && gate >= 0 ? gate : -1;
}
