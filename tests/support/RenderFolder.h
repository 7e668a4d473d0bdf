#pragma once

#include <QDir>
#include <QString>

// Where the window tests save their pictures: $TERVO_RENDER_DIR (docs/ when the documentation's pictures are made
// again), else renders/ in the build folder. The folder is made when missing.
inline QString renderFolder()
{
    QString folder = qEnvironmentVariable("TERVO_RENDER_DIR");
    if (folder.isEmpty()) {
        const QString binary = qEnvironmentVariable("TERVO_BINARY_DIR");
        folder = (binary.isEmpty() ? QDir::currentPath() : binary) + QStringLiteral("/renders");
    }
    QDir().mkpath(folder);
    return folder;
}
