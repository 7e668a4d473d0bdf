// Feeds arbitrary text through number normalisation and the name and number filters of the phone book. Normalising
// must be stable (a stored number normalises to itself) and leave only the characters a stored number may hold.
#include "books/contacts/DiacriticFolding.h"
#include "books/contacts/NameFilter.h"
#include "books/contacts/NumberList.h"
#include "books/contacts/PhoneNumbers.h"
#include "settings/CodePage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = CodePage::fromUtf8OrWindows1250(bytes);
    // The first line is the search text, the rest the name or number judged.
    const qsizetype split = text.indexOf(u'\n');
    const QString search = split < 0 ? text : text.left(split);
    const QString subject = split < 0 ? text : text.mid(split + 1);

    for (const bool addZero : {false, true}) {
        const QString number = PhoneNumbers::normalise(subject, search, addZero);
        if (PhoneNumbers::normalise(number, search, addZero) != number) {
            std::abort();
        }
        for (const QChar character : number) {
            if (!PhoneNumbers::isNumberCharacter(character)) {
                std::abort();
            }
        }
        static_cast<void>(NumberFilter::passes(number, search));
    }
    for (int mode = 0; mode <= 3; ++mode) {
        NameFilter filter(mode, mode % 2 == 0, QStringLiteral("pl"));
        filter.setSearchText(search);
        static_cast<void>(filter.passes(subject));
    }
    // Any name finds itself, whatever it holds.
    NameFilter self(2, true, QStringLiteral("pl"));
    self.setSearchText(subject);
    if (!subject.isEmpty() && !self.passes(subject)) {
        std::abort();
    }
    if (DiacriticFolding::searchForm(subject, true).size() != subject.size()) {
        std::abort();
    }
    return 0;
}
