#pragma once

// What a failed file operation of a recording ran into, by the meaning of the C library's errno. The recorder and
// the encoder each turn it into a code of their own error tables.
// The error tables of the recorder and the encoder are indexed by it, in this order.
enum class FileErrorKind {
    FileMissing,
    FolderMissing,
    TooManyOpenFiles,
    AccessDenied,
    DiscFull,
    ReadOnly,
    Other,
};

FileErrorKind fileErrorKind(int error);
