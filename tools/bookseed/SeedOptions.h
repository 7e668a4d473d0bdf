#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bookseed {

// A contact given on the command line as NAME=NUMBER.
struct NamedNumber {
    QString name;
    QString number;

    bool operator==(const NamedNumber&) const = default;
};

// What to put into which book.
struct SeedRequest {
    QString folder;
    int generated = 0;
    QList<NamedNumber> named;
};

// The seeding tool's command line:
//   tervo-bookseed FOLDER [--generated N] [NAME=NUMBER ...]
//   tervo-bookseed --print-folder-name PATH
// An argument "-l=LANGUAGE" is left to the language choice, as the client does.
class SeedOptions final {
public:
    enum class Outcome { Seed, PrintFolderName, Help, Error };

    // The most generated contacts: their numbers have eight digits after the leading one.
    static constexpr int MaxGenerated = 99'999'999;

    struct Parsed {
        Outcome outcome = Outcome::Error;
        SeedRequest request;
        // PrintFolderName: the executable path; Help: the usage text; Error: what is wrong.
        QString text;
    };

    // arguments without the program name.
    static Parsed parse(const QStringList& arguments);
    static QString usage();
};

} // namespace bookseed
