#include "common/AtomicFile.h"
#include "support/SystemErrors.h"
#include "support/TestFiles.h"
#include "support/WriteFailure.h"

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <optional>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void write_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("error"); // 0: written
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("over a longer file") << "site.dip" << qint64(-1) << 0 << false;
        QTest::newRow("limit is the size") << "site.dip" << qint64(15376) << 0 << false;
        QTest::newRow("last byte missing")
            << "site.dip" << qint64(15375) << WriteFailure::error() << false;
        QTest::newRow("missing folder") << "missing/site.dip" << qint64(-1) << ENOENT << false;
        QTest::newRow("path is a folder") << "folder" << qint64(-1) << EISDIR << false;
        // Read-only for root too; on Windows the read-only attribute.
        QTest::newRow("read-only file") << "site.dip" << qint64(-1) << EACCES << true;
    }

    // A failure names the system's reason; the folder afterwards holds only what it held, with
    // the new bytes or the old ones whole.
    void write()
    {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(int, error);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QByteArray old(20000, 'o');
        writeFile(dir.filePath("site.dip"), old);
        const auto readable = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup;
        if (readOnly)
            QVERIFY(QFile::setPermissions(dir.filePath("site.dip"), readable));
        const QByteArray bytes(15376, 'n');
        std::optional<WriteFailure> failure;
        if (limit >= 0) {
            if (WriteFailure::kUnavailable)
                QSKIP(WriteFailure::kUnavailable);
            failure.emplace(limit);
        }
        const FileResult result = AtomicFile::write(dir.filePath(name), bytes);
        failure.reset();
        QCOMPARE(result.ok, error == 0);
        QCOMPARE(result.error, error ? systemDescription(error) : QString());
        QCOMPARE(readFile(dir.filePath("site.dip")), error ? old : bytes);
        QCOMPARE(bool(QFile::permissions(dir.filePath("site.dip")) & QFile::WriteOwner), !readOnly);
        // QTemporaryDir removes what it can write.
        QVERIFY(QFile::setPermissions(dir.filePath("site.dip"), readable | QFile::WriteOwner));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"folder", "site.dip"}));
        QVERIFY(QDir(dir.filePath("folder")).isEmpty());
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
