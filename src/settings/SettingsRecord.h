#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Every user option of the client, one field per key of the settings file. The nested structs are the file's
// sections and the fields carry the keys' names, so code names an option exactly as the file does
// (record.Siec.Serwer is key Serwer of section [Siec]). A new record holds the defaults of every key.
struct SettingsRecord {
    static constexpr int GateCount = 99;

    SettingsRecord();

    struct OgolneSection {
        bool AutoBlokada;
        bool ZapiszKlucz;
        bool Klawisz;
        int KlawiszWybor;
        bool InfoPokaz;
        QString Info;
        int HistData;
        bool PokazOd;
        bool PytajEsc;
        bool Autostart;
        bool ShowCmt;
        bool Splash;
    } Ogolne{};

    struct SiecSection {
        QString Klucz;
        bool ZapiszKlucz;
        QString TelNr;
        bool Szukaj;
        bool OknoWysBl;
        QString Serwer;
        int Port;
        bool PokazBladServ;
    } Siec{};

    struct SmsSection {
        QString Klucz;
        QString Translacja;
        QString SmsPeriod;
        QString SmsKier;
        bool SmsOn;
        bool SMSSendRead;
        bool SmsAddCountry;
        bool SmsEventOn;
        std::uint8_t SmsEventReaction;
        std::uint8_t SmsEventWave;
        QString SmsEventCustomFile;
        std::uint8_t SmsRcFile;
        bool ShowIncoming;
    } Sms{};

    // Entry i belongs to GSM gate i + 1 (keys GATE1..GATE99 and PIN1..PIN99).
    struct GateSection {
        std::array<QString, GateCount> Comments;
        std::array<QString, GateCount> Pins;
    } Gate{};

    struct DNDSection {
        bool DNDIdle;
        int IdleDNDTime;
        bool DNDClose;
    } DND{};

    struct PrzeniesienieSection {
        int PrzenDo;
        QString NaNr;
        int SposPrzen;
        int IlDzwonk;
        int SposWywol;
        bool Pytaj;
        bool Auto;
        bool OnIdle;
        int IdleFwdTime;
    } Przeniesienie{};

    struct NotatkiSection {
        bool OtwNotatki;
        int OtwNotatkiNa;
    } Notatki{};

    struct ZachowanieSection {
        bool Powiekszenie;
        bool OtwPodn;
        bool OtwDzwon;
        bool OtwPodnSluch;
        bool OtwKlikIkony;
        bool OtwWiad;
        bool ZamOdloz;
        bool ZamKonDzw;
        bool ZamKlikIkony;
        bool Podpowiedzi;
        bool StrefaNr;
        bool DzwZad;
        bool DzwWiad;
        bool DzwOczek;
    } Zachowanie{};

    struct KsiazkaSection {
        QString LiniaZew1;
        QString LiniaZew2;
        bool GorLinia;
        int Tryb;
        int TrybGrup;
        QString KsPrywatna;
        QString KsPubliczna;
        int Priorytet;
        int Uzytkownik;
        int SzukajNazw;
        bool IgnorujPolskieZnaki;
        bool FiltrNazw;
        bool FiltrNumerow;
        bool DodajNowy;
        int DodajNowyNa;
        int AutoDzwonCzas;
        int EdycjaX;
        int EdycjaY;
        int X;
        int Y;
        int Wys;
        int Szer;
        bool PokStany; // written to the file, never read back
    } Ksiazka{};

    struct GlowneSection {
        bool OnTop;
        int MaleX;
        int MaleY;
        int OwalX;
        int OwalY;
        int GroupEditX;
        int GroupEditY;
    } Glowne{};

    struct HistoriaSection {
        QString Katalog;
        bool Usun;
        int UsunPo;
        bool Mrugaj;
        bool OtworzDom;
        bool Stracone;
        int FiltrWgDaty;
        int FiltrWgTypu;
        int FiltrWgNr;
        int FiltrWgRozm;
        bool PanelLegendy;
        bool PanelFiltr;
        int X;
        int Y;
        int Wys;
        bool ColNrOn;
    } Historia{};

    struct KontaSection {
        bool Wlacz;
        bool Zapisz;
        QString Numer;
        QString Klucz;
        bool AutoOff;
        bool AccHistory;
    } Konta{};

    struct LampkiSection {
        int X;
        int Y;
        int Wys;
        int Szer;
    } Lampki{};

    struct TAPISection {
        bool Wylacz;
    } TAPI{};

    struct AudioSection {
        int Glosnosc;
        int PoziomNagrania;
        QString Katalog;
        bool NagrywanieWlaczone;
        int TrybNagrywania;
        int KompresjaDopuszczalna;
        int Kanaly;
        std::uint8_t ZrodloAudio;
        bool WinMixer; // written to the file, never read back; always false after a load
    } Audio{};

    // The extension PIN the PBX login uses, copied from Siec.Klucz at load.
    QString WorkingPin;
    // Dial numbers in the exchange's speed-dial form (closed with "#"). Switched in the configuration dialog for the
    // running program only: off at every start and never saved.
    bool SpeedDialConversion = false;
    // Set once the record has been filled from the file; a record that was never loaded is never saved.
    bool Loaded = false;
    // Set when the marker file for diagnostic copies of fetched recordings exists at load time; never saved.
    bool DiagnosticCopy = false;
};
