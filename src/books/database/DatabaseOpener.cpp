#include "books/database/DatabaseOpener.h"

#include "books/database/BookDialogsPort.h"
#include "books/database/DatabaseLocation.h"
#include "books/database/PhoneBookConnector.h"
#include "books/history/HistoryConnector.h"
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
    BookState& state = book.state();
    const bool refresh = report == Report::Refresh;
    const ConnectOutcome outcome = book.connect(
        folder, silent, refresh ? DatabaseLocation::Creation::Forbidden : DatabaseLocation::Creation::Allowed);
    if (outcome.ok) {
        state.outage = false;
        state.fatalReported = false;
        return Result::Opened;
    }
    if (!state.outage) {
        // The user sees the book's general text; why it failed goes to the log, once for each outage.
        qWarning().noquote() << "Cannot open the" << (state.isPrivate ? "private" : "public")
                             << "phone book:" << outcome.error;
    }
    state.outage = true;
    const QString text = refresh ? refreshFailureText(state) : failureText(state);
    if (report == Report::MessageBox) {
        m_dialogs.showWarning(text);
    }
    // An empty folder makes the private book use its default folder, which is local and may be created, and leaves
    // the public book closed.
    const bool fallbackOpened = book.connect(QString(), silent).ok;
    if (report != Report::MessageBox) {
        // Kept after the fallback open, which clears the texts of an earlier failure.
        state.pendingErrorCaption = QString::fromLatin1(Const::ApplicationTitle);
        state.pendingErrorText = text;
    }
    if (fallbackOpened) {
        state.fatalReported = false;
        return Result::OpenedOnFallback;
    }
    if (!refresh || !state.fatalReported) {
        reportFatal(state.isPrivate ? Lang::_("Private phone book fatal error has been occured!")
                                    : Lang::_("Public phone book fatal error has been occured!"));
    }
    state.fatalReported = true;
    return Result::Fatal;
}

QString DatabaseOpener::failureText(const BookState& state)
{
    return state.isPrivate ? Lang::_("Access path to a private phone book is invalid or unavailable!\n Default "
                                     "settings will be restore temporarily")
                           : Lang::_("Access patch to public phone book is invalid or unavailable!\n Default "
                                     "settings will be set temporarily");
}

QString DatabaseOpener::refreshFailureText(const BookState& state)
{
    // The private book goes on from its default folder; the public book has none and is closed.
    return state.isPrivate ? DatabaseLocation::withValue(
                                 Lang::_("%s is unavailable!\n Default settings will be restore."), state.displayName)
                           : DatabaseLocation::withValue(Lang::_("%s unavailable!"), state.displayName) + u' ' +
                                 Lang::_("Phone book cannot be refresh.\n");
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
