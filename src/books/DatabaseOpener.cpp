#include "books/DatabaseOpener.h"

#include "books/BookDialogsPort.h"
#include "books/DatabaseLocation.h"
#include "books/HistoryConnector.h"
#include "books/PhoneBookConnector.h"
#include "settings/Const.h"
#include "settings/Lang.h"

#include <QDebug>

DatabaseOpener::DatabaseOpener(BookDialogsPort& dialogs)
    : m_dialogs(dialogs)
{
}

DatabaseOpener::Result DatabaseOpener::openBook(PhoneBookConnector& book, const QString& folder, bool silent,
                                                Report report)
{
    const ConnectOutcome outcome = book.connect(folder, silent);
    if (outcome.ok) {
        return Result::Opened;
    }
    // The user sees the book's general text; why it failed goes to the log.
    qWarning().noquote() << "Cannot open the" << (book.state().isPrivate ? "private" : "public")
                         << "phone book:" << outcome.error;
    const bool isPrivate = book.state().isPrivate;
    const QString text =
        isPrivate ? Lang::_("Access path to a private phone book is invalid or unavailable!\n Default settings will be "
                            "restore temporarily")
                  : Lang::_("Access patch to public phone book is invalid or unavailable!\n Default settings will be "
                            "set temporarily");
    if (report == Report::MessageBox) {
        m_dialogs.showWarning(text);
    }
    // An empty folder makes the private book use its default folder and leaves the public book closed.
    const bool fallbackOpened = book.connect(QString(), silent).ok;
    if (report == Report::Pending) {
        // Kept after the fallback open, which clears the texts of an earlier failure.
        book.state().pendingErrorCaption = QString::fromLatin1(Const::ApplicationTitle);
        book.state().pendingErrorText = text;
    }
    if (fallbackOpened) {
        return Result::OpenedOnFallback;
    }
    reportFatal(isPrivate ? Lang::_("Private phone book fatal error has been occured!")
                          : Lang::_("Public phone book fatal error has been occured!"));
    return Result::Fatal;
}

DatabaseOpener::Result DatabaseOpener::openHistory(HistoryConnector& history, const QString& folder, bool silent)
{
    const ConnectOutcome outcome = history.connect(folder, silent);
    if (outcome.ok) {
        return Result::Opened;
    }
    qWarning().noquote() << "Cannot open the history:" << outcome.error;
    m_dialogs.showWarning(
        DatabaseLocation::withValue(Lang::_("Access path (%s) for history table is invalid or unavailable!"), folder) +
        u' ' + Lang::_("Default settings will be restore temporarily "));
    if (history.connect(history.defaultFolder(), silent).ok) {
        return Result::OpenedOnFallback;
    }
    reportFatal(Lang::_("Fatal error during opening the history table"));
    return Result::Fatal;
}

void DatabaseOpener::reportFatal(const QString& text)
{
    // Folders the user may not write are the usual cause on a multi-user system.
    m_dialogs.showWarning(text + u'\n' + Lang::_("Probably no privileges to record and readout"));
}
