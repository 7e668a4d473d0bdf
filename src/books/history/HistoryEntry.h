#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Kinds of history entries: the four call types of the PBX link, then the states of a sent SMS.
namespace HistoryKind {
inline constexpr int None = -1;
inline constexpr int OutgoingNotAnswered = 0;
inline constexpr int IncomingMissed = 1;
inline constexpr int IncomingAnswered = 2;
inline constexpr int OutgoingAnswered = 3;
inline constexpr int SmsSent = 4;
inline constexpr int SmsThrownAside = 5;
inline constexpr int SmsDelivered = 6;
inline constexpr int SmsNotDelivered = 7;
inline constexpr int SmsTakenBack = 8;

inline bool isSms(int kind)
{
    return kind >= SmsSent && kind <= SmsTakenBack;
}
} // namespace HistoryKind

// One row of History2. Dates and times of day are kept apart as the table keeps them; a null end means the call
// has no end.
struct HistoryEntry {
    int id = -1;
    int kind = HistoryKind::None;
    QDate startDate;
    QTime startTime;
    QDate endDate;
    QTime endTime;
    QString number;
    bool bold = false;
    int missed = 0;
    bool hasRecording = false;
    bool archived = false;
    QString recordingId;
    bool reserved = false;
    int orderNumber = 0;
    int smsTextId = 0;
    int callerNameId = 0;
    int calledNumberId = 0;

    QDateTime start() const { return QDateTime(startDate, startTime); }
    QDateTime end() const { return QDateTime(endDate, endTime); }
};
