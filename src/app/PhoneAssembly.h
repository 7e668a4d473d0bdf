#pragma once

#include "app/BookWindowServices.h"
#include "app/ServicesTelephoneLine.h"
#include "app/TracingTelephoneView.h"
#include "pbxlink/ui/ServiceDialogs.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TMainForm.h"

class BookNaming;
class SettingsStore;
class TdbCore;
class TToPBX;

// The telephone window with its skin, menus and tray, its view of the books, its line to the link, the service
// dialogs and the redial list's file, wired together.
class PhoneAssembly final {
public:
    // The window follows what the link tells and drives its services.
    // openConfiguration: the lock window's Configuration button.
    PhoneAssembly(SettingsStore& settings, TdbCore& books, BookNaming& naming, TToPBX& link, bool printWindow,
                  std::function<void()> openConfiguration = {});

    TelephoneWindowLogic& window() { return m_window; }
    TMainForm& form() { return m_form; }

    // Builds the menus and buttons with the windows they open (the caller's openers, with the manual and the
    // about box added here), loads the redial list and shows the window.
    void start(TMainForm::Openers openers);
    // Before the link logs out: the services the settings ask for at closing, the redial list saved, the tray
    // icons removed.
    void close();

private:
    void openManual();
    void showAbout();

    SettingsStore& m_settings;
    BookWindowServices m_books;
    TMainForm m_form;
    TracingTelephoneView m_view;
    ServicesTelephoneLine m_line;
    TelephoneWindowLogic m_window;
    ServiceDialogs m_dialogs;
    QString m_redialPath;
};
