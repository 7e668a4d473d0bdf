// The client's start: one instance per installation, the language, settings, the error log, then the windows, the
// databases and the link in their fixed order, and the event loop.
#include "app/BookAssembly.h"
#include "app/BookTransferAssembly.h"
#include "app/BookWindowsAssembly.h"
#include "app/CommandLine.h"
#include "app/ConfigAssembly.h"
#include "app/DesktopAssembly.h"
#include "app/ErrorLog.h"
#include "app/HistoryWindowAssembly.h"
#include "app/HotKeyAssembly.h"
#include "app/IdleAssembly.h"
#include "app/KeyringAssembly.h"
#include "app/LinkAssembly.h"
#include "app/LogindWatcher.h"
#include "app/NotificationAssembly.h"
#include "app/PbxRecordingAssembly.h"
#include "app/PhoneAssembly.h"
#include "app/QuitOnTerminationSignals.h"
#include "app/RecordingAssembly.h"
#include "app/SingleInstance.h"
#include "app/SmsAssembly.h"
#include "app/TervoApplication.h"
#include "phone/ui/TSplashForm.h"
#include "settings/Conftool.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsStore.h"

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

// Without any display the client still runs its links and logs and prints what its window would show. True when
// there is no display to show windows on.
bool chooseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QTextStream(stderr) << Lang::_("No graphical display found; the client runs without windows.") << u'\n';
    }
    return qgetenv("QT_QPA_PLATFORM") == "offscreen";
}

// The hand-over to a running client: true when one took the request and this start should end.
bool handedToRunningClient(SingleInstance& instance, const CommandLine& commandLine)
{
    if (instance.handOver(commandLine.dialTarget)) {
        return true;
    }
    instance.listen();
    return false;
}

void showSplash(const SettingsRecord& settings)
{
    if (settings.Ogolne.Splash) {
        auto* splash = new TSplashForm;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
    }
}

// A book that cannot be opened, and its return, are told in the telephone window (the book window shows the
// pending text later) and kept in the error log.
void announceBookOutages(TdbCore& books, TelephoneWindowLogic& window, const ErrorLog& errorLog)
{
    const auto announce = [&window, &errorLog](const QString& text) {
        errorLog.record(text);
        window.showNotice(QString(text).replace(u'\n', u' ').simplified(), text, true);
    };
    QObject::connect(&books, &TdbCore::bookUnavailable, &window, announce);
    QObject::connect(&books, &TdbCore::bookAvailableAgain, &window, announce);
}

// The windows the telephone window's menus and buttons open, from the subsystems that own them.
TMainForm::Openers menuOpeners(LinkAssembly& link, SmsAssembly& sms, RecordingAssembly& recording,
                               BookWindowsAssembly& bookWindows, std::function<void()> openConfiguration)
{
    TMainForm::Openers openers;
    bookWindows.fillMenuOpeners(openers);
    openers.networkConsole = [&link] {
        link.console().show();
        link.console().raise();
    };
    openers.sms = [&sms] {
        sms.openCompose();
    };
    openers.smsConsole = [&sms] {
        sms.showConsole();
    };
    openers.recording = [&recording] {
        recording.toggle();
    };
    openers.configuration = std::move(openConfiguration);
    return openers;
}

