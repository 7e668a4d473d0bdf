#pragma once

#include "phone/TelephoneView.h"

class TelephoneWindowLogic;

// Passes everything to the window on the screen and, when asked to, prints the texts a user would read there on
// standard output: for a client without a display (the demonstration in a terminal, the end-to-end tests).
class TracingTelephoneView final : public TelephoneView {
public:
    TracingTelephoneView(TelephoneView& shown, bool printing);

    // Prints each state the window ends in.
    void follow(TelephoneWindowLogic& window);

    void setEnabledItems(MenuItems items) override { m_shown.setEnabledItems(items); }
    void setStateIcon(StateIcon icon) override { m_shown.setStateIcon(icon); }
    void setAreaText(const QString& text) override;
    void setShowText(const QString& text, const QString& hint) override;
    void setInfoText(const QString& text) override;
    void setEntryText(const QString& text) override;
    void setEntryReadOnly(bool readOnly) override { m_shown.setEntryReadOnly(readOnly); }
    void setFeatureFlags(const FeatureStatus& status) override;
    void setRecording(bool on) override { m_shown.setRecording(on); }
    void setTrayIcon(TrayIconList list, int index, bool animated) override
    {
        m_shown.setTrayIcon(list, index, animated);
    }
    void setTrayHint(const QString& hint) override;
    void setTrayDefaultHistory(bool history) override { m_shown.setTrayDefaultHistory(history); }
    void popUp() override { m_shown.popUp(); }
    bool ask(const QString& question) override { return m_shown.ask(question); }
    void inform(const QString& text) override;

private:
    void print(const char* what, const QString& text, QString& last);

    TelephoneView& m_shown;
    bool m_printing;
    QString m_area;
    QString m_text;
    QString m_info;
    QString m_entry;
    QString m_trayHint;
    QString m_features;
};
