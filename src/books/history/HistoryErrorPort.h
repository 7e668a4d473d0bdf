#pragma once

#include <QString>

// Where the history register reports a failed database operation; the application shows it in a message box.
class HistoryErrorPort {
public:
    virtual ~HistoryErrorPort() = default;

    // message is the translated text for the user, detail the database driver's own words.
    virtual void showHistoryError(const QString& message, const QString& detail) = 0;
};
