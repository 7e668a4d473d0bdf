#include "recording/AudioError.h"

#include "recording/FileErrorKind.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace AudioError {

quint32 fromCreateErrno(int error)
{
    // In the order of FileErrorKind.
    constexpr std::array<quint32, 7> codes{FileMissingToo, FolderUnavailable, TooManyOpenFiles,   AccessDenied,
                                           DiscFull,       FolderNotWritable, DiscOperationFailed};
    return codes.at(static_cast<std::size_t>(fileErrorKind(error)));
}

namespace {

// Why files cannot be written in folder: a network folder, a read-only file system, or a path that leads nowhere.
QString notWritableText(const QString& folder)
{
    if (folder.startsWith(QStringLiteral("//")) || folder.startsWith(QStringLiteral("\\\\"))) {
        return Lang::_("no privileges to record on network drive.");
    }
    const QString top = folder.section(u'/', 0, 0, QString::SectionSkipEmpty);
    const QString device = folder.startsWith(u'/') ? u'/' + top : top;
    if (!device.isEmpty() && QFileInfo::exists(device)) {
        return Lang::_("selected file system is read only.");
    }
    return Lang::_("wrong path - device %s does't exist").replace(QStringLiteral("%s"), device) + u' ' +
           Lang::_("Change audio notes location.");
}

} // namespace

QString message(quint32 code, const QString& detail, const QString& path)
{
    switch (code) {
    case None:
        return Lang::_("no errors");
    case Detail:
        return detail;
    case TooLowEfficiency:
        return Lang::_("Too low system efficiency (call compression cannot be used)");
    case NoCard:
        return Lang::_("audio card is not installed");
    case DeviceBusyOrUnplugged:
        return Lang::_("recording device is busy or not connected");
    case CannotDisturb:
        return Lang::_("operation cannot be disturbed ");
    case CannotCloseFile:
        return Lang::_("file cannot be closed");
    case NoSignal:
        return Lang::_("no signal - check the wire connecting phone to the computer");
    case CannotRecord:
        return Lang::_("call cannot be recorded");
    case AudioDeviceBusy:
        return Lang::_("audio device is busy");
    case FileUnavailable:
        return Lang::_("file unavailable");
    case NotOurFile:
        return Lang::_("file has not been recorded by Tervo Telephone application");
    case DiscFull:
        return Lang::_("disc is full.");
    case CannotCreateFile:
        return Lang::_("file in audio note folder cannot be created. Check your permission to save your files.");
    case FileMissing:
    case FileMissingToo:
        return Lang::_("file %s  do not exist").replace(QStringLiteral("%s"), path);
    case FolderUnavailable:
        return Lang::_("Audio call folder %s is unavailbe").replace(QStringLiteral("%s"), path);
    case TooManyOpenFiles:
        return Lang::_(" close some application or start computer again");
    case FolderNotWritable:
        return notWritableText(path);
    case DiscOperationFailed:
        return Lang::_("disc operation on file %s has failed").replace(QStringLiteral("%s"), path);
    case AccessDenied:
        return Lang::_("no access for file");
    default:
        return Lang::_("call cannot be recorded");
    }
}

} // namespace AudioError
