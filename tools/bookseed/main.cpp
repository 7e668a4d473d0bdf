// tervo-bookseed: fills a phone book with contacts for the demo and for measurements.
#include "bookseed/BookSeeder.h"
#include "bookseed/SeedOptions.h"
#include "bookseed/SilentBookDialogs.h"
#include "settings/Lang.h"
#include "settings/SettingsPaths.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tervo-bookseed"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);

    const bookseed::SeedOptions::Parsed parsed = bookseed::SeedOptions::parse(arguments);
    switch (parsed.outcome) {
    case bookseed::SeedOptions::Outcome::Help:
        QTextStream(stdout) << parsed.text;
        return 0;
    case bookseed::SeedOptions::Outcome::Error:
        QTextStream(stderr) << "tervo-bookseed: " << parsed.text << "\n(--help shows the usage)\n";
        return 2;
    case bookseed::SeedOptions::Outcome::PrintFolderName:
        QTextStream(stdout) << SettingsPaths::installationFolderName(parsed.text) << '\n';
        return 0;
    case bookseed::SeedOptions::Outcome::Seed:
        break;
    }

    // A new book gets its names (the group "Others") in the language the client would use.
    Lang::useLanguage(Lang::chooseLanguage(arguments));
    bookseed::SilentBookDialogs dialogs;
    const bookseed::BookSeeder::Result result = bookseed::BookSeeder(dialogs).seed(parsed.request);
    QTextStream errors(stderr);
    for (const QString& notice : dialogs.notices) {
        errors << "tervo-bookseed: " << notice << '\n';
    }
    if (!result.ok) {
        errors << "tervo-bookseed: " << result.error << "\ntervo-bookseed: nothing was added\n";
        return 1;
    }
    QTextStream(stdout) << "Added " << result.added << " contacts to the phone book in " << parsed.request.folder
                        << '\n';
    return 0;
}
