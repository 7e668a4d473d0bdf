// Parses arbitrary bytes as a .mo catalogue and as a catalogue header, then looks up every text of whatever
// catalogue was accepted, singular and plural.
#include "QuietLogging.h"
#include "settings/MoCatalogue.h"
#include "settings/PluralExpression.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr std::uint64_t counts[] = {0, 1, 2, 5, 22, 112, std::numeric_limits<std::uint64_t>::max()};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();

    const QByteArray bytes =
        size == 0 ? QByteArray() : QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const PluralExpression rule = PluralExpression::fromHeader(bytes);
    for (const std::uint64_t n : counts) {
        (void)rule.formIndex(n);
    }

    const std::optional<MoCatalogue> catalogue = MoCatalogue::fromData(bytes);
    if (!catalogue) {
        return 0;
    }
    for (const QByteArray& key : catalogue->keys()) {
        (void)catalogue->translation(key);
        for (const std::uint64_t n : counts) {
            (void)catalogue->pluralTranslation(key, n);
        }
    }
    (void)catalogue->translation("menu", "Open");
    (void)catalogue->pluralTranslation("menu", "%n file(s)", 3);
    return 0;
}
