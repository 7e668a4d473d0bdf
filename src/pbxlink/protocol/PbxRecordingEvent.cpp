#include "pbxlink/protocol/PbxRecordingEvent.h"

std::optional<PbxRecordingEnded> PbxRecordingEnded::parse(const PbxEvent& event)
{
    const QString& text = event.parameters;
    const qsizetype open = text.indexOf(u'<');
    const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
    if (close < 0 || close == open + 1) {
        return std::nullopt;
    }
    // The fields are the words before the name, so a missing field stays empty instead of taking the name.
    const PbxEvent fields{event.tag, text.left(open)};
    return PbxRecordingEnded{fields.parameter(0), fields.parameter(1), text.mid(open + 1, close - open - 1)};
}
