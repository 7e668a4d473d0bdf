#pragma once

#include "settings/LogFile.h"

#include <QString>
#include <exception>

// Appends what went wrong beyond repair to error.log: exceptions that reach the application and fatal Qt messages.
class ErrorLog final {
public:
    explicit ErrorLog(LogFile file);

    void record(const QString& message) const;
    void recordException(const std::exception& exception) const;
    void recordUnknownException() const;

    // Makes this log the process's: fatal Qt messages and exceptions that would end the process are written to it
    // first. Pass nullptr to detach it again.
    static void install(const ErrorLog* log);

private:
    LogFile m_file;
};
