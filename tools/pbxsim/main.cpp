// tervo-pbxsim: a stand-in for the PBX's computer-telephony server for development, tests and the demo.
#include "app/QuitOnTerminationSignals.h"
#include "pbxsim/PbxSimulator.h"
#include "pbxsim/SimulatorConfig.h"
#include "pbxsim/SimulatorOptions.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tervo-pbxsim"));

    pbxsim::SimulatorConfig config;
    QString message;
    switch (pbxsim::SimulatorOptions::parse(QCoreApplication::arguments(), &config, &message)) {
    case pbxsim::SimulatorOptions::Outcome::Help:
        QTextStream(stdout) << message;
        return 0;
    case pbxsim::SimulatorOptions::Outcome::Error:
        QTextStream(stderr) << "tervo-pbxsim: " << message << "\n(--help lists the options)\n";
        return 2;
    case pbxsim::SimulatorOptions::Outcome::Run:
        break;
    }

    pbxsim::PbxSimulator simulator(config);
    // Queued: a script may ask to quit before the event loop runs.
    QObject::connect(&simulator, &pbxsim::PbxSimulator::quitRequested, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!simulator.start(&message)) {
        QTextStream(stderr) << "tervo-pbxsim: " << message << '\n';
        return 1;
    }
    const QuitOnTerminationSignals quitOnSignals;
    return QCoreApplication::exec();
}
