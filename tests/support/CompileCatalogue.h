#pragma once

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

// A small Polish catalogue: plain texts, a context and a plural text with the Polish plural rule.
inline constexpr const char* polishPo = R"po(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\n"

msgid "Settings"
msgstr "Ustawienia"

msgid "Open"
msgstr "Otwórz"

msgctxt "menu"
msgid "Open"
msgstr "Otwórz menu"

msgid "%n file(s)"
msgid_plural "%n files"
msgstr[0] "%n plik"
msgstr[1] "%n pliki"
msgstr[2] "%n plików"
)po";

// Compiles the .po text po with msgfmt into moPath (its folder is created), for tests that need real catalogues.
inline bool compileCatalogue(const char* po, const QString& moPath, const QStringList& extraOptions = {})
{
    QDir().mkpath(QFileInfo(moPath).path());
    QFile poFile(moPath + QStringLiteral(".po"));
    if (!poFile.open(QIODevice::WriteOnly) || poFile.write(po) < 0) {
        return false;
    }
    poFile.close();
    QProcess msgfmt;
    msgfmt.start(QStringLiteral("msgfmt"), extraOptions + QStringList{QStringLiteral("-o"), moPath, poFile.fileName()});
    if (!msgfmt.waitForFinished() || msgfmt.exitCode() != 0) {
        qWarning() << "msgfmt failed:" << msgfmt.readAllStandardError();
        return false;
    }
    return true;
}
