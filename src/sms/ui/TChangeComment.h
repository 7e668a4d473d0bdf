#pragma once

#include "settings/SettingsRecord.h"

#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

class TSetCommentAndPinGateForm;

// "Enter descriptions and pins for each GSM gate": gates 1 to 99 with their comments. "Change data" in the grid's
// pop-up menu edits one gate's comment and PIN; "Apply" and "OK" put the changes into the settings and save them.
// PINs stay in the dialog's copy and the settings, and are never shown.
class TChangeComment final : public QDialog {
    Q_OBJECT

public:
    // Saves the settings; throws when the file cannot be written.
    using Save = std::function<void()>;

    TChangeComment(SettingsRecord& settings, Save save, QWidget* parent = nullptr);

    // Opens the comment and PIN window of the gate (1..99) on the selected row; it changes the copy when accepted.
    TSetCommentAndPinGateForm* changeData(int gate);
    // Puts the copy into the settings and saves them; false (the user is told) when saving failed.
    bool apply();

    QTableWidget& grid() { return m_grid; }
    QMenu& popupMenu() { return m_menu; }
    QPushButton& applyButton() { return m_apply; }
    QPushButton& okButton() { return m_ok; }
    QPushButton& cancelButton() { return m_cancel; }

private:
    void showGate(int gate);

    SettingsRecord& m_settings;
    Save m_save;
    SettingsRecord::GateSection m_gates;
    QTableWidget m_grid;
    QMenu m_menu;
    QPushButton m_apply;
    QPushButton m_ok;
    QPushButton m_cancel;
};
