// Feeds arbitrary text through what turns a request from another program or the clipboard into a number: the
// result may hold only what the exchange dials, taking it again changes nothing, and a paste never grows past the
// entry line's limit.
#include "phone/DialTarget.h"
#include "phone/EntryText.h"
#include "settings/CodePage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = CodePage::fromUtf8OrWindows1250(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    const QString number = DialTarget::numberOf(text);
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (!EntryText::isDialCharacter(number[i]) || (number[i] == u'+' && i > 0)) {
            std::abort();
        }
    }
    if (DialTarget::numberOf(number) != number || EntryText::dialDigits(number) != number) {
        std::abort();
    }
    const QString dialled = EntryText::dialNumber(text);
    if (dialled.contains(u'+') || EntryText::dialDigits(dialled) != dialled ||
        EntryText::dialNumber(dialled) != dialled) {
        std::abort();
    }

    const EntryText::Pasted pasted = EntryText::fromClipboard(text);
    if (pasted.text.size() > EntryText::MaxLength ||
        (!pasted.isName && !pasted.text.isEmpty() && !EntryText::isNumber(pasted.text))) {
        std::abort();
    }
    static_cast<void>(EntryText::isNumber(text));
    return 0;
}
