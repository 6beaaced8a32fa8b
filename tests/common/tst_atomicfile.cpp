#include "common/AtomicFile.h"
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
        QTest::newRow("over a longer file") << "site.dip" << qint64(-1) << 0;
        QTest::newRow("limit is the size") << "site.dip" << qint64(15376) << 0;
        QTest::newRow("last byte missing") << "site.dip" << qint64(15375) << WriteFailure::error();
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
        std::optional<WriteFailure> failure;
        if (limit >= 0) {
#ifdef ZR415_NO_WRITE_FAILURE
            QSKIP("No way to make a write fail part-way on this system");
#endif
            failure.emplace(limit);
        }
        const FileResult result = AtomicFile::write(dir.filePath(name), bytes);
        failure.reset();
        QCOMPARE(result.ok, error == 0);
        QCOMPARE(result.error, error ? QString::fromLocal8Bit(std::strerror(error)) : QString());
        QCOMPARE(readFile(dir.filePath("site.dip")), error ? old : bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"folder", "site.dip"}));
        QVERIFY(QDir(dir.filePath("folder")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
