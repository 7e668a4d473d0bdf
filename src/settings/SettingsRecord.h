#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Every user option of the client, one field per key of the settings file. The nested structs are the file's
// sections and the fields carry the keys' names, so code names an option exactly as the file does
// (record.Siec.Serwer is key Serwer of section [Siec]); the Polish names are glossed in English where they are
// declared. A new record holds the defaults of every key.
struct SettingsRecord {
    static constexpr int GateCount = 99;

    SettingsRecord();

    // [Ogolne]: general.
    struct OgolneSection {
        bool AutoBlokada; // lock the telephone when the application closes
        bool ZapiszKlucz; // keep the extension PIN in the file (see Siec.Klucz)
        bool Klawisz;     // a global hot key shows and hides the telephone window
        int KlawiszWybor; // that key: 0..9 Ctrl+Alt+digit, 10 Ctrl+Alt+*, 11 ScrollLock, 12 PrintScreen
        bool InfoPokaz;   // show the identifier text Info
        QString Info;     // the identifier text
        int HistData;     // date style in the history window: 0 short, 1 with a description
        bool PokazOd;     // show the number the caller dialled
        bool PytajEsc;    // ask before disconnecting a call
        bool Autostart;   // start the application with the desktop session
        bool ShowCmt;     // name an unknown caller by the exchange's comment
        bool Splash;      // show the splash screen

        bool Powiadomienia; // desktop notifications of incoming and missed calls
        bool Keyring;       // the PINs and passwords live in the desktop's keyring, not in this file
    } Ogolne{};

    // [Siec]: network: the link to the exchange.
    struct SiecSection {
        QString Klucz;      // extension PIN (scrambled); written only if a ZapiszKlucz is set
        bool ZapiszKlucz;   // keep the extension PIN in the file
        QString TelNr;      // the user's extension number
        bool Szukaj;        // look for the server on the local network at start
        bool OknoWysBl;     // report a network failure in a pop-up window
        QString Serwer;     // host name or address of the exchange's telephony server
        int Port;           // that server's TCP port
        bool PokazBladServ; // report server errors to the user
    } Siec{};

    // [Sms]: short messages.
    struct SmsSection {
        QString Klucz;                 // PIN for the SMS gateway (scrambled)
        QString Translacja;            // GSM gate identifier, at least three digits in memory ("7" is "007")
        QString SmsPeriod;             // validity period of sent messages (an index, as text)
        QString SmsKier;               // international code of the user's country, without "+" or "00"
        bool SmsOn;                    // the short message service is used
        bool SMSSendRead;              // also receive messages and delivery reports; false: send only
        bool SmsAddCountry;            // force the 0 prefix on a national number put into the history
        bool SmsEventOn;               // play a sound when a message arrives
        std::uint8_t SmsEventReaction; // how the notification repeats (an index)
        std::uint8_t SmsEventWave;     // the built-in notification sound (an index)
        QString SmsEventCustomFile;    // the notification sound file, when SmsRcFile chooses a file
        std::uint8_t SmsRcFile;        // notification source: built-in sound or file (an index)
        bool ShowIncoming;             // show the SMS window as soon as a message arrives
    } Sms{};

    // [Gate]: the GSM gates of the SMS gateway. Entry i belongs to gate i + 1 (keys GATE1..GATE99, PIN1..PIN99).
    struct GateSection {
        std::array<QString, GateCount> Comments; // the user's name for each gate
        std::array<QString, GateCount> Pins;     // each gate's PIN (scrambled)
    } Gate{};

    // [DND]: do not disturb.
    struct DNDSection {
        bool DNDIdle;    // turn do-not-disturb on after IdleDNDTime without use
        int IdleDNDTime; // that idle time in minutes
        bool DNDClose;   // turn do-not-disturb on when the application closes
    } DND{};

    // [Przeniesienie]: call forwarding.
    struct PrzeniesienieSection {
        int PrzenDo;     // forwarding target kind; the configuration dialog always stores 0
        QString NaNr;    // the number calls are forwarded to
        int SposPrzen;   // when: 0 always, 1 unanswered after IlDzwonk rings, 2 busy, 3 do-not-disturb
        int IlDzwonk;    // rings before an unanswered call is forwarded
        int SposWywol;   // which calls: 0 all, 1 internal, 2 incoming direct, 3 incoming announced
        bool Pytaj;      // show the forwarding set-up when Forward is pressed
        bool Auto;       // turn forwarding on when the application quits
        bool OnIdle;     // turn forwarding on after IdleFwdTime without use
        int IdleFwdTime; // that idle time in minutes
    } Przeniesienie{};

    // [Notatki]: text notes.
    struct NotatkiSection {
        bool OtwNotatki;  // open the notes window on calls
        int OtwNotatkiNa; // on which: 0 ringing, 1 incoming call, 2 outgoing call, 3 incoming and outgoing
    } Notatki{};

