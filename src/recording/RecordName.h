#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

// The names of call recordings: the recorder names a new file with them, and the call history finds a call's
// recording again from the call's data alone.
namespace RecordName {

// The text with every byte that a file name must not hold (control and non-ASCII bytes of its Windows-1250 form,
// and _ : < > " | / \ # *) replaced by a space, and one leading space removed.
QString cleanName(const QString& text);

// The file name of a recording made by this program: party_dd-MM-yy hh-mm-ss_hh-mm-ss.ogg (start, then duration).
// Empty when the party is empty or the start or duration is not known (invalid).
QString forCall(const QString& party, const QDateTime& start, const QTime& duration);

// The name of a recording of another origin: prefix, a space, party_dd-MM-yy hh-mm-ss when party and start are
// known, and ".wav".
QString withPrefix(const QString& prefix, const QString& party, const QDateTime& start);

// The name of a recording the exchange made: its identifier, cleaned like a party, as the prefix of withPrefix().
QString forExchange(const QString& identifier, const QString& party, const QDateTime& start);

} // namespace RecordName
