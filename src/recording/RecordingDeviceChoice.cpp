#include "recording/RecordingDeviceChoice.h"

#include "settings/Lang.h"

RecordingDeviceChoice::RecordingDeviceChoice(const QList<SoundCard>& cards, int storedCardId)
{
    m_entries.append(Lang::_("System's default device"));
    m_cardIds.append(-1);
    for (const SoundCard& card : cards) {
        if (card.captureDevices <= 0 && card.id != storedCardId) {
            continue;
        }
        const QString name = card.name.isEmpty() ? QStringLiteral("hw:%1").arg(card.id) : card.name;
        m_entries.append(QStringLiteral("%1 (hw:%2)").arg(name).arg(card.id));
        m_cardIds.append(card.id);
    }
    if (storedCardId >= 0 && !m_cardIds.contains(storedCardId)) {
        m_entries.append(Lang::_("Card %1 (not present)").arg(storedCardId));
        m_cardIds.append(storedCardId);
    }
    m_storedIndex = storedCardId < 0 ? 0 : static_cast<int>(m_cardIds.indexOf(storedCardId));
}

int RecordingDeviceChoice::cardIdAt(int index) const
{
    return index >= 0 && index < m_cardIds.size() ? m_cardIds.at(index) : -1;
}
