#include "app/CommandLine.h"

#include "settings/Const.h"
#include "settings/Lang.h"

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine commandLine;
    commandLine.language = Lang::chooseLanguage(arguments);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--help" || argument == u"-h") {
            commandLine.showHelp = true;
        } else if (argument == u"--version") {
            commandLine.showVersion = true;
        } else if (argument == u"--handle-tel") {
            commandLine.claimTelLinks = true;
        } else if (argument.compare(u"dial", Qt::CaseInsensitive) == 0) {
            if (i + 1 < arguments.size()) {
                commandLine.dialTarget = arguments[++i];
            }
        } else if (!argument.startsWith(u"-l=")) {
            commandLine.ignored.append(argument);
        }
    }
    return commandLine;
}

QString CommandLine::helpText(const QString& programName)
{
    const auto option = [](const QString& syntax, const QString& meaning) {
        return QStringLiteral("  ") + syntax.leftJustified(14) + u' ' + meaning + u'\n';
    };
    QString text = Lang::_("Usage: %1 [-l=LANGUAGE] [dial NUMBER]").arg(programName) + u'\n';
    text += Lang::_("Telephone client for one extension of a Norvel PBX.") + QStringLiteral("\n\n");
    text += Lang::_("Options:") + u'\n';
    text += option(Lang::_("-l=LANGUAGE"), Lang::_("language of the program: pl (default), cr or en"));
    text += option(Lang::_("dial NUMBER"), Lang::_("dial NUMBER, or the number of a tel:, callto: or tervop: address"));
    text += option(QStringLiteral("--handle-tel"), Lang::_("open tel: and callto: links with this program"));
    text += option(QStringLiteral("--version"), Lang::_("show the version and exit"));
    text += option(QStringLiteral("--help"), Lang::_("show this help and exit"));
    return text;
}

QString CommandLine::versionText()
{
    return Lang::_("%1 version %2 (%3)")
               .arg(QLatin1String(Const::ApplicationTitle), QLatin1String(Const::Version),
                    QLatin1String(Const::BuildDate)) +
           u'\n';
}
