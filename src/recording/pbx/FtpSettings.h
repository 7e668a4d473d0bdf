#pragma once

#include <QString>

// How the worker speaks to the exchange's FTP server. The exchange keeps its recordings for the fixed account
// "wkqz"; passive mode and binary transfers are always used.
struct FtpSettings {
    int port = 21;
    QString user = QStringLiteral("wkqz");
    QString password = QStringLiteral("wkqz");
    int connectTimeoutMs = 30000;
    int readTimeoutMs = 30000;
    // A file larger than this is refused rather than filling the memory.
    qint64 maxFileBytes = qint64(1) << 30;
};
