#pragma once

#include <QString>
#include <QStringList>

// Finds the .mo catalogue for a language. The catalogue "locale/<name>/LC_MESSAGES/tervo.mo" is looked up below
// each search folder in turn: by default the Qt resources, the executable's folder and the installed share folder
// next to it. Only "pl" and "cr" (also requested as "hr") have catalogues; every other code, including "en",
// has none and shows the English msgids.
class CatalogueLocator final {
public:
    // The gettext text domain of the client, and the file name of its catalogues.
    static constexpr char textDomain[] = "tervo";

    CatalogueLocator();
    explicit CatalogueLocator(QStringList searchFolders);

    // ":" (the resource root), applicationDirPath() and applicationDirPath()/../share; only the first without
    // a QCoreApplication.
    static QStringList defaultFolders();
    // The catalogue for a language code (case-insensitive): "pl", "cr" or an empty string for none.
    static QString catalogueName(const QString& languageCode);
    static QString relativePath(const QString& catalogueName);

    const QStringList& searchFolders() const { return m_searchFolders; }
    // Every path tried for the language, in lookup order; empty when the language has no catalogue.
    QStringList candidates(const QString& languageCode) const;
    // The first candidate that exists, or an empty string.
    QString locate(const QString& languageCode) const;

private:
    QStringList m_searchFolders;
};
