#include "settings/MoCatalogue.h"

#include <QFile>
#include <QLoggingCategory>
#include <QtEndian>

namespace {

Q_LOGGING_CATEGORY(lcCatalogue, "tervo.lang.catalogue")

constexpr quint32 moMagic = 0x950412de;
// Magic, revision, string count, offsets of the original and translated tables, size and offset of the hash table.
constexpr qsizetype moHeaderSize = 7 * 4;
constexpr quint64 tableEntrySize = 8;
constexpr qint64 maxFileSize = 16 * 1024 * 1024;
constexpr char contextSeparator = '\x04';

// The bytes of the index-th NUL-separated form, or nullopt when there are fewer forms.
std::optional<QByteArrayView> nthForm(QByteArrayView forms, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype separator = forms.indexOf('\0', start);
        if (separator < 0) {
            return std::nullopt;
        }
        start = separator + 1;
    }
    const qsizetype end = forms.indexOf('\0', start);
    return forms.sliced(start, (end < 0 ? forms.size() : end) - start);
}

QString decoded(std::optional<QByteArrayView> bytes)
{
    return bytes && !bytes->isEmpty() ? QString::fromUtf8(*bytes) : QString();
}

} // namespace

std::optional<MoCatalogue> MoCatalogue::fromData(const QByteArray& data, const QString& origin)
{
    const auto reject = [&origin](const char* reason) -> std::optional<MoCatalogue> {
        qCWarning(lcCatalogue).noquote() << "Ignoring catalogue" << origin << "-" << reason;
        return std::nullopt;
    };
    if (data.size() < moHeaderSize) {
        return reject("too short for a .mo header");
    }
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const bool bigEndian = qFromBigEndian<quint32>(bytes) == moMagic;
    if (!bigEndian && qFromLittleEndian<quint32>(bytes) != moMagic) {
        return reject("not a .mo file");
    }
    const auto word = [bytes, bigEndian](quint64 offset) -> quint64 {
        return bigEndian ? qFromBigEndian<quint32>(bytes + offset) : qFromLittleEndian<quint32>(bytes + offset);
    };
    if ((word(4) >> 16) != 0) {
        return reject("unsupported major revision");
    }

    const auto size = static_cast<quint64>(data.size());
    const quint64 count = word(8);
    const quint64 originalTable = word(12);
    const quint64 translationTable = word(16);
    const quint64 tableSize = count * tableEntrySize;
    if (tableSize > size || originalTable > size - tableSize || translationTable > size - tableSize) {
        return reject("string table outside the file");
    }

    // Strings of a well-formed catalogue do not overlap, so their total length is bounded by the file size;
    // enforcing that keeps a crafted file from making every entry point at the same huge string.
    quint64 totalLength = 0;
    const auto stringAt = [&](quint64 table, quint64 index) -> std::optional<QByteArrayView> {
        const quint64 length = word(table + index * tableEntrySize);
        const quint64 offset = word(table + index * tableEntrySize + 4);
        if (offset > size || length > size - offset || length > size - totalLength) {
            return std::nullopt;
        }
        totalLength += length;
        return QByteArrayView(data.constData() + offset, static_cast<qsizetype>(length));
    };

    MoCatalogue catalogue;
    catalogue.m_entries.reserve(static_cast<qsizetype>(count));
    for (quint64 i = 0; i < count; ++i) {
        const std::optional<QByteArrayView> original = stringAt(originalTable, i);
        const std::optional<QByteArrayView> translated = stringAt(translationTable, i);
        if (!original || !translated) {
            return reject("string outside the file or overlapping another");
        }
        const qsizetype singularEnd = original->indexOf('\0');
        const QByteArrayView key = singularEnd < 0 ? *original : original->first(singularEnd);
        if (key.isEmpty()) {
            catalogue.m_pluralRule = PluralExpression::fromHeader(*translated);
            continue;
        }
        QByteArray ownedKey = key.toByteArray();
        if (!translated->isEmpty() && !catalogue.m_entries.contains(ownedKey)) {
            catalogue.m_entries.insert(std::move(ownedKey), Entry{translated->toByteArray(), singularEnd >= 0});
        }
    }
    return catalogue;
}

std::optional<MoCatalogue> MoCatalogue::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcCatalogue).noquote() << "Cannot open catalogue" << path << "-" << file.errorString();
        return std::nullopt;
    }
    if (file.size() > maxFileSize) {
        qCWarning(lcCatalogue).noquote() << "Ignoring catalogue" << path << "- larger than" << maxFileSize << "bytes";
        return std::nullopt;
    }
    return fromData(file.read(maxFileSize), path);
}

QString MoCatalogue::translation(QByteArrayView msgid) const
{
    const Entry* entry = find(msgid);
    return entry ? decoded(nthForm(entry->forms, 0)) : QString();
}

QString MoCatalogue::translation(QByteArrayView context, QByteArrayView msgid) const
{
    return translation(contextKey(context, msgid));
}

QString MoCatalogue::pluralTranslation(QByteArrayView singular, std::uint64_t n) const
{
    const Entry* entry = find(singular);
    if (entry == nullptr) {
        return {};
    }
    if (!entry->plural) {
        return decoded(nthForm(entry->forms, 0));
    }
    // A form the translator left out falls back to the first one, as an out-of-range rule value does.
    const QString form = decoded(nthForm(entry->forms, m_pluralRule.formIndex(n)));
    return form.isNull() ? decoded(nthForm(entry->forms, 0)) : form;
}

QString MoCatalogue::pluralTranslation(QByteArrayView context, QByteArrayView singular, std::uint64_t n) const
{
    return pluralTranslation(contextKey(context, singular), n);
}

QByteArray MoCatalogue::contextKey(QByteArrayView context, QByteArrayView msgid)
{
    QByteArray key;
    key.reserve(context.size() + 1 + msgid.size());
    key.append(context).append(contextSeparator).append(msgid);
    return key;
}

const MoCatalogue::Entry* MoCatalogue::find(QByteArrayView key) const
{
    if (key.isEmpty()) {
        return nullptr;
    }
    const auto it = m_entries.constFind(QByteArray::fromRawData(key.data(), key.size()));
    return it == m_entries.constEnd() ? nullptr : &it.value();
}
