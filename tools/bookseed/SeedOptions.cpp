#include "bookseed/SeedOptions.h"

#include "books/database/BookSchema.h"

#include <optional>

namespace bookseed {

namespace {

SeedOptions::Parsed failed(const QString& message)
{
    return {SeedOptions::Outcome::Error, {}, message};
}

// NAME=NUMBER split at its last "=", as numbers never hold one; empty when either half is blank.
std::optional<NamedNumber> namedNumber(const QString& argument)
{
    const qsizetype at = argument.lastIndexOf(u'=');
    if (at < 0) {
        return std::nullopt;
    }
    NamedNumber named{argument.left(at).trimmed(), argument.mid(at + 1).trimmed()};
    if (named.name.isEmpty() || named.number.isEmpty()) {
        return std::nullopt;
    }
    return named;
}

} // namespace

SeedOptions::Parsed SeedOptions::parse(const QStringList& arguments)
{
    Parsed parsed{Outcome::Seed, {}, {}};
    bool haveFolder = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == u"--help" || argument == u"-h") {
            return {Outcome::Help, {}, usage()};
        }
        if (argument.startsWith(u"-l=")) {
            continue;
        }
        if (argument == u"--print-folder-name") {
            if (!hasValue || arguments[i + 1].isEmpty()) {
                return failed(QStringLiteral("--print-folder-name needs the path of an executable"));
            }
            return {Outcome::PrintFolderName, {}, arguments[i + 1]};
        }
        if (argument == u"--generated") {
            bool isNumber = false;
            const int count = hasValue ? arguments[i + 1].toInt(&isNumber) : 0;
            if (!isNumber || count < 0 || count > MaxGenerated) {
                return failed(QStringLiteral("--generated needs a count from 0 to %1").arg(MaxGenerated));
            }
            parsed.request.generated = count;
            ++i;
            continue;
        }
        if (argument.startsWith(u'-')) {
            return failed(QStringLiteral("unknown option %1").arg(argument));
        }
        if (!haveFolder) {
            if (argument.isEmpty()) {
                return failed(QStringLiteral("FOLDER is empty"));
            }
            parsed.request.folder = argument;
            haveFolder = true;
            continue;
        }
        const std::optional<NamedNumber> named = namedNumber(argument);
        if (!named) {
            return failed(QStringLiteral("\"%1\" is not NAME=NUMBER").arg(argument));
        }
        if (named->number.size() > BookSchema::NumberWidth) {
            return failed(QStringLiteral("the number of \"%1\" is longer than %2 characters")
                              .arg(named->name)
                              .arg(BookSchema::NumberWidth));
        }
        parsed.request.named.append(*named);
    }
    if (!haveFolder) {
        return failed(QStringLiteral("FOLDER is missing"));
    }
    return parsed;
}

QString SeedOptions::usage()
{
    return QStringLiteral(
               "Usage: tervo-bookseed FOLDER [--generated N] [NAME=NUMBER ...]\n"
               "       tervo-bookseed --print-folder-name PATH\n"
               "\n"
               "Opens the phone book in FOLDER as the client does, creating it when missing, and adds in one "
               "transaction\n"
               "a contact for each NAME=NUMBER (the number as its first) and N generated contacts (\"Contact "
               "000001\",\n"
               "numbers 5xxxxxxxx, 6xxxxxxxx and 7xxxxxxxx). FOLDER may also be a postgresql:// location.\n"
               "\n"
               "  --generated N             add N generated contacts (0 to %1)\n"
               "  --print-folder-name PATH  print the client's folder name for the installation at PATH and end\n"
               "  -l=LANGUAGE               the language of a new book's names, as the client's (pl by default)\n")
        .arg(MaxGenerated);
}

} // namespace bookseed
