// Feeds arbitrary bytes to the readers of phone-book files: the text layout (header of column names, commas,
// quotes) and vCard. Neither may crash, and what either reads must come back unchanged when written and read again.
#include "books/transfer/ContactFields.h"
#include "books/transfer/DelimitedText.h"
#include "books/transfer/TransferColumns.h"
#include "books/transfer/VCardReader.h"
#include "books/transfer/VCardWriter.h"
#include "settings/CodePage.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkDelimitedText(const QString& text)
{
    QString error;
    const std::optional<TransferTable> table = DelimitedText::read(text, &error);
    if (!table) {
        if (error.isEmpty()) {
            std::abort();
        }
        return;
    }
    const std::optional<TransferTable> again = DelimitedText::read(DelimitedText::write(*table), &error);
    if (!again || again->columns != table->columns || again->rows != table->rows) {
        std::abort();
    }
    static_cast<void>(ContactFields::contacts(*table, {}, 1, &error));
}

void checkVCard(const QString& text)
{
    QString error;
    const std::optional<QList<Contact>> contacts = VCardReader::read(text, &error);
    if (!contacts) {
        if (error.isEmpty()) {
            std::abort();
        }
        return;
    }
    const QStringList columns = TransferColumns::columnsOf(TransferColumns::allCodes());
    const std::optional<QList<Contact>> again = VCardReader::read(VCardWriter::write(*contacts, columns), &error);
    if (!again || again->size() != contacts->size()) {
        std::abort();
    }
    for (qsizetype i = 0; i < contacts->size(); ++i) {
        if (again->at(i).nazwa != contacts->at(i).nazwa || again->at(i).numbers != contacts->at(i).numbers ||
            again->at(i).email != contacts->at(i).email || again->at(i).defNr != contacts->at(i).defNr) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = CodePage::fromUtf8OrWindows1250(bytes);
    checkDelimitedText(text);
    checkVCard(text);
    return 0;
}
