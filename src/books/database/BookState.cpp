#include "books/database/BookState.h"

#include "settings/Lang.h"

BookState BookState::privateBook(const QString& defaultFolder)
{
    BookState state;
    state.isPrivate = true;
    state.displayName = Lang::_("Private phone book");
    state.nameFrom = inflectedName(QT_TR_NOOP("Dop1.private phone book"));
    state.nameTo = inflectedName(QT_TR_NOOP("Dop2.private phone book"));
    state.defaultFolder = defaultFolder;
    return state;
}

BookState BookState::publicBook()
{
    BookState state;
    state.isPublic = true;
    state.displayName = Lang::_("Public phone book");
    state.nameFrom = inflectedName(QT_TR_NOOP("Dop1.public phone book"));
    state.nameTo = inflectedName(QT_TR_NOOP("Dop2.public phone book"));
    return state;
}

QString BookState::inflectedName(const char* msgid)
{
    const QString translation = Lang::_(msgid);
    const qsizetype dot = translation.indexOf(QLatin1Char('.'));
    return dot < 0 ? translation : translation.mid(dot + 1);
}

void BookState::clearPendingError()
{
    pendingErrorCaption.clear();
    pendingErrorText.clear();
}
