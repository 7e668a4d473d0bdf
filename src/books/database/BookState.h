#pragma once

#include <QString>

// What the client knows about one phone book between opens: which book it is, whether it is open and whether it
// runs on its default folder, its names for the user, its identity and the start-up failure still to be shown.
struct BookState {
    bool isPrivate = false;
    bool isPublic = false;
    bool connected = false;
    // Set while the book runs on its default folder or failed to open with the configured one; the reconnect of
    // failed books then tries the configured folder again.
    bool defaults = false;
    QString displayName;
    // The name as it reads inside "copied from %s to %s".
    QString nameFrom;
    QString nameTo;
    // Private book: the data folder + "PhoneBook"; public book: none.
    QString defaultFolder;
    // The Hash of the book's Info row; 0 when it cannot be read.
    qint32 identity = 0;
    // Which of Nr1..Nr5 (1..5) matched in the last lookup.
    int matchedNumber = 0;
    // A failure kept until the book window shows it: its caption and its text.
    QString pendingErrorCaption;
    QString pendingErrorText;
    // Set from the failure of the configured folder until the book opens from it again: what happens again and
    // again while the share is away (the refresh every few minutes) is told once.
    bool outage = false;
    // The fatal box of this outage has been shown.
    bool fatalReported = false;

    static BookState privateBook(const QString& defaultFolder);
    static BookState publicBook();

    // The translation of msgid from the character after its first "." on, or all of it when it has none. The
    // catalogues keep a prefix there ("Dop1.") so that the two forms of a name are distinct msgids.
    static QString inflectedName(const char* msgid);

    bool hasPendingError() const { return !pendingErrorText.isEmpty(); }
    void clearPendingError();
};
