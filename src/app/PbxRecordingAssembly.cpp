#include "app/PbxRecordingAssembly.h"

#include "app/BookLinkServices.h"
#include "books/database/TdbCore.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "phone/RecordingNotice.h"
#include "phone/TelephoneWindowLogic.h"
#include "settings/Lang.h"
#include "settings/SettingsStore.h"

#include <QDebug>

using Lang::_;

namespace {

QString recordingsFolder(const SettingsRecord& settings, const SettingsStore& store)
{
    return settings.Audio.Katalog.isEmpty() ? store.paths().dataFolder() + QStringLiteral("History/VoiceNotes")
                                            : settings.Audio.Katalog;
}

} // namespace

PbxRecordingAssembly::PbxRecordingAssembly(SettingsStore& settings, TdbCore& books, BookLinkServices& linkServices,
                                           TToPBX& link, TelephoneWindowLogic& window)
    : m_books(books)
    , m_linkServices(linkServices)
    , m_link(link)
    , m_window(window)
    , m_history({[&books] { return books.historyRegister(); }, [&books] { return books.historyReader(); },
                 [&books](const QString& number) { return books.nameForNumber(number); },
                 [&settings] {
                     return recordingsFolder(settings.record(), settings);
                 }})
    , m_recordings(settings.record(), m_history, ftpSettings())
{
    CERecManager& manager = m_recordings.manager();
    RecordingHooks hooks;
    hooks.begun = [&manager](const QString& text) {
        manager.recordingBegun(text);
    };
    hooks.changed = [&manager](const QString& text) {
        manager.recordingChanged(text);
    };
    hooks.ended = [&manager](const QString& first, const QString& second, const QString& name) {
        manager.recordingEnded(first, second, name);
    };
    hooks.callClosed = [&manager] {
        manager.callClosed();
    };
    m_link.setRecordingHooks(std::move(hooks));
    m_link.lifecycle().setConnectedHook([&manager] { manager.loggedIn(); });
    m_linkServices.setRowHooks([&manager](int entryId) { manager.entryReserved(entryId); },
                               [&manager](int entryId, const QDateTime& start, const QString& number) {
                                   manager.entryAdded(entryId, start, number);
                               });

    QObject::connect(&manager, &CERecManager::recordingIndicator, &m_window, [this](bool on) {
        if (on) {
            m_window.showRecordingIndicator();
        } else {
            m_window.showRecordingMessage();
        }
    });
    QObject::connect(&manager, &CERecManager::notice, &m_window,
                     [this](int code, const QString& text) { showNotice(code, text); });
    QObject::connect(&manager, &CERecManager::fileStored, &m_window, [this](const CFileCompleteData& file) {
        qInfo().noquote() << "Recording stored:" << file.localPath;
        showNotice(CERecManager::NoticeRecorded, QString());
    });
    QObject::connect(&manager, &CERecManager::error, &m_window,
                     [this](const QString& text) { m_window.showNotice(_("Recording error"), text, true); });
}

PbxRecordingAssembly::~PbxRecordingAssembly()
{
    m_link.setRecordingHooks({});
    m_link.lifecycle().setConnectedHook({});
    m_linkServices.setRowHooks({}, {});
}

void PbxRecordingAssembly::shutDown()
{
    m_recordings.shutDown();
}

FtpSettings PbxRecordingAssembly::ftpSettings()
{
    FtpSettings settings;
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("TERVO_PBX_FTP_PORT", &ok);
    if (ok && port > 0 && port < 65536) {
        settings.port = port;
    }
    return settings;
}

void PbxRecordingAssembly::showNotice(int code, const QString& text)
{
    // The exchange's recordings know only "recorded" and "aborted"; any text it sends follows the hint.
    const RecordingNotice notice = RecordingNotice::forCode(
        code == CERecManager::NoticeRecorded ? CERecManager::NoticeRecorded : CERecManager::NoticeAborted, QString());
    m_window.showNotice(notice.shown, text.isEmpty() ? notice.hint : notice.hint + u' ' + text, true);
}
