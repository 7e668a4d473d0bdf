#pragma once

#include <QString>

class BookDialogsPort;

// The folder and file checks before a database is opened: a missing folder is created (after a question unless
// silent) and a missing file may be created (after a question unless silent). A server location has neither.
class DatabaseLocation final {
public:
    // Whether a missing folder or file may be created. A database already in use that is opened again (the
    // refresh, the reconnect of failed books) is never created anew: its share may only be unmounted for a moment.
    enum class Creation { Allowed, Forbidden };

    // The texts of one kind of database, complete with the folder or file they name.
    struct Texts {
        QString invalidFolder; // the folder is missing and was not created
        QString createFileQuestion;
        QString fileRefused; // the user declined to create the file
    };

    struct Checked {
        bool ok = false;
        QString error;
        // The file was missing: opening the database creates it.
        bool fileIsNew = false;
    };

    static Checked check(const QString& location, const QString& fileName, bool silent, Creation creation,
                         BookDialogsPort& dialogs, const Texts& texts);

    // text with its first "%s" replaced by value.
    static QString withValue(QString text, const QString& value);
};
