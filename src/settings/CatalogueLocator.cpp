#include "settings/CatalogueLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

CatalogueLocator::CatalogueLocator()
    : m_searchFolders(defaultFolders())
{
}

CatalogueLocator::CatalogueLocator(QStringList searchFolders)
    : m_searchFolders(std::move(searchFolders))
{
}

QStringList CatalogueLocator::defaultFolders()
{
    QStringList folders{QStringLiteral(":")};
    if (QCoreApplication::instance() != nullptr) {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        folders << executableFolder << executableFolder + QStringLiteral("/../share");
    }
    return folders;
}

QString CatalogueLocator::catalogueName(const QString& languageCode)
{
    const QString code = languageCode.toLower();
    if (code == QLatin1String("pl")) {
        return code;
    }
    if (code == QLatin1String("cr") || code == QLatin1String("hr")) {
        return QStringLiteral("cr");
    }
    return {};
}

QString CatalogueLocator::relativePath(const QString& catalogueName)
{
    return QStringLiteral("locale/%1/LC_MESSAGES/%2.mo").arg(catalogueName, QLatin1String(textDomain));
}

QStringList CatalogueLocator::candidates(const QString& languageCode) const
{
    const QString name = catalogueName(languageCode);
    if (name.isEmpty()) {
        return {};
    }
    QStringList paths;
    for (const QString& folder : m_searchFolders) {
        paths << QDir::cleanPath(folder + QLatin1Char('/') + relativePath(name));
    }
    return paths;
}

QString CatalogueLocator::locate(const QString& languageCode) const
{
    const QStringList paths = candidates(languageCode);
    for (const QString& path : paths) {
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return {};
}
