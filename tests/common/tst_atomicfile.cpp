#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { AtomicFile::setByteLimitForTesting(-1); }
    void saveOverLongerFileLeavesOnlyTheNewBytes();
    void saveIntoMissingFolderFails();
    void saveOntoFolderFails();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void limitAboveTheSizeSaves();
};

void TestAtomicFile::saveOverLongerFileLeavesOnlyTheNewBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("site.dip");
    writeFile(path, QByteArray(30000, '\xAB'));
    const FileResult result = AtomicFile::write(path, "new");
    QVERIFY(result.ok);
    QVERIFY(result.error.isEmpty());
    QCOMPARE(readFile(path), QByteArray("new"));
    QCOMPARE(entries(dir), QStringList{"site.dip"});
}

void TestAtomicFile::saveIntoMissingFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/site.dip");
    QFile plain(path);
    QVERIFY(!plain.open(QIODevice::WriteOnly));
    const FileResult result = AtomicFile::write(path, "bytes");
    QVERIFY(!result.ok);
    QCOMPARE(result.error, plain.errorString());
    QVERIFY(entries(dir).isEmpty());
}

void TestAtomicFile::saveOntoFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("site.dip"));
    const FileResult result = AtomicFile::write(dir.filePath("site.dip"), "bytes");
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath("site.dip")).isDir());
    QCOMPARE(entries(dir), QStringList{"site.dip"});
    QVERIFY(QDir(dir.filePath("site.dip")).isEmpty());
}

void TestAtomicFile::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::newRow("nothing written") << qint64(0);
    QTest::newRow("part-way") << qint64(5000);
    QTest::newRow("last byte missing") << qint64(15375);
}

void TestAtomicFile::fullDiskKeepsTheOldFile()
{
    QFETCH(qint64, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath("site.dip");
    QByteArray old;
    for (int i = 0; i < 20000; ++i)
        old.append(char(i * 7));
    writeFile(path, old);
    AtomicFile::setByteLimitForTesting(limit);
    const FileResult result = AtomicFile::write(path, QByteArray(15376, 'n'));
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    QCOMPARE(readFile(path), old);
    QCOMPARE(entries(dir), QStringList{"site.dip"});
}

void TestAtomicFile::limitAboveTheSizeSaves()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("site.csv");
    AtomicFile::setByteLimitForTesting(3);
    QVERIFY(AtomicFile::write(path, "abc").ok);
    QCOMPARE(readFile(path), QByteArray("abc"));
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
