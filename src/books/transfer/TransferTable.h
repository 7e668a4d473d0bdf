#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A table read from or written to a transfer file: column names and rows of values as text, in column order. A
// null text is a missing value (an empty field of a number column, a NULL of a database).
struct TransferTable {
    QStringList columns;
    QList<QStringList> rows;

    // The index of column, compared without regard to case as the files' engines did; -1 when absent.
    qsizetype indexOf(const QString& column) const
    {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (columns[i].compare(column, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }
};