int runClient(int argc, char** argv, const CommandLine& commandLine)
{
    const bool withoutDisplay = chooseOffscreenWithoutDisplay();
    TervoApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tervo"));
    QGuiApplication::setApplicationDisplayName(QLatin1String(Const::ApplicationTitle));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Lang::useLanguage(commandLine.language);

    const SettingsPaths paths = SettingsPaths::forThisProcess();
    SingleInstance instance(SingleInstance::socketPath(SingleInstance::instanceName(paths.executablePath())));
    if (handedToRunningClient(instance, commandLine)) {
        return 0;
    }
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
        // Secrets kept in the desktop's keyring are in the record before anything that logs in is built.
        KeyringAssembly keyring(settings, errorLog);
        keyring.waitForSecrets();
        showSplash(settings.record());

        // The link and the windows first (the telephone window is built on the link, which starts last), then the
        // databases: a book or the history that cannot be opened even from its default folder ends the program;
        // the user has been told why.
        BookAssembly books(settings);
        RecordingAssembly recording(settings);
        // A shutdown or reboot announced by logind ends the event loop, so that everything below closes in order
        // (services at closing, the redial list, the logout) before the session is torn down.
        LogindWatcher logind;
        QObject::connect(&logind, &LogindWatcher::shutdownComing, &logind, [] { QCoreApplication::exit(0); });
        LinkAssembly link(settings, books.linkServices(), recording, logind);
        recording.attachCalls(link.link().callState());
        keyring.onLateSecrets([&link] {
            if (link.link().lifecycle().loginFailed()) {
                link.link().lifecycle().connectToServer();
            }
        });
        // The configuration dialog is made once every part it follows exists; the windows built before open it
        // through this.
        std::function<void()> openConfiguration;
        const auto configurationOpener = [&openConfiguration] {
            if (openConfiguration) {
                openConfiguration();
            }
        };
        PhoneAssembly phone(settings, books.core(), books.naming(), link.link(),
                            withoutDisplay || qEnvironmentVariableIsSet("TERVO_PRINT_WINDOW"), configurationOpener);
        recording.showOutcomesIn(phone.window());
        announceBookOutages(books.core(), phone.window(), errorLog);
        if (books.start()) {
            PbxRecordingAssembly pbxRecordings(settings, books.core(), books.linkServices(), link.link(),
                                               phone.window());
            SmsAssembly sms(settings, books.core(), phone.form(), phone.window());
            BookTransferAssembly bookTransfer(books.core());
            BookWindowsAssembly bookWindows(settings.record(), [&settings] { settings.save(); }, books.core(),
                                            books.naming(), phone.window(),
                                            {configurationOpener, bookTransfer.importOpener(),
                                             bookTransfer.exportOpener(), [&sms, &books](const QString& number) {
                                                 sms.openComposeTo(books.naming().nameForNumber(number), number);
                                             }});
            phone.window().setPendingDial(commandLine.dialTarget);
            QObject::connect(&instance, &SingleInstance::showRequested, &phone.form(),
                             [&phone] { phone.form().showMainWindow(true, true, false); });
            QObject::connect(&instance, &SingleInstance::dialRequested, &phone.window(),
                             [&phone](const QString& target) { phone.window().placeNumber(target); });
            DesktopAssembly desktop(settings.record(), paths, phone.window(), commandLine.claimTelLinks);
            IdleAssembly idle(settings.record(), link.link().services(), phone.window());
            HotKeyAssembly hotKey(settings.record(), phone.form(), phone.window());
            NotificationAssembly notifications(settings.record(), link.link().callState(), phone.window(),
                                               QDBusConnection::sessionBus());
            ConfigAssembly configuration(
                settings, ConfigAssembly::exchangeOf(link.link()),
                ConfigAssembly::followersOf(hotKey, idle, desktop, sms),
                ConfigAssembly::actionsOf({books.core(), bookWindows, recording, sms, desktop, keyring}));
            configuration.followLinkStatus(link.link().notices());
            configuration.followSmsStatus(sms.gate());
            configuration.followLinkDialogs(link.dialogs());
            openConfiguration = configuration.opener();
            ContactWindows& contacts = bookWindows.contactWindows();
            HistoryWindowAssembly history(
                settings, books.core(), phone.window(),
                {[&books, &sms](const QString& number) {
                     sms.openComposeTo(books.naming().nameForNumber(number), number);
                 },
                 [&contacts](const QString& number) { contacts.editNumber(number); },
                 [&contacts](const QString& number, int position) { contacts.addNumber(number, position); },
                 [&contacts](const QString& number) { contacts.openNotes(number); },
                 configurationOpener,
                 [&pbxRecordings](const QString& id) {
                     return HistoryWindowAssembly::exchangeRecording(pbxRecordings.recordings().manager(), id);
                 },
                 {}});
            TMainForm::Openers openers = menuOpeners(link, sms, recording, bookWindows, configurationOpener);
            openers.history = [&history] {
                history.open();
            };
            phone.start(openers);
            link.link().start();
            sms.start();
            desktop.start();
            idle.start();
            hotKey.apply();

            const QuitOnTerminationSignals quitOnSignals;
            exitCode = TervoApplication::exec();
            openConfiguration = {};
            desktop.shutDown();
            phone.close();
            sms.shutDown();
            pbxRecordings.shutDown();
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
