#pragma once

#include "books/history/HistoryErrorPort.h"

#include <QStringList>

// Keeps each history error as "message|detail".
class RecordingHistoryErrors final : public HistoryErrorPort {
public:
    void showHistoryError(const QString& message, const QString& detail) override
    {
        errors.append(message + u'|' + detail);
    }

    QStringList errors;
};
