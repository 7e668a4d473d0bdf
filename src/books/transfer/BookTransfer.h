#pragma once

#include "books/contacts/Contact.h"
#include "books/transfer/TransferFileKind.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

class BookDialogsPort;

// Copies the contacts of a phone book into a file, or adds the contacts of a file to a book, with the columns the
// user chose. An import is one transaction: a file that fails anywhere adds nothing. Imported contacts get new
// identities and group 0; nothing is checked for duplicates, so a file imported twice doubles its contacts.
class BookTransfer final {
public:
    struct Result {
        enum class Outcome { Done, Cancelled, Failed };
        Outcome outcome = Outcome::Failed;
        int contacts = 0; // contacts written or added
        QString message;  // what went wrong, or a warning about a finished transfer; shown by the window
        bool ok() const { return outcome == Outcome::Done; }
    };

    // book: the open current book. dialogs asks the overwrite question.
    BookTransfer(QSqlDatabase book, BookDialogsPort& dialogs);

    Result exportTo(const QString& file, TransferFileKind kind, const QList<int>& codes);
    Result importFrom(const QString& file, TransferFileKind kind, const QList<int>& codes);

    // The contacts a file of kind holds, with the columns of codes only; empty with a message when it is malformed.
    static std::optional<QList<Contact>> readContacts(const QString& file, TransferFileKind kind,
                                                      const QList<int>& codes, QString* error);
    // The bytes of contacts written as a file of kind (not Access or Paradox); lossy is set when a character had
    // no place in the file's code page.
    static QByteArray fileBytes(const QList<Contact>& contacts, TransferFileKind kind, const QList<int>& codes,
                                bool* lossy);

private:
    std::optional<QList<Contact>> bookContacts(QString* error) const;
    bool insert(const QList<Contact>& contacts, QString* error);

    QSqlDatabase m_book;
    BookDialogsPort& m_dialogs;
};
