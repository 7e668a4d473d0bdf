#pragma once

#include <QString>
#include <QStringList>

// What the client was asked to do on its command line.
struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    // The language of the first "-l=" parameter, else the default.
    QString language;
    // The parameter after "dial": a number or a tel:, callto: or tervop: URL; empty when there was none.
    QString dialTarget;
    // "--handle-tel": make the client the default handler of tel: and callto: links too.
    bool claimTelLinks = false;
    // Parameters the client does not know, so it can say it ignored them.
    QStringList ignored;

    // arguments[0] is the program itself.
    static CommandLine parse(const QStringList& arguments);

    static QString helpText(const QString& programName);
    static QString versionText();
};