    // [Zachowanie]: behaviour of the telephone window.
    struct ZachowanieSection {
        bool Powiekszenie; // zoom the telephone window
        bool OtwPodn;      // open the window on a call
        bool OtwDzwon;     // open the window on ringing
        bool OtwPodnSluch; // open the window when the handset is lifted
        bool OtwKlikIkony; // open the window on a click of the tray icon
        bool OtwWiad;      // open the window on a message
        bool ZamOdloz;     // close the window when the handset is put down
        bool ZamKonDzw;    // close the window when ringing ends
        bool ZamKlikIkony; // close the window on a click of the tray icon
        bool Podpowiedzi;  // show hints
        bool StrefaNr;     // show information about the dialled number
        bool DzwZad;       // a sound option, kept only: no control in the dialog
        bool DzwWiad;      // a sound option, kept only: no control in the dialog
        bool DzwOczek;     // a sound option, kept only: no control in the dialog
    } Zachowanie{};

    // [Ksiazka]: phone books.
    struct KsiazkaSection {
        QString LiniaZew1;        // basic outgoing-line prefix
        QString LiniaZew2;        // additional outgoing-line prefix
        bool GorLinia;            // direct access to the public network: numbers dialled without a prefix
        int Tryb;                 // the current phone book: 0 private, 1 public
        int TrybGrup;             // group display mode of the phone book window
        QString KsPrywatna;       // location of the private phone book
        QString KsPubliczna;      // location of the public phone book
        int Priorytet;            // the book that names numbers first: 0 private, 1 public
        int Uzytkownik;           // user number within the public book
        int SzukajNazw;           // name search mode
        bool IgnorujPolskieZnaki; // searching ignores Polish diacritics
        bool FiltrNazw;           // the book window filters by name
        bool FiltrNumerow;        // the book window filters by number
        bool DodajNowy;           // add new numbers to the book automatically
        int DodajNowyNa;          // when: 0 on ringing, 1 on an incoming call
        int AutoDzwonCzas;        // time of the automatic ringing service in seconds
        int EdycjaX;              // left edge of the entry editing window (-1: not placed yet)
        int EdycjaY;              // its top edge
        int X;                    // left edge of the phone book window (-1: not placed yet)
        int Y;                    // its top edge
        int Wys;                  // its height
        int Szer;                 // its width
        bool PokStany;            // written to the file, never read back
    } Ksiazka{};

    // [Glowne]: main windows.
    struct GlowneSection {
        bool OnTop;     // the telephone window stays on top
        int MaleX;      // left edge of the small telephone window (-1: not placed yet)
        int MaleY;      // its top edge
        int OwalX;      // left edge of the oval telephone window
        int OwalY;      // its top edge
        int GroupEditX; // left edge of the group editing window
        int GroupEditY; // its top edge
    } Glowne{};

    // [Historia]: call history.
    struct HistoriaSection {
        QString Katalog;   // folder of the conversation logs
        bool Usun;         // keep the history at most UsunPo calls long
        int UsunPo;        // the history's maximum length in calls
        bool Mrugaj;       // missed calls make the tray icon flash
        bool OtworzDom;    // a click on the tray icon after missed calls opens the history
        bool Stracone;     // missed calls are told on the display
        int FiltrWgDaty;   // the history window's filter by date
        int FiltrWgTypu;   // its filter by call type
        int FiltrWgNr;     // its filter by number
        int FiltrWgRozm;   // its filter by conversation
        bool PanelLegendy; // the legend panel of the history window is shown
        bool PanelFiltr;   // the filter panel of the history window is shown
        int X;             // left edge of the history window (-1: not placed yet)
        int Y;             // its top edge
        int Wys;           // its height
        bool ColNrOn;      // the number column of the history window is shown
    } Historia{};

    // [Konta]: account codes.
    struct KontaSection {
        bool Wlacz;      // an account code is used
        bool Zapisz;     // save the account setting
        QString Numer;   // the account number
        QString Klucz;   // the account PIN (scrambled)
        bool AutoOff;    // turn the account access off automatically
        bool AccHistory; // save service codes and numbers with # to the history
    } Konta{};

    // [Lampki]: the lamp window.
    struct LampkiSection {
        int X;    // left edge of the lamp window (-1: not placed yet)
        int Y;    // its top edge
        int Wys;  // its height
        int Szer; // its width
    } Lampki{};

    // [TAPI]: dial requests from other programs.
    struct TAPISection {
        bool Wylacz; // the receiver of dial requests from other programs is switched off
    } TAPI{};

    // [Audio]: call recording.
    struct AudioSection {
        int Glosnosc;              // playback volume in percent (0..100)
        int PoziomNagrania;        // recording level in percent (0..100)
        QString Katalog;           // folder of the call recordings
        bool NagrywanieWlaczone;   // calls are recorded
        int TrybNagrywania;        // recording mode: 0 all calls, 1 post recording, 2 recording
        int KompresjaDopuszczalna; // allowed compression of recordings (-1: not chosen)
        int Kanaly;                // number of recording channels
        std::uint8_t ZrodloAudio;  // recordings' source: this computer's sound card or the exchange (an index)
        bool WinMixer;             // written to the file, never read back; always false after a load
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
