#include "../support/TestFiles.h"
#include "common/AtomicFile.h"

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { AtomicFile::setByteLimitForTesting(-1); }
    void write_data();
    void write();
    void failsWithTheSystemText_data();
    void failsWithTheSystemText();
};

void TestAtomicFile::write_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("ok");
    QTest::newRow("over a longer file") << qint64(-1) << true;
    QTest::newRow("limit is the size") << qint64(15376) << true;
    QTest::newRow("disk full at once") << qint64(0) << false;
    QTest::newRow("last byte missing") << qint64(15375) << false;
}

// The folder afterwards holds only the target: the new bytes, or the old ones byte for byte.
void TestAtomicFile::write()
{
    QFETCH(qint64, limit);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    const QString path = dir.filePath("site.dip");
    QByteArray old;
    for (int i = 0; i < 20000; ++i)
        old.append(char(i * 7));
    writeFile(path, old);
    const QByteArray bytes(15376, 'n');
    AtomicFile::setByteLimitForTesting(limit);
    const FileResult result = AtomicFile::write(path, bytes);
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.error, ok ? QString() : QString::fromLocal8Bit(std::strerror(ENOSPC)));
    QCOMPARE(readFile(path), ok ? bytes : old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"site.dip"});
}

void TestAtomicFile::failsWithTheSystemText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing folder") << "missing/site.dip" << ENOENT;
    QTest::newRow("path is a folder") << "site.dip" << EISDIR;
}

void TestAtomicFile::failsWithTheSystemText()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("site.dip"));
    const FileResult result = AtomicFile::write(dir.filePath(name), "bytes");
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QString::fromLocal8Bit(std::strerror(error)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"site.dip"});
    QVERIFY(QDir(dir.filePath("site.dip")).isEmpty());
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
