#pragma once

#include <QString>
#include <QStringList>

class CatalogueLocator;

// The process-wide language: which catalogue is loaded and how texts are translated through it. Texts are written
// in English and used as msgids of the "tervo" gettext domain; a text the catalogue lacks is shown as written.
// The lookups are thread-safe; useLanguage() belongs to the main thread.
namespace Lang {

// The code given by the first argument that starts with "-l=", else "pl".
QString chooseLanguage(const QStringList& arguments);

// Loads the catalogue for code (none for English or an unknown code) and makes it current. With an application
// instance it also replaces the CatalogueTranslator installed on it, so tr() and .ui texts follow.
void useLanguage(const QString& code);
void useLanguage(const QString& code, const CatalogueLocator& locator);

// The code in use as it was given, e.g. "hr"; "en" until useLanguage() is called.
QString currentLanguage();
bool isPolish();
bool isEnglish();

// The translation of msgid, or msgid itself.
QString _(const char* msgid);
// The same for a text domain; only "tervo" (also given as null or "") has a catalogue, any other returns msgid.
QString _(const char* domain, const char* msgid);
// The translation of msgid where the catalogue gives it a context, for short texts that mean different things in
// different places ("Send" on a button and in an error report).
QString _p(const char* context, const char* msgid);
// The form of a plural text for n, chosen by the catalogue's rule; without a translation singular for n == 1,
// plural otherwise.
QString _n(const char* singular, const char* plural, qint64 n);

} // namespace Lang
