#include "pbxlink/protocol/PbxReply.h"

#include "pbxlink/protocol/PbxLinkLog.h"

PbxReply PbxReply::parse(const QString& line)
{
    PbxReply reply;
    reply.line = line;
    reply.fields = line.split(u' ', Qt::SkipEmptyParts);
    if (line.startsWith(u"aOK")) {
        reply.kind = Kind::Ok;
    } else if (line.startsWith(u"aNA")) {
        bool numeric = false;
        const int code = reply.fields.value(1).toInt(&numeric);
        if (numeric) {
            reply.kind = Kind::Refused;
            reply.code = code;
        } else {
            qCWarning(lcPbxLink) << "Refusal without a numeric code taken as an error:" << line;
        }
    }
    return reply;
}
