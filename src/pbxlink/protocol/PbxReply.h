#pragma once

#include <QString>
#include <QStringList>

// A reply of the exchange to the oldest outstanding command: "aOK" with optional fields, "aERROR" with an optional
// text, or "aNA" with a refusal code.
struct PbxReply {
    enum class Kind { Ok, Error, Refused };

    Kind kind = Kind::Error;
    int code = 0;       // the refusal code of "aNA"
    QStringList fields; // the words of the line, "aOK" included
    QString line;

    // An "aNA" whose code is not a decimal number is taken as an error without a code: the command failed, and
    // no table message can be chosen for it.
    static PbxReply parse(const QString& line);

    bool isOk() const { return kind == Kind::Ok; }
};
