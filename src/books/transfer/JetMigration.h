#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

// The one-time conversion of a database file of the Windows generation (an Access file, which this client's
// engines cannot open) found where a phone book or the history is opened: a database of this client is filled
// beside it from the old file's tables, the old file is kept under a new name ("book-windows.mdb"), and the new
// one takes its place. Until the last step nothing at the old place changes, so a failure leaves the old file as
// it was; a second client that converts the same shared file at the same time finds the work done and uses it.
class JetMigration final {
public:
    enum class Kind { Book, History };

    struct Outcome {
        enum class Result { NothingToDo, Converted, Failed };
        Result result = Result::NothingToDo;
        // What the user is told: what was converted and where the old file is, or why it could not be.
        QString message;
    };

    // Fills the new, empty database from the old file at path; false with a message when the old file cannot be
    // read or its rows written.
    using Filler = std::function<bool(const QString& path, QSqlDatabase& target, QString* error)>;

    // Converts folder/fileName when it is an Access file; nothing happens otherwise.
    static Outcome convert(Kind kind, const QString& folder, const QString& fileName);
    static Outcome convert(Kind kind, const QString& folder, const QString& fileName, const Filler& fill);

    // The name the old file is kept under: "book-windows.mdb", or "book-windows-2.mdb" and so on when taken.
    static QString keptName(const QString& folder, const QString& fileName);
};
