#pragma once

#include <QString>
#include <QtGlobal>

// The error state of the sound-card recorder (ErrorCode), shown to the user through message() (translated).
namespace AudioError {

enum Code : quint32 {
    None = 0,
    Detail = 1, // the text stored with the error, such as the encoder's
    TooLowEfficiency = 2,
    NoCard = 3,
    DeviceBusyOrUnplugged = 4,
    CannotDisturb = 5,
    CannotCloseFile = 6,
    NoSignal = 7,
    CannotRecord = 8,
    AudioDeviceBusy = 9,
    FileUnavailable = 10,
    NotOurFile = 11,
    DiscFull = 12,
    CannotCreateFile = 13,
    FileMissing = 14,
    FileMissingToo = 15,
    FolderUnavailable = 16,
    TooManyOpenFiles = 17,
    FolderNotWritable = 18,
    DiscOperationFailed = 19,
    AccessDenied = 998,
};

// The code for a recording file that could not be created, by the meaning of the C library's errno.
quint32 fromCreateErrno(int error);

// The translated text of code. detail is the stored text of code 1; path names the file or folder of the codes
// that show one.
QString message(quint32 code, const QString& detail = {}, const QString& path = {});

} // namespace AudioError
