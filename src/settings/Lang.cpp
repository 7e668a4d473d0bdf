#include "settings/Lang.h"

#include "settings/CatalogueLocator.h"
#include "settings/CatalogueTranslator.h"
#include "settings/MoCatalogue.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QReadWriteLock>
#include <QThread>
#include <memory>

namespace {

Q_LOGGING_CATEGORY(lcLang, "tervo.lang")

struct LanguageState {
    QReadWriteLock lock;
    QString code = QStringLiteral("en");
    std::shared_ptr<const MoCatalogue> catalogue;
    QPointer<CatalogueTranslator> translator; // owned by the application; main thread only
};

LanguageState& state()
{
    static LanguageState instance;
    return instance;
}

std::shared_ptr<const MoCatalogue> currentCatalogue()
{
    QReadLocker locker(&state().lock);
    return state().catalogue;
}

std::shared_ptr<const MoCatalogue> loadCatalogue(const QString& code, const CatalogueLocator& locator)
{
    if (CatalogueLocator::catalogueName(code).isEmpty()) {
        if (!code.contains(QLatin1String("en"))) {
            qCWarning(lcLang).noquote() << "No catalogue for language" << code << "- showing English texts";
        }
        return nullptr;
    }
    const QString path = locator.locate(code);
    if (path.isEmpty()) {
        qCWarning(lcLang).noquote() << "Catalogue for language" << code << "not found in"
                                    << locator.candidates(code).join(QLatin1String(", "));
        return nullptr;
    }
    std::optional<MoCatalogue> catalogue = MoCatalogue::fromFile(path);
    return catalogue ? std::make_shared<const MoCatalogue>(std::move(*catalogue)) : nullptr;
}

void replaceTranslator(const std::shared_ptr<const MoCatalogue>& catalogue)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return;
    }
    if (QThread::currentThread() != application->thread()) {
        qCWarning(lcLang) << "Language changed outside the main thread; tr() texts keep the previous language";
        return;
    }
    LanguageState& current = state();
    if (current.translator) {
        QCoreApplication::removeTranslator(current.translator);
        delete current.translator;
    }
    if (catalogue) {
        current.translator = new CatalogueTranslator(catalogue, application);
        QCoreApplication::installTranslator(current.translator);
    }
}

} // namespace

namespace Lang {

QString chooseLanguage(const QStringList& arguments)
{
    const QLatin1String option("-l=");
    for (const QString& argument : arguments) {
        if (argument.startsWith(option)) {
            return argument.sliced(option.size());
        }
    }
    return QStringLiteral("pl");
}

void useLanguage(const QString& code)
{
    useLanguage(code, CatalogueLocator());
}

void useLanguage(const QString& code, const CatalogueLocator& locator)
{
    std::shared_ptr<const MoCatalogue> catalogue = loadCatalogue(code, locator);
    {
        QWriteLocker locker(&state().lock);
        state().code = code;
        state().catalogue = catalogue;
    }
    replaceTranslator(catalogue);
}

QString currentLanguage()
{
    QReadLocker locker(&state().lock);
    return state().code;
}

bool isPolish()
{
    return currentLanguage().toLower() == QLatin1String("pl");
}

bool isEnglish()
{
    return currentLanguage().contains(QLatin1String("en"));
}

QString _(const char* msgid)
{
    if (msgid == nullptr) {
        return {};
    }
    const std::shared_ptr<const MoCatalogue> catalogue = currentCatalogue();
    const QString translated = catalogue ? catalogue->translation(msgid) : QString();
    return translated.isNull() ? QString::fromUtf8(msgid) : translated;
}

QString _(const char* domain, const char* msgid)
{
    if (domain == nullptr || *domain == '\0' || qstrcmp(domain, CatalogueLocator::textDomain) == 0) {
        return _(msgid);
    }
    return QString::fromUtf8(msgid);
}

QString _p(const char* context, const char* msgid)
{
    if (context == nullptr || msgid == nullptr) {
        return _(msgid);
    }
    const std::shared_ptr<const MoCatalogue> catalogue = currentCatalogue();
    const QString translated = catalogue ? catalogue->translation(context, msgid) : QString();
    return translated.isNull() ? QString::fromUtf8(msgid) : translated;
}

QString _n(const char* singular, const char* plural, qint64 n)
{
    if (singular == nullptr || plural == nullptr) {
        return {};
    }
    const std::shared_ptr<const MoCatalogue> catalogue = currentCatalogue();
    const QString translated =
        catalogue ? catalogue->pluralTranslation(singular, static_cast<std::uint64_t>(n)) : QString();
    return translated.isNull() ? QString::fromUtf8(n == 1 ? singular : plural) : translated;
}

} // namespace Lang
