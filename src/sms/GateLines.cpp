#include "sms/GateLines.h"

namespace GateLines {

namespace {

constexpr QChar Separator = u' ';

std::optional<int> decimal(const QString& field)
{
    bool ok = false;
    const int value = field.toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QStringList takeFields(const QString& line, int count, QString* rest)
{
    QStringList fields;
    qsizetype start = 0;
    while (fields.size() < count && start <= line.size()) {
        const qsizetype end = line.indexOf(Separator, start);
        if (end < 0) {
            fields.append(line.mid(start));
            start = line.size() + 1;
            break;
        }
        fields.append(line.mid(start, end - start));
        start = end + 1;
    }
    if (rest != nullptr) {
        *rest = start <= line.size() ? line.mid(start) : QString();
    }
    return fields;
}

QString keyword(const QString& line)
{
    return takeFields(line, 1).value(0);
}

std::optional<Reply> Reply::parse(const QString& line)
{
    const QString word = keyword(line);
    Reply reply;
    reply.line = line;
    if (word == u"aOK") {
        reply.kind = Kind::Ok;
    } else if (word == u"aNA") {
        reply.kind = Kind::Refused;
        reply.code = decimal(line.mid(4).trimmed()).value_or(-1);
    } else if (word == u"aERROR") {
        reply.kind = Kind::Error;
    } else {
        return std::nullopt;
    }
    return reply;
}

std::optional<CentreAnswer> CentreAnswer::parse(const QString& line)
{
    const QStringList fields = takeFields(line, 5);
    if (fields.size() < 5 || fields[0] != u"SMSA") {
        return std::nullopt;
    }
    const std::optional<int> reference = decimal(fields[4]);
    const QString status = fields[3].toUpper();
    if (!reference || (status != u"C" && status != u"R")) {
        return std::nullopt;
    }
    return CentreAnswer{status == u"C", *reference};
}

std::optional<DeliveryReport> DeliveryReport::parse(const QString& line)
{
    const QStringList fields = takeFields(line, 6);
    if (fields.size() < 6 || fields[0] != u"SMSR" || fields[4].isEmpty()) {
        return std::nullopt;
    }
    const std::optional<int> reference = decimal(fields[5]);
    if (!reference) {
        return std::nullopt;
    }
    DeliveryReport report;
    const QString status = fields[3].toUpper();
    report.outcome = status == u"D" ? Outcome::Delivered : status == u"E" ? Outcome::Failed : Outcome::Unknown;
    report.id = fields[4];
    report.reference = *reference;
    return report;
}

std::optional<IncomingSegment> IncomingSegment::parse(const QString& line)
{
    IncomingSegment segment;
    const QStringList fields = takeFields(line, 8, &segment.text);
    if (fields.size() < 5 || fields[0] != u"SMSG" || fields[3].isEmpty() || fields[4].isEmpty()) {
        return std::nullopt;
    }
    segment.line = fields[2];
    segment.id = fields[3];
    segment.sender = fields[4];
    segment.numberType = fields.value(5);
    // A segment whose numbering cannot be read is kept as a message of its own rather than lost.
    const QStringList parts = fields.value(6).split(QLatin1Char(','));
    const std::optional<int> reference = decimal(parts.value(0));
    const std::optional<int> number = decimal(parts.value(1));
    const std::optional<int> total = decimal(parts.value(2));
    if (reference && number && total && *number >= 1 && *number <= *total) {
        segment.reference = *reference;
        segment.number = *number;
        segment.total = *total;
    }
    segment.stamped = QDateTime::fromString(fields.value(7), QStringLiteral("yyyy-MM-dd,hh:mm:ss"));
    return segment;
}

bool IncomingSegment::sameMessageAs(const IncomingSegment& other) const
{
    return sender == other.sender && numberType == other.numberType && line == other.line &&
           reference == other.reference;
}

} // namespace GateLines
