#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <functional>

struct SettingsRecord;

// "Searching options": the name search mode (Ksiazka/SzukajNazw), "Ignore diacritical marks" and the two
// "Filter " boxes, kept in the settings when the user presses OK.
class TPhoneBookOptionsForm final : public QDialog {
    Q_OBJECT

public:
    TPhoneBookOptionsForm(SettingsRecord& settings, std::function<void()> saveSettings, QWidget* parent = nullptr);

    // Shows the settings as they are now.
    void load();
    // Stores the choices and tells the book window.
    void store();

    QButtonGroup& modeChoice() { return m_mode; }
    QCheckBox& ignoreDiacritics() { return m_ignoreDiacritics; }
    QCheckBox& filterNames() { return m_filterNames; }
    QCheckBox& filterNumbers() { return m_filterNumbers; }

signals:
    void optionsChanged();

private:
    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    QButtonGroup m_mode;
    QCheckBox m_ignoreDiacritics;
    QCheckBox m_filterNames;
    QCheckBox m_filterNumbers;
    QPushButton m_ok;
    QPushButton m_cancel;
};
