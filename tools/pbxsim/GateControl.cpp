#include "pbxsim/GateControl.h"

#include "pbxsim/GateHandler.h"

namespace pbxsim {

namespace {

std::optional<int> count(const QString& word)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

GateControl::GateControl(GateHandler& gate)
    : m_gate(gate)
{
}

QString GateControl::manual()
{
    return QStringLiteral(
        "  sms GATE SENDER REF TOTAL ORDER TEXT\n"
        "      segments ORDER (\"1,2,3\", \"2,1\", \"1\") of an incoming message of TOTAL segments\n"
        "  gatefault busy|card|starting|notlogged N | login CODE | silence | drop | reject | undelivered | off\n"
        "      faults of the GSM gate\n"
        "  gatecodepage 852|1250\n"
        "      the code page of the gate's texts\n");
}

std::optional<ControlReply> GateControl::execute(const QString& line)
{
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    const QString name = words.value(0);
    if (name == u"sms") {
        return deliver(words, line.section(u' ', 6, -1, QString::SectionSkipEmpty));
    }
    if (name == u"gatefault") {
        return fault(words);
    }
    if (name == u"gatecodepage" && words.size() == 2 && (words[1] == u"852" || words[1] == u"1250")) {
        m_gate.setCp852(words[1] == u"852");
        return ControlReply::success();
    }
    if (name == u"gatecodepage") {
        return ControlReply::failure(QStringLiteral("usage: gatecodepage 852|1250"));
    }
    return std::nullopt;
}

ControlReply GateControl::deliver(const QStringList& words, const QString& text)
{
    const std::optional<int> reference = count(words.value(3));
    const std::optional<int> total = count(words.value(4));
    QList<int> order;
    for (const QString& part : words.value(5).split(u',')) {
        const std::optional<int> number = count(part);
        if (!number || !total || *number < 1 || *number > *total) {
            return ControlReply::failure(QStringLiteral("usage: sms GATE SENDER REF TOTAL ORDER TEXT"));
        }
        order.append(*number);
    }
    if (words.size() < 6 || words[1].size() != 3 || !reference || *total < 1) {
        return ControlReply::failure(QStringLiteral("usage: sms GATE SENDER REF TOTAL ORDER TEXT"));
    }
    QString decoded = text;
    decoded.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    // The gate carries the text in its wire form: line breaks as "\n", backslashes doubled.
    QString wire = decoded;
    wire.replace(u'\\', QStringLiteral("\\\\")).replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    const int sessions = m_gate.deliver(words[1], words[2], *reference, *total, order, wire);
    return sessions > 0 ? ControlReply::success()
                        : ControlReply::success(QStringLiteral("(no session logged in to gate %1)").arg(words[1]));
}

ControlReply GateControl::fault(const QStringList& words)
{
    GateHandler::Faults& faults = m_gate.faults();
    const QString kind = words.value(1);
    const std::optional<int> n = count(words.value(2));
    if (words.size() == 3 && n) {
        int* target = kind == u"busy"        ? &faults.busy
                      : kind == u"card"      ? &faults.cardBusy
                      : kind == u"starting"  ? &faults.starting
                      : kind == u"notlogged" ? &faults.notLogged
                      : kind == u"login"     ? &faults.loginRefusal
                                             : nullptr;
        if (target != nullptr) {
            *target = *n;
            return ControlReply::success();
        }
    } else if (words.size() == 2) {
        bool* target = kind == u"silence"       ? &faults.silence
                       : kind == u"drop"        ? &faults.drop
                       : kind == u"reject"      ? &faults.reject
                       : kind == u"undelivered" ? &faults.undelivered
                                                : nullptr;
        if (target != nullptr) {
            *target = true;
            return ControlReply::success();
        }
        if (kind == u"off") {
            faults = {};
            return ControlReply::success();
        }
    }
    return ControlReply::failure(QStringLiteral(
        "usage: gatefault busy|card|starting|notlogged N | login CODE | silence|drop|reject|undelivered|off"));
}

} // namespace pbxsim
