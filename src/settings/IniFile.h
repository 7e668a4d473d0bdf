#pragma once

#include "settings/IniDocument.h"

#include <QString>
#include <functional>
#include <optional>

// Reads and writes ini files on disk. Reading accepts UTF-8 and Windows-1250 text with either line ending;
// writing produces UTF-8 and replaces the file atomically (a temporary file renamed over the old one) with
// permissions for the owner only, because the files hold PINs.
class IniFile final {
public:
    enum class ReadStatus { Read, Missing, Unreadable };

    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        IniDocument document;
    };

    static ReadResult read(const QString& path);

    // Returns an empty text on success, else what went wrong. The old file is untouched unless the new one was
    // written completely. beforeReplace runs after the new contents are on disk and before the rename; an
    // exception thrown there abandons the write the way a crash at that moment would.
    static QString write(const QString& path, const IniDocument& document,
                         const std::function<void()>& beforeReplace = {});
};
