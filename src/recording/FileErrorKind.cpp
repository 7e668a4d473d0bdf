#include "recording/FileErrorKind.h"

#include <cerrno>

FileErrorKind fileErrorKind(int error)
{
    switch (error) {
    case ENOENT:
        return FileErrorKind::FileMissing;
    case ENOTDIR:
        return FileErrorKind::FolderMissing;
    case EMFILE:
    case ENFILE:
        return FileErrorKind::TooManyOpenFiles;
    case EACCES:
    case EPERM:
        return FileErrorKind::AccessDenied;
    case ENOSPC:
    case EDQUOT:
        return FileErrorKind::DiscFull;
    case EROFS:
        return FileErrorKind::ReadOnly;
    default:
        return FileErrorKind::Other;
    }
}
