#include "books/database/DatabaseLocation.h"

#include "books/database/BookConnection.h"
#include "books/database/BookDialogsPort.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFileInfo>

DatabaseLocation::Checked DatabaseLocation::check(const QString& location, const QString& fileName, bool silent,
                                                  Creation creation, BookDialogsPort& dialogs, const Texts& texts)
{
    if (BookConnection::isServerLocation(location)) {
        return {true, {}, false};
    }
    const bool mayCreate = creation == Creation::Allowed;
    if (!QFileInfo(location).isDir()) {
        if (mayCreate &&
            (silent || dialogs.askYesNo(withValue(Lang::_("Folder %s doesn't exist.\nCreate new?"), location)))) {
            QDir().mkpath(location);
        }
        if (!QFileInfo(location).isDir()) {
            return {false, texts.invalidFolder, false};
        }
    }
    if (QFileInfo::exists(QDir(location).filePath(fileName))) {
        return {true, {}, false};
    }
    if (!mayCreate || (!silent && !dialogs.askYesNo(texts.createFileQuestion))) {
        return {false, texts.fileRefused, false};
    }
    return {true, {}, true};
}

QString DatabaseLocation::withValue(QString text, const QString& value)
{
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    return at < 0 ? text : text.replace(at, 2, value);
}
