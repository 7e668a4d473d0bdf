#pragma once

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

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
