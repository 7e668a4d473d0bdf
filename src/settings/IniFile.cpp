#include "settings/IniFile.h"

#include "settings/CodePage.h"

#include <QFile>
#include <QSaveFile>

IniFile::ReadResult IniFile::read(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return {ReadStatus::Missing, {}};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {ReadStatus::Unreadable, {}};
    }
    const QByteArray bytes = file.readAll();
    return {ReadStatus::Read, IniDocument::parse(CodePage::fromUtf8OrWindows1250(bytes))};
}

QString IniFile::write(const QString& path, const IniDocument& document, const std::function<void()>& beforeReplace)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return file.errorString();
    }
    const QByteArray bytes = document.toText().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    if (beforeReplace) {
        beforeReplace();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}
