#include "recording/EncoderError.h"

#include "recording/FileErrorKind.h"
#include "settings/Lang.h"

#include <array>

namespace EncoderError {

quint32 fromWriteErrno(int error)
{
    // In the order of FileErrorKind.
    constexpr std::array<quint32, 7> codes{FileMissing, FolderUnavailable,  TooManyOpenFiles, AccessDenied,
                                           DiscFull,    ReadOnlyFileSystem, OperationFailed};
    return codes.at(static_cast<std::size_t>(fileErrorKind(error)));
}

QString message(quint32 code)
{
    switch (code) {
    case None:
        return Lang::_("no errors");
    case CannotRecord:
        return Lang::_("call cannot be recorded");
    case FileUnavailable:
        return Lang::_("call file unavailable");
    case TooLowEfficiency:
        return Lang::_("too low efficiency (call compression cannot be used)");
    case CodecInitialisation:
        return Lang::_("Error of compression codec initialization. Start program again.");
    case NotOurFile:
        return Lang::_("file not recorded by Tervo Telephone application");
    case FileCorrupted:
    case FileCorruptedToo:
        return Lang::_("call file is corrupted");
    case CannotDisturb:
        return Lang::_("operation cannot be disturbed ");
    case FileMissing:
        return Lang::_("Call file does not exist");
    case FolderUnavailable:
        return Lang::_("Audio call folder is unavailbe");
    case TooManyOpenFiles:
        return Lang::_(" close some application or start computer again");
    // The write failures say what went wrong with the disc.
    case DiscFull:
        return Lang::_("disc is full.");
    case ReadOnlyFileSystem:
        return Lang::_("selected file system is read only.");
    case AccessDenied:
        return Lang::_("no access for file");
    case OperationFailed:
    default:
        return Lang::_("operation failed");
    }
}

} // namespace EncoderError
