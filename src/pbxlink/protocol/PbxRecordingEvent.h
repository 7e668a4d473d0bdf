#pragma once

#include "pbxlink/protocol/PbxEvent.h"

#include <QString>
#include <optional>

// The exchange's announcements of its own recordings of the call. RECB and RECC carry their text whole; RECE
// carries two fields and the recording's name between "<" and the first ">" after it (blanks allowed).
struct PbxRecordingEnded {
    QString first;
    QString second;
    QString name;

    // The fields of a RECE event; nothing when it names no recording (no "<", no closing ">", or an empty name).
    static std::optional<PbxRecordingEnded> parse(const PbxEvent& event);
};
