#pragma once

#include <QString>
#include <QtGlobal>

// The error state of the Ogg encoder, shown to the user through message() (translated).
namespace EncoderError {

enum Code : quint32 {
    None = 0,
    CannotRecord = 1,
    FileUnavailable = 2,
    TooLowEfficiency = 3,
    CodecInitialisation = 4,
    NotOurFile = 5,
    FileCorrupted = 6,
    FileCorruptedToo = 7,
    CannotDisturb = 8,
    OperationFailed = 9,
    FileMissing = 10,
    FolderUnavailable = 11,
    TooManyOpenFiles = 12,
    DiscFull = 13,
    ReadOnlyFileSystem = 14,
    AccessDenied = 998,
};

// The code for a failed write of recording data, by the meaning of the C library's errno.
quint32 fromWriteErrno(int error);

// The translated text of code; an unknown code reads as "operation failed".
QString message(quint32 code);

} // namespace EncoderError
