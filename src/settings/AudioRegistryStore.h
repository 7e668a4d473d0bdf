#pragma once

#include "settings/IniDocument.h"

#include <QString>

// Integers of the sound-card and mixer set-up ("Record card id", "Play card id", and per mixer line values under
// names such as "Card0\volume"), kept in a small ini file of their own beside the settings. Each write goes to
// disk at once. When the file cannot be opened every read gives its default and writes are ignored.
class AudioRegistryStore final {
public:
    // Opens the store, creating its folder when missing.
    explicit AudioRegistryStore(QString filePath);

    bool isOpen() const { return m_open; }

    // The names of the sound cards chosen for recording and for playback (negative: the system's default).
    static QString recordCardId() { return QStringLiteral("Record card id"); }
    static QString playCardId() { return QStringLiteral("Play card id"); }

    int readInteger(const QString& name, int defaultValue) const;
    void writeInteger(const QString& name, int value);

    // Composite names: prefix + "\" + name.
    bool valueExists(const QString& prefix, const QString& name) const;
    int readInteger(const QString& prefix, const QString& name, int defaultValue) const;

private:
    static QString compositeName(const QString& prefix, const QString& name);

    QString m_filePath;
    IniDocument m_document;
    bool m_open = false;
};
