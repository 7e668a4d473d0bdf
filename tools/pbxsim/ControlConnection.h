#pragma once

#include "pbxsim/LineSplitter.h"

#include <QObject>

class QTcpSocket;

namespace pbxsim {

class ControlInterpreter;
class ControlRunner;

// One client of the control socket: control commands in, one answer line per command out ("ok ..." or
// "error: ..."), UTF-8, lines ending in LF.
class ControlConnection final : public QObject {
    Q_OBJECT

public:
    // Takes ownership of the connected socket.
    ControlConnection(QTcpSocket* socket, ControlInterpreter& interpreter, QObject* parent = nullptr);

signals:
    void quitRequested();

private:
    void readLines();
    void writeAnswer(int lineNumber, const QString& line, const QString& answer);

    QTcpSocket* m_socket;
    ControlRunner* m_runner;
    LineSplitter m_splitter;
};

} // namespace pbxsim
