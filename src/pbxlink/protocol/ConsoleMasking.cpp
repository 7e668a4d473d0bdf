#include "pbxlink/protocol/ConsoleMasking.h"

namespace ConsoleMasking {

namespace {

struct SecretCommand {
    const char16_t* word;
    int keptCharacters;
};

constexpr SecretCommand SecretCommands[] = {{u"aLOGI", 10}, {u"aLOCK", 12}, {u"aACC", 16}};

} // namespace

QString mask(const QString& line)
{
    for (const SecretCommand& command : SecretCommands) {
        if (line.contains(QStringView(command.word))) {
            return line.left(command.keptCharacters) + QStringLiteral(" ****");
        }
    }
    return line;
}

bool isWorthShowing(const QString& line)
{
    return !line.isEmpty() && line != u"t";
}

} // namespace ConsoleMasking
