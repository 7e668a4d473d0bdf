#pragma once

#include "settings/PluralExpression.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// A GNU gettext message catalogue (.mo) held in memory. The file is validated completely when read: any offset
// or length outside the buffer, a wrong magic number or an unknown major revision rejects the whole file.
// Keys are the msgid bytes ("context\x04msgid" with a context, the singular for plural entries); translations
// are UTF-8.
class MoCatalogue final {
public:
    // nullopt, with a warning naming origin, when the bytes are not a valid catalogue.
    static std::optional<MoCatalogue> fromData(const QByteArray& data, const QString& origin = {});
    static std::optional<MoCatalogue> fromFile(const QString& path);

    // The translation, or a null QString when the catalogue has none. For a plural entry this is the first form.
    QString translation(QByteArrayView msgid) const;
    QString translation(QByteArrayView context, QByteArrayView msgid) const;
    // The form for n of the entry keyed by its singular msgid (the only form of a non-plural entry); null when
    // there is no such entry.
    QString pluralTranslation(QByteArrayView singular, std::uint64_t n) const;
    QString pluralTranslation(QByteArrayView context, QByteArrayView singular, std::uint64_t n) const;

    int size() const { return static_cast<int>(m_entries.size()); }
    QList<QByteArray> keys() const { return m_entries.keys(); }
    const PluralExpression& pluralRule() const { return m_pluralRule; }

    static QByteArray contextKey(QByteArrayView context, QByteArrayView msgid);

private:
    struct Entry {
        QByteArray forms; // NUL-separated UTF-8 forms
        bool plural = false;
    };

    MoCatalogue() = default;
    const Entry* find(QByteArrayView key) const;

    QHash<QByteArray, Entry> m_entries;
    PluralExpression m_pluralRule;
};
