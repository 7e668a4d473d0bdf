#include "app/ErrorLog.h"

#include <QtGlobal>
#include <atomic>
#include <cstdlib>
#include <exception>

namespace {

std::atomic<const ErrorLog*> installedLog{nullptr};
QtMessageHandler previousMessageHandler = nullptr;
std::terminate_handler previousTerminateHandler = nullptr;

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        if (const ErrorLog* log = installedLog.load()) {
            log->record(QStringLiteral("Fatal error: ") + message);
        }
    }
    if (previousMessageHandler != nullptr) {
        previousMessageHandler(type, context, message);
    }
}

void terminateHandler()
{
    if (const ErrorLog* log = installedLog.load()) {
        if (const std::exception_ptr current = std::current_exception()) {
            try {
                std::rethrow_exception(current);
            } catch (const std::exception& exception) {
                log->recordException(exception);
            } catch (...) {
                log->recordUnknownException();
            }
        } else {
            log->record(QStringLiteral("Terminated"));
        }
    }
    if (previousTerminateHandler != nullptr) {
        previousTerminateHandler();
    }
    std::abort();
}

} // namespace

ErrorLog::ErrorLog(LogFile file)
    : m_file(std::move(file))
{
}

void ErrorLog::record(const QString& message) const
{
    m_file.append(message);
}

void ErrorLog::recordException(const std::exception& exception) const
{
    record(QStringLiteral("Exception: ") + QString::fromUtf8(exception.what()));
}

void ErrorLog::recordUnknownException() const
{
    record(QStringLiteral("Exception of unknown type"));
}

void ErrorLog::install(const ErrorLog* log)
{
    const ErrorLog* previous = installedLog.exchange(log);
    if (log != nullptr && previous == nullptr) {
        previousMessageHandler = qInstallMessageHandler(messageHandler);
        previousTerminateHandler = std::set_terminate(terminateHandler);
    } else if (log == nullptr && previous != nullptr) {
        qInstallMessageHandler(previousMessageHandler);
        std::set_terminate(previousTerminateHandler);
    }
}
