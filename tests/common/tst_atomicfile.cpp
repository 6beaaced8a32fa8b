#include "common/AtomicFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#include <cerrno>
#include <cstring>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    // A read-only file (on Windows the read-only attribute) is not replaced, for root too: the
    // save fails with the system's reason and the file stays as it was.
    void readOnlyFileIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.dip");
        writeFile(path, "checked");
        const auto readable = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, readable));
        const FileResult result = AtomicFile::write(path, "new");
        QVERIFY(!result.ok);
#ifdef Q_OS_WIN
        QCOMPARE(result.error, qt_error_string(ERROR_ACCESS_DENIED));
#else
        QCOMPARE(result.error, QString::fromLocal8Bit(std::strerror(EACCES)));
#endif
        QCOMPARE(readFile(path), QByteArray("checked"));
        QVERIFY(!(QFile::permissions(path) & QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(path, readable | QFile::WriteOwner));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"site.dip"});
    }

    // Only the leftovers of its own saves that are older than this process go; a user's files
    // of similar names and a save still under way elsewhere stay.
    void killedSavesAreClearedUp()
    {
        QTemporaryDir dir;
        const QDateTime past = QDateTime::currentDateTimeUtc().addDays(-1);
        const QDateTime future = QDateTime::currentDateTimeUtc().addSecs(3600);
        const QList<std::pair<QString, QDateTime>> files{
            {"site.dip.zr415-Ab12Cd", past},    {".zr415-Zz99Yy", past},
            {"site.dip.zr415-Ny3k9Q", future},  {"site.dip.backup", past},
            {"site.dip.zr415-long-name", past}, {"other.dip.zr415-Ab12Cd", past}};
        for (const auto& [name, time] : files) {
            writeFile(dir.filePath(name), "left");
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        }
        QVERIFY(AtomicFile::write(dir.filePath("site.dip"), "new").ok);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"other.dip.zr415-Ab12Cd", "site.dip", "site.dip.backup",
                              "site.dip.zr415-Ny3k9Q", "site.dip.zr415-long-name"}));
    }

    // Names up to what the file system takes are saved, over an old file too; beyond, the
    // system's reason is told.
    void longNames_data()
    {
        QTest::addColumn<int>("length");
        for (const int length : {240, 249, 255, 256})
            QTest::addRow("%d bytes", length) << length;
    }

    void longNames()
    {
        QFETCH(int, length);
        QTemporaryDir dir;
        const QString path = dir.filePath(QString(length - 4, u'n') + ".dip");
        if (length <= 255)
            writeFile(path, "old");
        const FileResult result = AtomicFile::write(path, "new");
        QCOMPARE(result.ok, length <= 255);
        if (length <= 255)
            QCOMPARE(readFile(path), QByteArray("new"));
        else
            QCOMPARE(result.error, QString::fromLocal8Bit(std::strerror(ENAMETOOLONG)));
        QCOMPARE(QDir(dir.path()).count(), length <= 255 ? 3u : 2u);
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
