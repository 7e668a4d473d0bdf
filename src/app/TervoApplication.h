#pragma once

#include <QApplication>

class ErrorLog;

// The client's application object. An exception thrown by an event handler is written to the error log and the
// event loop carries on, so one faulty handler cannot end the program.
class TervoApplication final : public QApplication {
    Q_OBJECT

public:
    TervoApplication(int& argc, char** argv);

    void setErrorLog(const ErrorLog* errorLog) { m_errorLog = errorLog; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    const ErrorLog* m_errorLog = nullptr;
};
