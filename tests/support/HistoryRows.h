#pragma once

// History rows for tests and benchmarks: a finished call as the PBX link writes it, and a long history written
// straight into History2 without the register's checks, fast enough for a hundred thousand rows.
#include "books/history/HistoryEntry.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <functional>

// A finished call as the PBX link writes it.
inline HistoryEntry callEntry(int kind, const QString& number, const QDateTime& start, int seconds)
{
    HistoryEntry entry;
    entry.kind = kind;
    entry.number = number;
    entry.startDate = start.date();
    entry.startTime = start.time();
    const QDateTime end = start.addSecs(seconds);
    entry.endDate = end.date();
    entry.endTime = end.time();
    return entry;
}

// Writes count rows into History2 in one transaction, row i being entryAt(i): its kind, start, end, number and
// flags (bold, missed, recorded, archived, reserved). False, with nothing written, when a statement fails.
inline bool writeHistoryRows(QSqlDatabase database, int count, const std::function<HistoryEntry(int)>& entryAt)
{
    if (!database.transaction()) {
        return false;
    }
    bool written = true;
    {
        QSqlQuery insert(database);
        written = insert.prepare(QStringLiteral(
            "INSERT INTO History2 (Typ_Historia, Data1_Historia, Czas1_Historia, Data2_Historia, Czas2_Historia, "
            "NrTel_Historia, Tluste_Historia, Stracone_Historia, JestNagranie_Historia, Archiwum_Historia, "
            "Reserved_Historia) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; written && i < count; ++i) {
            const HistoryEntry entry = entryAt(i);
            for (const QVariant& value :
                 {QVariant(entry.kind), QVariant(entry.startDate), QVariant(entry.startTime), QVariant(entry.endDate),
                  QVariant(entry.endTime), QVariant(entry.number), QVariant(entry.bold), QVariant(entry.missed),
                  QVariant(entry.hasRecording), QVariant(entry.archived), QVariant(entry.reserved)}) {
                insert.addBindValue(value);
            }
            written = insert.exec();
        }
    }
    if (!written) {
        database.rollback();
        return false;
    }
    return database.commit();
}
