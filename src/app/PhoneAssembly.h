#pragma once

#include "app/BookWindowServices.h"
#include "app/ServicesTelephoneLine.h"
#include "app/TracingTelephoneView.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TMainForm.h"

#include <memory>

class BookNaming;
class ServiceDialogs;
class SettingsStore;
class TdbCore;
class TToPBX;

// The telephone window with its skin, menus and tray, its view of the books, the service dialogs and the redial
// list's file, wired together.
class PhoneAssembly final {
public:
    PhoneAssembly(SettingsStore& settings, TdbCore& books, BookNaming& naming, bool printWindow);
    ~PhoneAssembly();

    TelephoneWindowLogic& window() { return m_window; }
    TMainForm& form() { return m_form; }

    // The SMS button and menu item; set before attachLink().
    void setSmsOpener(std::function<void()> opener) { m_smsOpener = std::move(opener); }
    // Connects the window to the link; done once the link exists, before the window is shown.
    void attachLink(TToPBX& link, std::function<void()> showNetworkConsole);
    // Loads the redial list and shows the window.
    void start();
    // Before the link logs out: the services the settings ask for at closing, the redial list saved, the tray
    // icons removed.
    void close();

private:
    TMainForm::Openers openers(std::function<void()> showNetworkConsole);
    void openManual();
    void showAbout();

    SettingsStore& m_settings;
    BookWindowServices m_books;
    TMainForm m_form;
    TracingTelephoneView m_view;
    TelephoneWindowLogic m_window;
    std::unique_ptr<ServicesTelephoneLine> m_line;
    std::unique_ptr<ServiceDialogs> m_dialogs;
    QString m_redialPath;
    std::function<void()> m_smsOpener;
};
