#include "recording/RecordingStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FinalName = QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-00-03.ogg");

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecordingStorage final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_warnings;
    qint64 m_freeBytes = 0;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString log() const { return QString::fromUtf8(contentOf(path(QStringLiteral("audio.log")))); }

    RecordingStorage storage()
    {
        return RecordingStorage(path(QStringLiteral("data/History/VoiceNotes")),
                                LogFile(path(QStringLiteral("audio.log")), LogFile::Stamp::Time),
                                {[this](const QString&) { return std::optional<qint64>(m_freeBytes); },
                                 [this](const QString& text) {
                                     m_warnings << text;
                                 }});
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_warnings.clear();
        m_freeBytes = 100 * 1024 * 1024;
    }

    void defaultFolderIsBelowTheDataFolder()
    {
        QCOMPARE(RecordingStorage::defaultFolderIn(QStringLiteral("/d/Norvel/TelefonTervo/H/")),
                 QStringLiteral("/d/Norvel/TelefonTervo/H/History/VoiceNotes"));
    }

    // A missing folder is made; one that cannot be made gives way to the default; when neither can be, the user
    // is warned and the recording refused.
    void folderCheckMakesOrReplacesTheFolder()
    {
        RecordingStorage store = storage();
        const RecordingStorage::Folder made = store.FolderCheck(path(QStringLiteral("a/b")));
        QCOMPARE(made.errorCode, 0U);
        QCOMPARE(made.path, path(QStringLiteral("a/b")));
        QVERIFY(QFileInfo(made.path).isDir());
        QVERIFY(log().contains(QStringLiteral("Directory not exists:") + made.path));
        QVERIFY(log().contains(QStringLiteral("Directory created:") + made.path));
        QVERIFY(log().contains(QStringLiteral("Audio file set on:") + made.path));

        QVERIFY(writeFile(path(QStringLiteral("file")), "x"));
        const RecordingStorage::Folder fallback = store.FolderCheck(path(QStringLiteral("file/sub")));
        QCOMPARE(fallback.errorCode, 0U);
        QCOMPARE(fallback.path, path(QStringLiteral("data/History/VoiceNotes")));
        QVERIFY(log().contains(QStringLiteral("Use default path")));
        QVERIFY(log().contains(QStringLiteral("Directory default will be used.")));
        QVERIFY(m_warnings.isEmpty());

        QVERIFY(QDir(fallback.path).removeRecursively());
        QVERIFY(QDir(path(QStringLiteral("data/History"))).removeRecursively());
        QVERIFY(writeFile(path(QStringLiteral("data/History")), "x"));
        const RecordingStorage::Folder none = store.FolderCheck(path(QStringLiteral("file/sub")));
        QCOMPARE(none.errorCode, 16U);
        QCOMPARE(m_warnings, QStringList{QStringLiteral("Folder cannot be created: ") + fallback.path});
    }

    void folderNeedsTwoMebibytesFree()
    {
        RecordingStorage store = storage();
        m_freeBytes = 1024 * 1024;
        QCOMPARE(store.FolderCheck(m_dir->path()).errorCode, 12U);
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY(m_warnings.first().startsWith(QStringLiteral("Insufficient disc space, required at last 2MB in: ")));
        QVERIFY(log().contains(QStringLiteral("Insufficient disc space")));
        m_freeBytes = RecordingStorage::RequiredFreeBytes;
        QCOMPARE(store.FolderCheck(m_dir->path()).errorCode, 0U);
    }

    // An old working file becomes the ".bak", replacing an older one even when that one is read-only.
    void oldWorkingFileIsSetAside()
    {
        RecordingStorage store = storage();
        const QString working = path(QStringLiteral("temp.ogg"));
        const QString backup = path(QStringLiteral("temp.bak"));
        QCOMPARE(RecordingStorage::backupPath(working), backup);
        store.setAside(working);
        QVERIFY(!QFileInfo::exists(backup));

        QVERIFY(writeFile(working, "second"));
        QVERIFY(writeFile(backup, "first"));
        QVERIFY(QFile::setPermissions(backup, QFile::ReadOwner));
        store.setAside(working);
        QVERIFY(!QFileInfo::exists(working));
        QCOMPARE(contentOf(backup), QByteArray("second"));
        QVERIFY(log().contains(QStringLiteral("Recording : %1 renamed to %2").arg(working, backup)));
    }

    // The final name is kept by the first recording; later ones with the same name are put beside it, so none
    // replaces another or is left to be lost as the next ".bak".
    void recordingKeepsItsFinalNameWithoutReplacingAnother()
    {
        RecordingStorage store = storage();
        const QString working = path(QStringLiteral("temp.ogg"));
        QVERIFY(writeFile(working, "one"));
        QCOMPARE(store.keepAs(working, FinalName), path(FinalName));
        QVERIFY(log().contains(QStringLiteral("File set as ") + path(FinalName)));

        QVERIFY(writeFile(working, "two"));
        const QString second = path(QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-00-03 (2).ogg"));
        QCOMPARE(store.keepAs(working, FinalName), second);
        QVERIFY(writeFile(working, "three"));
        QCOMPARE(store.keepAs(working, FinalName),
                 path(QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-00-03 (3).ogg")));
        QCOMPARE(contentOf(path(FinalName)), QByteArray("one"));
        QCOMPARE(contentOf(second), QByteArray("two"));
        QVERIFY(!QFileInfo::exists(working));
    }

    void missingWorkingFileIsReported()
    {
        RecordingStorage store = storage();
        QVERIFY(store.keepAs(path(QStringLiteral("temp.ogg")), FinalName).isEmpty());
        QCOMPARE(m_warnings,
                 QStringList{QStringLiteral("File of last recorded call is unavailable. The call will not be save.")});
        QVERIFY(log().contains(QStringLiteral("File doesn't exist:") + path(QStringLiteral("temp.ogg"))));

        // Without a name the file stays as the working file.
        QVERIFY(writeFile(path(QStringLiteral("temp.ogg")), "x"));
        QVERIFY(store.keepAs(path(QStringLiteral("temp.ogg")), QString()).isEmpty());
        QVERIFY(QFileInfo::exists(path(QStringLiteral("temp.ogg"))));
    }
};

QTEST_GUILESS_MAIN(TestRecordingStorage)
#include "TestRecordingStorage.moc"
