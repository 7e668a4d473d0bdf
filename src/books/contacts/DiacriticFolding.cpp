#include "books/contacts/DiacriticFolding.h"

#include "settings/CodePage.h"

#include <array>

namespace {

// Every Windows-1250 letter with a diacritic lies in U+00C0..U+017F.
constexpr char16_t FirstFolded = 0x00C0;
constexpr char16_t LastFolded = 0x017F;

QChar baseLetter(QChar letter)
{
    // The stroked letters have no canonical decomposition.
    switch (letter.unicode()) {
    case u'Ł':
        return u'L';
    case u'ł':
        return u'l';
    case u'Đ':
        return u'D';
    case u'đ':
        return u'd';
    default:
        break;
    }
    const QString decomposition = letter.decomposition();
    if (letter.decompositionTag() == QChar::Canonical && !decomposition.isEmpty() &&
        decomposition[0].unicode() < 0x80) {
        return decomposition[0];
    }
    return letter;
}

using FoldTable = std::array<char16_t, LastFolded - FirstFolded + 1>;

// Built from the code page itself, so that no letter of it is forgotten.
FoldTable buildTable()
{
    FoldTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<char16_t>(FirstFolded + i);
    }
    QByteArray highHalf;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        highHalf.append(static_cast<char>(byte));
    }
    for (const QChar character : CodePage::fromWindows1250(highHalf)) {
        if (character.isLetter() && character.unicode() >= FirstFolded && character.unicode() <= LastFolded) {
            table[character.unicode() - FirstFolded] = baseLetter(character).unicode();
        }
    }
    return table;
}

const FoldTable& foldTable()
{
    static const FoldTable table = buildTable();
    return table;
}

} // namespace

bool DiacriticFolding::appliesTo(const QString& language)
{
    return language != u"ru" && language != u"ru_RU";
}

QChar DiacriticFolding::fold(QChar character)
{
    const char16_t code = character.unicode();
    if (code < FirstFolded || code > LastFolded) {
        return character;
    }
    return QChar(foldTable()[code - FirstFolded]);
}

void DiacriticFolding::searchForm(QStringView text, bool foldDiacritics, QString& output)
{
    const FoldTable& table = foldTable();
    output.resize(text.size());
    char16_t* out = reinterpret_cast<char16_t*>(output.data());
    for (const QChar character : text) {
        char16_t code = character.unicode();
        if (code < 0x80) {
            *out++ = code >= u'A' && code <= u'Z' ? static_cast<char16_t>(code + (u'a' - u'A')) : code;
            continue;
        }
        code = character.toLower().unicode();
        if (foldDiacritics && code >= FirstFolded && code <= LastFolded) {
            code = table[code - FirstFolded];
        }
        *out++ = code;
    }
}

QString DiacriticFolding::searchForm(QStringView text, bool foldDiacritics)
{
    QString output;
    searchForm(text, foldDiacritics, output);
    return output;
}
