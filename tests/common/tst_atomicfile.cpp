#include "common/AtomicFile.h"
#include "support/SystemErrors.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <cerrno>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { AtomicFile::setByteLimitForTesting(-1); }

    void write_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("error"); // 0: written
        QTest::newRow("over a longer file") << "site.dip" << qint64(-1) << 0;
        QTest::newRow("limit is the size") << "site.dip" << qint64(15376) << 0;
        QTest::newRow("last byte missing") << "site.dip" << qint64(15375) << ENOSPC;
        QTest::newRow("missing folder") << "missing/site.dip" << qint64(-1) << ENOENT;
        QTest::newRow("path is a folder") << "folder" << qint64(-1) << EISDIR;
    }

    // A failure names the system's reason; the folder afterwards holds only what it held, with
    // the new bytes or the old ones whole.
    void write()
    {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(int, error);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QByteArray old(20000, 'o');
        writeFile(dir.filePath("site.dip"), old);
        const QByteArray bytes(15376, 'n');
        AtomicFile::setByteLimitForTesting(limit);
        const FileResult result = AtomicFile::write(dir.filePath(name), bytes);
        QCOMPARE(result.ok, error == 0);
        QCOMPARE(result.error, error ? systemDescription(error) : QString());
        QCOMPARE(readFile(dir.filePath("site.dip")), error ? old : bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"folder", "site.dip"}));
        QVERIFY(QDir(dir.filePath("folder")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
