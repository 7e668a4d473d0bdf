#include "settings/CatalogueTranslator.h"

CatalogueTranslator::CatalogueTranslator(std::shared_ptr<const MoCatalogue> catalogue, QObject* parent)
    : QTranslator(parent)
    , m_catalogue(std::move(catalogue))
{
}

QString CatalogueTranslator::translate(const char* /*context*/, const char* sourceText, const char* disambiguation,
                                       int n) const
{
    if (!m_catalogue || sourceText == nullptr) {
        return {};
    }
    if (disambiguation != nullptr && *disambiguation != '\0') {
        const QString withContext = lookup(MoCatalogue::contextKey(disambiguation, sourceText), n);
        if (!withContext.isNull()) {
            return withContext;
        }
    }
    return lookup(sourceText, n);
}

bool CatalogueTranslator::isEmpty() const
{
    return !m_catalogue;
}

QString CatalogueTranslator::lookup(QByteArrayView key, int n) const
{
    return n >= 0 ? m_catalogue->pluralTranslation(key, static_cast<std::uint64_t>(n)) : m_catalogue->translation(key);
}
