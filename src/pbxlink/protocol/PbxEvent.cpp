#include "pbxlink/protocol/PbxEvent.h"

namespace {

// The position where the parameter at index starts, or -1.
qsizetype parameterStart(const QString& parameters, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype space = parameters.indexOf(u' ', start);
        if (space < 0) {
            return -1;
        }
        start = space + 1;
    }
    return start;
}

} // namespace

QString PbxEvent::parameter(int index) const
{
    const qsizetype start = parameterStart(parameters, index);
    if (start < 0) {
        return {};
    }
    const qsizetype end = parameters.indexOf(u' ', start);
    QString value = parameters.mid(start, end < 0 ? -1 : end - start);
    if (value.startsWith(u'/')) {
        value.remove(u'_');
    }
    return value;
}

QString PbxEvent::restFrom(int index) const
{
    const qsizetype start = parameterStart(parameters, index);
    return start < 0 ? QString() : parameters.mid(start);
}
