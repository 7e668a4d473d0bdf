// Feeds arbitrary bytes through the settings file reader: decoding, parsing, every lookup a settings load makes,
// and a rewrite. Rewriting what was read must be stable: a second load and save gives the same text.
#include "QuietLogging.h"
#include "settings/CodePage.h"
#include "settings/IniDocument.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSchema.h"

#include <cstdint>
#include <cstdlib>

namespace {

QString loadAndSave(const QString& text)
{
    static const SettingsSchema schema(QStringLiteral("/data/"));
    IniDocument document = IniDocument::parse(text);
    SettingsRecord record;
    schema.read(document, record);
    schema.write(record, document);
    return document.toText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString saved = loadAndSave(CodePage::fromUtf8OrWindows1250(bytes));
    if (loadAndSave(saved) != saved) {
        std::abort();
    }
    return 0;
}
