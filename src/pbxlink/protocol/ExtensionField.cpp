#include "pbxlink/protocol/ExtensionField.h"

namespace ExtensionField {

QString pad(const QString& value)
{
    return value.leftJustified(Width, u'_');
}

} // namespace ExtensionField
