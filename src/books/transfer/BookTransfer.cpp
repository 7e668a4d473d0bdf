#include "books/transfer/BookTransfer.h"

#include "books/contacts/ContactStore.h"
#include "books/database/BookDialogsPort.h"
#include "books/database/DatabaseLocation.h"
#include "books/transfer/BookFile.h"
#include "books/transfer/ContactFields.h"
#include "books/transfer/DelimitedText.h"
#include "books/transfer/TransferColumns.h"
#include "books/transfer/VCardReader.h"
#include "books/transfer/VCardWriter.h"
#include "settings/CodePage.h"
#include "settings/Lang.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Larger than any phone book a person keeps; a larger file is refused before it is read into memory.
constexpr qint64 MaximumFileBytes = qint64(256) << 20;

BookTransfer::Result failed(const QString& operationError, const QString& detail)
{
    return {BookTransfer::Result::Outcome::Failed, 0,
            detail.isEmpty() ? operationError : operationError + u'\n' + detail};
}

QString paradoxNotSupported()
{
    return Lang::_("Paradox tables of Norvel Tervo Telephone 1.x are not supported by this version. Export the book "
                   "as a text file with the first generation, then import that file.");
}

// The contact reduced to the chosen columns, the others left at their defaults.
Contact withColumns(const Contact& source, const QStringList& columns)
{
    Contact contact;
    for (const QString& column : columns) {
        ContactFields::setText(contact, column, ContactFields::text(source, column), nullptr);
    }
    return contact;
}

} // namespace

BookTransfer::BookTransfer(QSqlDatabase book, BookDialogsPort& dialogs)
    : m_book(std::move(book))
    , m_dialogs(dialogs)
{
}

QByteArray BookTransfer::fileBytes(const QList<Contact>& contacts, TransferFileKind kind, const QList<int>& codes,
                                   bool* lossy)
{
    const QStringList columns = TransferColumns::columnsOf(codes);
    if (lossy != nullptr) {
        *lossy = false;
    }
    if (kind == TransferFileKind::VCard) {
        return VCardWriter::write(contacts, columns).toUtf8();
    }
    const QString text = DelimitedText::write(ContactFields::table(contacts, columns));
    if (kind == TransferFileKind::CsvUtf8) {
        // The byte-order mark lets spreadsheets tell UTF-8 from the system's code page.
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    }
    const QByteArray bytes = CodePage::toWindows1250(text);
    if (lossy != nullptr) {
        *lossy = CodePage::fromWindows1250(bytes) != text;
    }
    return bytes;
}

BookTransfer::Result BookTransfer::exportTo(const QString& file, TransferFileKind kind, const QList<int>& codes)
{
    const QString exportError = Lang::_("Error of phone book export");
    if (kind == TransferFileKind::Paradox) {
        return failed(exportError, paradoxNotSupported());
    }
    if (QFileInfo::exists(file) && !m_dialogs.askYesNo(Lang::_("File exists. Do you want to overwrite it?"))) {
        return {Result::Outcome::Cancelled, 0, {}};
    }
    QString error;
    const std::optional<QList<Contact>> contacts = bookContacts(&error);
    if (!contacts) {
        return failed(exportError, error);
    }
    // The file is replaced only once the new one is complete.
    const QString creationError = Lang::_("Error of phone book file creation:") + u' ' + file;
    Result result{Result::Outcome::Done, int(contacts->size()), {}};
    if (kind == TransferFileKind::Access) {
        if (!BookFile::write(file, ContactFields::table(*contacts, TransferColumns::columnsOf(codes)), &error)) {
            return failed(exportError, error);
        }
        return result;
    }
    bool lossy = false;
    const QByteArray bytes = fileBytes(*contacts, kind, codes, &lossy);
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit()) {
        return failed(exportError, creationError);
    }
    if (lossy) {
        result.message = Lang::_("Some characters have no place in the Windows-1250 code page and were written as "
                                 "\"?\". The kind \"CSV, UTF-8\" keeps every character.");
    }
    return result;
}

std::optional<QList<Contact>> BookTransfer::readContacts(const QString& file, TransferFileKind kind,
                                                         const QList<int>& codes, QString* error)
{
    const QStringList columns = TransferColumns::columnsOf(codes);
    if (kind == TransferFileKind::Paradox) {
        if (error != nullptr) {
            *error = paradoxNotSupported();
        }
        return std::nullopt;
    }
    if (kind == TransferFileKind::Access) {
        const std::optional<TransferTable> table = BookFile::read(file, columns, error);
        return table ? ContactFields::contacts(*table, columns, 1, error) : std::nullopt;
    }
    QFile input(file);
    if (input.size() > MaximumFileBytes) {
        if (error != nullptr) {
            *error = Lang::_("The file is too large for a phone book.");
        }
        return std::nullopt;
    }
    if (!input.open(QIODevice::ReadOnly)) {
        if (error != nullptr) {
            *error = input.errorString();
        }
        return std::nullopt;
    }
    // Files of the Windows generation are Windows-1250; UTF-8 ones (with or without a byte-order mark) are told
    // apart by being valid UTF-8.
    const QString text = CodePage::fromUtf8OrWindows1250(input.readAll());
    if (kind == TransferFileKind::VCard) {
        std::optional<QList<Contact>> contacts = VCardReader::read(text, error);
        if (contacts) {
            for (Contact& contact : *contacts) {
                contact = withColumns(contact, columns);
            }
        }
        return contacts;
    }
    const std::optional<TransferTable> table = DelimitedText::read(text, error);
    return table ? ContactFields::contacts(*table, columns, 1, error) : std::nullopt;
}

BookTransfer::Result BookTransfer::importFrom(const QString& file, TransferFileKind kind, const QList<int>& codes)
{
    if (!QFileInfo(file).isFile()) {
        return {Result::Outcome::Failed, 0, Lang::_("This file does not exist")};
    }
    const QString importError = Lang::_("Error of phone book import");
    QString error;
    const std::optional<QList<Contact>> contacts = readContacts(file, kind, codes, &error);
    if (!contacts) {
        return failed(importError, error);
    }
    if (!insert(*contacts, &error)) {
        return failed(importError, error);
    }
    return {Result::Outcome::Done, int(contacts->size()), {}};
}

std::optional<QList<Contact>> BookTransfer::bookContacts(QString* error) const
{
    QSqlQuery query(m_book);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM Book2 ORDER BY Nazwa, ID"))) {
        if (error != nullptr) {
            *error = query.lastError().text();
        }
        return std::nullopt;
    }
    QList<Contact> contacts;
    while (query.next()) {
        contacts.append(ContactColumns::read(query.record()));
    }
    return contacts;
}

bool BookTransfer::insert(const QList<Contact>& contacts, QString* error)
{
    if (!m_book.transaction()) {
        if (error != nullptr) {
            *error = m_book.lastError().text();
        }
        return false;
    }
    bool ok = true;
    {
        ContactStore store(m_book);
        for (qsizetype i = 0; ok && i < contacts.size(); ++i) {
            Contact contact = contacts[i];
            contact.id = 0;
            contact.groupId = 0;
            if (!store.insert(contact)) {
                ok = false;
                if (error != nullptr) {
                    *error = DatabaseLocation::withValue(Lang::_("Row %s:"), QString::number(i + 1)) + u' ' +
                             store.lastError();
                }
            }
        }
    }
    if (ok && m_book.commit()) {
        return true;
    }
    if (ok && error != nullptr) {
        *error = m_book.lastError().text();
    }
    m_book.rollback();
    return false;
}
