#pragma once

#include "recording/AlsaCards.h"

#include <QStringList>

// The sound devices the configuration offers for recording: the system's default first, then every card that can
// capture. A stored card that is not there now (a USB headset unplugged) stays in the list as it is, so that
// confirming the dialog does not replace it with the default.
class RecordingDeviceChoice final {
public:
    // storedCardId: the "Record card id" kept so far, negative for the system's default.
    RecordingDeviceChoice(const QList<SoundCard>& cards, int storedCardId);

    QStringList entries() const { return m_entries; }
    int storedIndex() const { return m_storedIndex; }
    // The "Record card id" of an entry; negative for the default and for an index out of range.
    int cardIdAt(int index) const;

private:
    QStringList m_entries;
    QList<int> m_cardIds;
    int m_storedIndex = 0;
};
