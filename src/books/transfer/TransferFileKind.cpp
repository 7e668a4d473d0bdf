#include "books/transfer/TransferFileKind.h"

#include "settings/Lang.h"

#include <QFileInfo>

QList<TransferFileKind> TransferFileKinds::all()
{
    return {TransferFileKind::Access, TransferFileKind::Paradox, TransferFileKind::Text, TransferFileKind::CsvUtf8,
            TransferFileKind::VCard};
}

QString TransferFileKinds::dialogText(TransferFileKind kind)
{
    switch (kind) {
    case TransferFileKind::Access:
        return Lang::_("Norvel Tervo Telephone - Access (*.mdb)");
    case TransferFileKind::Paradox:
        return Lang::_("Norvel Tervo Telephone 1.x - Paradox (*.db)");
    case TransferFileKind::Text:
        return Lang::_("Text file (*.txt)");
    case TransferFileKind::CsvUtf8:
        return Lang::_("CSV, UTF-8 (*.csv)");
    case TransferFileKind::VCard:
        return Lang::_("vCard (*.vcf)");
    }
    return {};
}

QString TransferFileKinds::extension(TransferFileKind kind)
{
    switch (kind) {
    case TransferFileKind::Access:
        return QStringLiteral("mdb");
    case TransferFileKind::Paradox:
        return QStringLiteral("db");
    case TransferFileKind::Text:
        return QStringLiteral("txt");
    case TransferFileKind::CsvUtf8:
        return QStringLiteral("csv");
    case TransferFileKind::VCard:
        return QStringLiteral("vcf");
    }
    return {};
}

TransferFileKind TransferFileKinds::fromFileName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const TransferFileKind kind : all()) {
        if (suffix.compare(extension(kind), Qt::CaseInsensitive) == 0) {
            return kind;
        }
    }
    return TransferFileKind::Text;
}
