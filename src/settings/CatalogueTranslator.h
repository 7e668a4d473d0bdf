#pragma once

#include "settings/MoCatalogue.h"

#include <QTranslator>
#include <memory>

// Routes every tr() and .ui text through the one gettext catalogue, whatever its Qt context. A disambiguation is
// tried as msgctxt before the plain msgid; with n >= 0 the catalogue's plural rule picks the form. An empty
// result makes Qt show the source text, so texts missing from the catalogue pass through unchanged.
// The catalogue is fixed for the translator's lifetime; switching languages installs a new translator.
class CatalogueTranslator final : public QTranslator {
    Q_OBJECT

public:
    explicit CatalogueTranslator(std::shared_ptr<const MoCatalogue> catalogue, QObject* parent = nullptr);

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override;

private:
    QString lookup(QByteArrayView key, int n) const;

    std::shared_ptr<const MoCatalogue> m_catalogue;
};
