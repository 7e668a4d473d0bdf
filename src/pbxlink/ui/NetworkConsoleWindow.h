#pragma once

#include "pbxlink/protocol/NetworkConsolePort.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class QPlainTextEdit;

// The network console: the last lines the link wrote, each in its colour, with buttons to connect, disconnect,
// clear the view and save a copy of the network log. The lines arrive already masked.
class NetworkConsoleWindow final : public QWidget, public NetworkConsolePort {
    Q_OBJECT

public:
    static constexpr int MaxLines = 33;

    // Returns the file the log is to be copied to, or an empty string when the user cancels.
    using SaveTargetChooser = std::function<QString()>;

    explicit NetworkConsoleWindow(QWidget* parent = nullptr);

    void write(const QString& line, ConsoleColour colour) override;

    void setLogFilePath(const QString& path);
    // Replaces the save dialog that "Save LOG" opens.
    void setSaveTargetChooser(SaveTargetChooser chooser);

    QStringList lines() const;

signals:
    void connectRequested();
    void disconnectRequested();

private:
    int lineCount() const;
    void removeOldestLine();
    void clear();
    void saveLog();
    QString chooseSaveTarget();

    QPlainTextEdit* m_view = nullptr;
    // An empty document still has one block, so whether a line was written is kept apart.
    bool m_hasLines = false;
    QString m_logFilePath;
    SaveTargetChooser m_chooseSaveTarget;
};
