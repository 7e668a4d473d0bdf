#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

// The comment tags that describe a call in its recording file, in the order they are written. Texts are
// translated into the current language; the file stores them as UTF-8.
namespace RecordingTags {

using Tag = QPair<QByteArray, QString>;

// number: the dialled or calling number; party: the other side's name or number; now gives "DATE".
QList<Tag> forCall(const QString& number, const QString& party, const QDateTime& callTime, const QDateTime& now);

} // namespace RecordingTags
