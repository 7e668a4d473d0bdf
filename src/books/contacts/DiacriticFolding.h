#pragma once

#include <QString>
#include <QStringView>

// Searching without diacritical marks: every letter of the Windows-1250 code page that carries a diacritic
// stands for its base Latin letter, upper case for upper case and lower case for lower case ("Ł" for "L",
// "ź" for "z"). Russian users have Cyrillic letters on the same byte values of their code page, so folding is off
// for them.
namespace DiacriticFolding {

// False for the interface languages "ru" and "ru_RU".
bool appliesTo(const QString& language);

// The base letter of character, or character itself.
QChar fold(QChar character);

// The form both a name and a search text are compared in: lower case, and folded when foldDiacritics is set.
// output is reused so that filtering a long list does not allocate per name.
void searchForm(QStringView text, bool foldDiacritics, QString& output);
QString searchForm(QStringView text, bool foldDiacritics);

} // namespace DiacriticFolding
