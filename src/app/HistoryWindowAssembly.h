#pragma once

#include "books/history/HistoryBrowser.h"
#include "books/history/HistoryRecordingPlayer.h"
#include "books/ui/THistoryForm.h"

#include <QUrl>
#include <functional>

class CERecManager;
class Clock;
class SettingsStore;
class TdbCore;
class TelephoneWindowLogic;
struct SettingsRecord;

// The call history window wired in: its rows from the books' history, "Call" to the telephone window, seen marks
// to the telephone window's missed-call indication, the recordings to the desktop's player, and the windows of
// other parts (SMS, the book's contact windows, the configuration) through the openers given.
class HistoryWindowAssembly final {
public:
    struct Openers {
        std::function<void(const QString& number)> sendSms;
        std::function<void(const QString& number)> editContact;
        std::function<void(const QString& number, int position)> addToBook;
        std::function<void(const QString& number)> openNotes;
        std::function<void()> configuration;
        // The address of the exchange's recording with this identifier, empty when unknown.
        std::function<QUrl(const QString& recordingId)> exchangeRecording;
        // Hands an address to the desktop's default program; QDesktopServices when empty.
        std::function<bool(const QUrl& url)> openUrl;
    };

    HistoryWindowAssembly(SettingsStore& settings, TdbCore& books, TelephoneWindowLogic& window, Openers openers);
    // The settings record with the default recordings folder and how the record is saved; the clock gives today.
    HistoryWindowAssembly(SettingsRecord& settings, QString defaultRecordingsFolder, std::function<void()> saveSettings,
                          TdbCore& books, TelephoneWindowLogic& window, Openers openers, THistoryForm::Prompts prompts,
                          Clock& clock);

    // TrayHistory, MenuHistory, the history button and a tray click while missed calls wait.
    void open() { m_form.showHistory(); }

    THistoryForm& form() { return m_form; }
    HistoryBrowser& browser() { return m_browser; }

    // Where the exchange's recording of that identifier is: its stored file, else its address on the exchange.
    static QUrl exchangeRecording(const CERecManager& manager, const QString& recordingId);

private:
    HistoryBrowser m_browser;
    HistoryRecordingPlayer m_player;
    THistoryForm m_form;
};
