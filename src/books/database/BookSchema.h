#pragma once

#include "books/database/SqlEngine.h"

#include <QString>
#include <QStringList>

class QSqlDatabase;

// The tables of a phone book (Book2, Groups, TelTypes2, Info) and of the call history (History2 and its side
// tables Sms, Komentarz, NrInit), as statements for each engine. Text widths are those of the files the client has
// always written; yes/no columns are BOOLEAN, memos TEXT, dates DATE and times of day TIME.
namespace BookSchema {

// The widths of the text columns of Book2 (a number width also holds for FwdNr and NrTel_Historia). Values are
// checked against them before they reach an engine, as SQLite would store a longer text that PostgreSQL refuses.
inline constexpr int NameWidth = 30;
inline constexpr int NumberWidth = 26;
inline constexpr int DescriptionWidth = 200;
inline constexpr int EmailWidth = 80;
inline constexpr int GroupNameWidth = 24;

// Book2 as first created (without GroupID, which the column upgrade adds) and its name index.
QStringList createBook2(SqlEngine engine);
// Groups with its name index and group 0 named othersName (bound as a parameter when run).
QStringList createGroups(SqlEngine engine);
QStringList createTelTypes2(SqlEngine engine);
// The indexes on Nr1 .. Nr5 (each with Nazwa) that number lookups need, each made when missing.
QStringList createNumberIndexes();
// The index that hands out a group's contacts in name order to the book window's grouped grid.
QString createGroupIndex();
QString createInfo();

// The index that keeps counting and trimming the history cheap however long it is: rows by their reserved and
// archived flags, oldest first. Created with the table, and on open for files made before it existed.
QString createStateIndex();
// History2 with its indexes, and the three side tables, each holding its row 0 " ".
QStringList createHistory2(SqlEngine engine);
QStringList createSms(SqlEngine engine);
QStringList createKomentarz(SqlEngine engine);
QStringList createNrInit(SqlEngine engine);

// Runs statements in order; false (with the driver's message in error) at the first that fails.
bool run(QSqlDatabase& database, const QStringList& statements, QString* error);

// A complete, current phone book in an empty database: every table, index and column, group 0 and the identity.
bool createPhoneBook(QSqlDatabase& database, const QString& othersName, int identity, QString* error);
// A complete, current history in an empty database.
bool createHistory(QSqlDatabase& database, QString* error);

} // namespace BookSchema
