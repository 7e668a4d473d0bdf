#pragma once

#include "sms/GatePorts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>

class GateLink;

// The "SMS console": the gate link's traffic, each line in its colour, and the link's status. "ON" connects,
// "OFF" logs out and waits a full interval before the next attempt, "CLS" clears the view and "Save LOG" writes
// what the view holds to a file the user chooses. A login line never shows its PIN, here or in a saved log.
class SmsConsoleWindow final : public QWidget {
    Q_OBJECT

public:
    // Older lines give way beyond this many, so that a link left running for weeks does not fill the memory.
    static constexpr int MaxLines = 2000;

    // Answers the file to save to, or an empty string when the user cancels.
    using SaveTargetChooser = std::function<QString()>;

    explicit SmsConsoleWindow(GateLink& link, QWidget* parent = nullptr);

    void write(const QString& line, GateColour colour);
    void showStatus(const QString& text, GateColour colour);
    // Replaces the save dialog of "Save LOG".
    void setSaveTargetChooser(SaveTargetChooser chooser) { m_chooseSaveTarget = std::move(chooser); }
    // Writes the lines to path in one piece, readable by its owner only; false (with the reason) when it failed.
    bool saveTo(const QString& path, QString* error = nullptr) const;

    QStringList lines() const;
    QColor colourOf(int line) const;
    QLabel& status() { return m_status; }
    QPushButton& onButton() { return m_on; }
    QPushButton& offButton() { return m_off; }
    QPushButton& clsButton() { return m_cls; }
    QPushButton& saveButton() { return m_save; }

private:
    void saveLog();
    QString chooseSaveTarget();

    GateLink& m_link;
    QListWidget m_view;
    QLabel m_status;
    QPushButton m_on;
    QPushButton m_off;
    QPushButton m_cls;
    QPushButton m_save;
    SaveTargetChooser m_chooseSaveTarget;
};
