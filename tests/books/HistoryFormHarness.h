#pragma once

#include "ContactRows.h"
#include "HistoryTestDatabase.h"
#include "books/history/HistoryBrowser.h"
#include "books/history/HistoryRecordingPlayer.h"
#include "books/history/HistorySideTables.h"
#include "books/ui/THistoryForm.h"
#include "support/TdbCoreOnDisk.h"

#include <QDir>
#include <QUrl>
#include <memory>

// The history window on a real history file and a private book: Jan Kowalski has 601222333, Anna Nowak
// 48581234567. The clock stands at 2 March 2026 9:15; questions are answered with answer and recorded.
class HistoryFormHarness : public TdbCoreOnDisk {
public:
    HistoryFormHarness()
    {
        settings.Audio.Katalog = folder.filePath(QStringLiteral("recordings"));
        ready = core.start() && QDir().mkpath(settings.Audio.Katalog);
        PhoneBook* book = core.book(TdbCore::PrivateBook);
        ready = ready && book != nullptr &&
                insertContact(book->database(), QStringLiteral("Jan Kowalski"), {QStringLiteral("601222333")}) > 0 &&
                insertContact(book->database(), QStringLiteral("Anna Nowak"),
                              {QString(), QString(), QStringLiteral("48581234567")}) > 0;
    }

    // Builds the window once the history holds what the test needs.
    THistoryForm& open()
    {
        browser = std::make_unique<HistoryBrowser>(core, settings, clock);
        player = std::make_unique<HistoryRecordingPlayer>(
            HistoryRecordingPlayer::Ports{[this] { return settings.Audio.Katalog; },
                                          [this](const QString& number) { return core.nameForNumber(number); },
                                          [this](const QString& id) { return exchangeAddresses.value(id); },
                                          [this](const QUrl& url) {
                                              opened.append(url);
                                              return desktopOpens;
                                          }});
        THistoryForm::Openers openers;
        openers.call = [this](const QString& number) {
            log.append(QStringLiteral("call ") + number);
        };
        openers.sendSms = [this](const QString& number) {
            log.append(QStringLiteral("sms ") + number);
        };
        openers.editContact = [this](const QString& number) {
            log.append(QStringLiteral("edit ") + number);
        };
        openers.addToBook = [this](const QString& number, int position) {
            log.append(QStringLiteral("add %1 %2").arg(number).arg(position));
        };
        openers.openNotes = [this](const QString& number) {
            log.append(QStringLiteral("notes ") + number);
        };
        form = std::make_unique<THistoryForm>(
            *browser, *player, settings, openers,
            THistoryForm::Prompts{[this](const QString& question) {
                                      questions.append(question);
                                      return answer;
                                  },
                                  [this](const QString& text) { messages.append(text); },
                                  [this](const QString& number, const QString& text) {
                                      log.append(QStringLiteral("view ") + number + u' ' + text);
                                  }});
        return *form;
    }

    // A finished entry written as the link and the SMS gate write them; answers its id.
    int add(int kind, const QString& number, const QDateTime& start, int seconds, const QString& smsText = {},
            const QString& calledNumber = {})
    {
        HistoryEntry entry = callEntry(kind, number, start, seconds);
        if (!smsText.isEmpty()) {
            entry.smsTextId = core.historySideTables()->store(HistorySideTables::Table::SmsTexts, smsText);
        }
        if (!calledNumber.isEmpty()) {
            entry.calledNumberId =
                core.historySideTables()->store(HistorySideTables::Table::CalledNumbers, calledNumber);
        }
        return core.historyRegister()->addEntry(entry);
    }

    QDateTime daysAgo(int days, const QTime& time) const { return QDateTime(clock.now().date().addDays(-days), time); }

    // The entry ids the grid shows, top to bottom.
    QList<int> shownIds() const
    {
        QList<int> ids;
        for (int row = 0; row < browser->model().rowCount(); ++row) {
            ids.append(browser->model().rowAt(row)->entry.id);
        }
        return ids;
    }

    bool ready = false;
    std::unique_ptr<HistoryBrowser> browser;
    std::unique_ptr<HistoryRecordingPlayer> player;
    std::unique_ptr<THistoryForm> form;
    QHash<QString, QUrl> exchangeAddresses;
    QList<QUrl> opened;
    bool desktopOpens = true;
    QStringList log;
    QStringList questions;
    QStringList messages;
    bool answer = true;
};
