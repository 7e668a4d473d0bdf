#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The lines the GSM gate sends. Fields are separated by single spaces and taken from the left; what follows the
// last field taken is free text. Sub-fields inside a field are separated by ",".
namespace GateLines {

// The first count fields of line; rest receives what follows them, without the separating space.
QStringList takeFields(const QString& line, int count, QString* rest = nullptr);

// "aOK" [fields], "aNA" code or "aERROR": the answer to the oldest command sent.
struct Reply {
    enum class Kind { Ok, Refused, Error };
    Kind kind = Kind::Error;
    int code = -1; // "aNA" only; -1 when the code is missing or not a number
    QString line;

    static std::optional<Reply> parse(const QString& line);
};

// "SMSA": the SMS centre's answer to a segment the gate passed on.
struct CentreAnswer {
    bool accepted = false; // "C" accepted, "R" rejected
    int reference = 0;

    static std::optional<CentreAnswer> parse(const QString& line);
};

// "SMSR": a delivery report for the segment with that reference.
struct DeliveryReport {
    enum class Outcome { Delivered, Failed, Unknown };
    Outcome outcome = Outcome::Unknown;
    QString id; // acknowledged with aSOK
    int reference = 0;

    static std::optional<DeliveryReport> parse(const QString& line);
};

// "SMSG": one segment of an incoming message. The second field names the gate's modem line and the fifth the
// sender's number type; together with the sender they tell which message a segment belongs to. The seventh field
// is the date and time the centre stamped, written "yyyy-MM-dd,hh:mm:ss".
struct IncomingSegment {
    QString id; // acknowledged with aSOK
    QString line;
    QString sender;
    QString numberType;
    int reference = 0;
    int number = 1;
    int total = 1;
    QDateTime stamped; // invalid when the field is missing or unreadable
    QString text;      // in its wire form

    static std::optional<IncomingSegment> parse(const QString& line);
    bool sameMessageAs(const IncomingSegment& other) const;
};

// The first field of an unsolicited line.
QString keyword(const QString& line);

} // namespace GateLines
