#include "app/HistoryWindowAssembly.h"

#include "books/database/TdbCore.h"
#include "phone/TelephoneWindowLogic.h"
#include "recording/RecordingStorage.h"
#include "recording/pbx/CERecManager.h"
#include "recording/pbx/PbxRecordingName.h"
#include "settings/Clock.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>

namespace {

THistoryForm::Openers formOpeners(TelephoneWindowLogic& window, const HistoryWindowAssembly::Openers& openers)
{
    THistoryForm::Openers form;
    form.call = [&window](const QString& number) {
        // As if typed into the entry line and confirmed.
        window.entryEdited(number);
        window.dial();
    };
    form.sendSms = openers.sendSms;
    form.editContact = openers.editContact;
    form.addToBook = openers.addToBook;
    form.openNotes = openers.openNotes;
    form.configuration = openers.configuration;
    return form;
}

} // namespace

HistoryWindowAssembly::HistoryWindowAssembly(SettingsStore& settings, TdbCore& books, TelephoneWindowLogic& window,
                                             Openers openers)
    : HistoryWindowAssembly(
          settings.record(), RecordingStorage::defaultFolderIn(settings.paths().dataFolder()),
          [&settings] {
              try {
                  settings.save();
              } catch (const std::exception& error) {
                  qWarning().noquote() << "The settings could not be saved:" << error.what();
              }
          },
          books, window, std::move(openers), {}, Clock::system())
{
}

HistoryWindowAssembly::HistoryWindowAssembly(SettingsRecord& settings, QString defaultRecordingsFolder,
                                             std::function<void()> saveSettings, TdbCore& books,
                                             TelephoneWindowLogic& window, Openers openers,
                                             THistoryForm::Prompts prompts, Clock& clock)
    : m_browser(books, settings, clock)
    , m_player({[&settings, folder = std::move(defaultRecordingsFolder)] {
                    return settings.Audio.Katalog.isEmpty() ? folder : settings.Audio.Katalog;
                },
                [&books](const QString& number) { return books.nameForNumber(number); }, openers.exchangeRecording,
                openers.openUrl ? openers.openUrl : [](const QUrl& url) { return QDesktopServices::openUrl(url); }})
    , m_form(m_browser, m_player, settings, formOpeners(window, openers), std::move(prompts))
{
    // Looking at the history ends the missed-call indication: the count, the tray's flashing and its default item.
    QObject::connect(&m_browser, &HistoryBrowser::seenMarked, &window, [&window] { window.setMissed(false); });
    // The filters, panels and place of the window are kept when it closes.
    QObject::connect(&m_form, &THistoryForm::closed, &m_form, [save = std::move(saveSettings)] {
        if (save) {
            save();
        }
    });
}

QUrl HistoryWindowAssembly::exchangeRecording(const CERecManager& manager, const QString& recordingId)
{
    for (const CFileCompleteData& file : manager.completedFiles()) {
        if (PbxRecordingName::identifierOfAnnounced(file.remoteName) != recordingId) {
            continue;
        }
        if (QFileInfo(file.localPath).isFile()) {
            return QUrl::fromLocalFile(file.localPath);
        }
        return QUrl(manager.RecordingAddress(file.remoteName));
    }
    return {};
}
