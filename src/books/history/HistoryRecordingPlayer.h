#pragma once

#include "books/history/HistoryRecordingFiles.h"

#include <QString>
#include <QUrl>
#include <functional>

// "Play in external program": the entry's recording handed to the desktop's default program. A recording of the
// sound card is found by its name in the recordings folder; one the exchange made by its name there, else at the
// exchange's address while the recordings manager knows it.
class HistoryRecordingPlayer final {
public:
    struct Ports {
        std::function<QString()> folder; // Audio/Katalog, or the default folder
        HistoryRecordingFiles::NameForNumber nameForNumber;
        // The address of the exchange's recording with this identifier; empty when not known.
        std::function<QUrl(const QString& recordingId)> exchangeAddress;
        // Hands the address to the desktop; false when no program took it.
        std::function<bool(const QUrl& url)> open;
    };

    explicit HistoryRecordingPlayer(Ports ports);

    // Empty when the recording was handed over, else the text to tell the user.
    QString play(const HistoryEntry& entry) const;

private:
    Ports m_ports;
};
