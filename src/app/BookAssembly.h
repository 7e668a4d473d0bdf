#pragma once

#include "app/BookLinkServices.h"
#include "app/BookNaming.h"
#include "books/database/TdbCore.h"
#include "books/ui/BookDialogs.h"

class SettingsStore;

// The phone books and the call history with their message boxes, opened at start in the fixed order (history,
// private book, public book), and what the PBX link asks of them.
class BookAssembly final {
public:
    explicit BookAssembly(SettingsStore& settings);

    // Opens the databases; false when one cannot be opened even from its default folder (the user has been told).
    bool start() { return m_core.start(); }

    TdbCore& core() { return m_core; }
    BookNaming& naming() { return m_naming; }
    BookLinkServices& linkServices() { return m_linkServices; }

private:
    BookDialogs m_dialogs;
    TdbCore m_core;
    BookNaming m_naming;
    BookLinkServices m_linkServices;
};
