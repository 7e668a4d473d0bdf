#pragma once

#include <QString>
#include <QStringList>

namespace pbxsim {

struct SimulatorConfig;

// The stand-in's command line.
class SimulatorOptions final {
public:
    enum class Outcome { Run, Help, Error };

    // arguments[0] is the program. On Help, message is the help text; on Error, what is wrong.
    static Outcome parse(const QStringList& arguments, SimulatorConfig* config, QString* message);
};

} // namespace pbxsim
