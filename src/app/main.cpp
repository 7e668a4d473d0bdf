// The client's start: language, settings, the error log, then the event loop. The windows and links of the
// program are created here in their fixed order as they are added.
#include "app/BookAssembly.h"
#include "app/CommandLine.h"
#include "app/ErrorLog.h"
#include "app/LinkAssembly.h"
#include "app/QuitOnTerminationSignals.h"
#include "app/TervoApplication.h"
#include "settings/Conftool.h"
#include "settings/Const.h"
#include "settings/Lang.h"

#include <QDebug>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

int printAndExit(const QString& text)
{
    QTextStream(stdout) << text;
    return 0;
}

// Without any display the client still runs its links and logs; it only has no windows to show.
void chooseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QTextStream(stderr) << Lang::_("No graphical display found; the client runs without windows.") << u'\n';
    }
}

int runClient(int argc, char** argv, const CommandLine& commandLine)
{
    chooseOffscreenWithoutDisplay();
    TervoApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tervo"));
    QGuiApplication::setApplicationDisplayName(QLatin1String(Const::ApplicationTitle));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Lang::useLanguage(commandLine.language);

    const SettingsPaths paths = SettingsPaths::forThisProcess();
    const ErrorLog errorLog(LogFile(paths.logFolder() + QStringLiteral("error.log"), LogFile::Stamp::DateTime));
    ErrorLog::install(&errorLog);
    application.setErrorLog(&errorLog);

    int exitCode = 1;
    try {
        for (const QString& argument : commandLine.ignored) {
            qWarning().noquote() << "Unknown parameter ignored:" << argument;
        }
        SettingsStore& settings = GetSettingsStore();
        qInfo().noquote() << "Settings:" << settings.paths().settingsFile() << "- language:" << Lang::currentLanguage();

        // A book or the history that cannot be opened even from its default folder ends the program; the user
        // has been told why.
        BookAssembly books(settings);
        if (books.start()) {
            // Until the telephone window exists, the network console is the window the client shows.
            LinkAssembly link(settings, books.linkServices());
            link.console().show();
            link.link().start();

            const QuitOnTerminationSignals quitOnSignals;
            exitCode = TervoApplication::exec();
            link.shutDown();
        }
    } catch (const std::exception& exception) {
        errorLog.recordException(exception);
        qCritical() << "Exception:" << exception.what();
    }
    application.setErrorLog(nullptr);
    ErrorLog::install(nullptr);
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine commandLine = CommandLine::parse(argumentsOf(argc, argv));
    Lang::useLanguage(commandLine.language);
    if (commandLine.showVersion) {
        return printAndExit(CommandLine::versionText());
    }
    if (commandLine.showHelp) {
        return printAndExit(CommandLine::helpText(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()));
    }
    return runClient(argc, argv, commandLine);
}
