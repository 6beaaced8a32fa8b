#include "SelfTest.h"

#include "checks/Fingerprint.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace SelfTest {

namespace {

const QString kCases = QStringLiteral(":/selftest");
constexpr int kCaseMilliseconds = 30000;

using Tree = QMap<QString, QByteArray>;

Tree snapshot(const QString& root)
{
    Tree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        tree.insert(QDir(root).relativeFilePath(path),
                    file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return tree;
}

bool copyTree(const QString& from, const QString& to)
{
    const Tree tree = snapshot(from);
    for (auto it = tree.begin(); it != tree.end(); ++it) {
        const QString path = to + u'/' + it.key();
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
            file.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A case's text with `{dir}` (the rest of its line a path in the system's spelling) and
// `{usage}` filled in.
QString expected(const QString& caseDir, const QString& name, const QString& workDir)
{
    QString usage = readText(kCases + QStringLiteral("/usage.txt"));
    usage.chop(usage.endsWith(u'\n') ? 1 : 0);
    QStringList lines =
        readText(caseDir + u'/' + name).replace(QStringLiteral("{usage}"), usage).split(u'\n');
    for (QString& line : lines) {
        const qsizetype at = line.indexOf(QStringLiteral("{dir}"));
        if (at >= 0)
            line = line.left(at) + QDir::toNativeSeparators(workDir + line.mid(at + 5));
    }
    return lines.join(u'\n');
}

// Windows line ends are read as plain newlines; a last line break is no line of its own.
QString printed(const QByteArray& bytes)
{
    return QString::fromLocal8Bit(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

bool sameLines(QString got, QString want)
{
    got.chop(got.endsWith(u'\n') ? 1 : 0);
    want.chop(want.endsWith(u'\n') ? 1 : 0);
    return got == want;
}

// What differs from the case's expectation; empty when nothing does.
QString runCase(const QString& caseDir)
{
    QTemporaryDir work;
    if (!work.isValid() || !copyTree(caseDir + QStringLiteral("/files"), work.path()))
        return QStringLiteral("its files could not be laid out in a temporary folder");
    const Tree before = snapshot(work.path());
    QProcess process;
    process.setWorkingDirectory(work.path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QCoreApplication::applicationFilePath(),
                  expected(caseDir, QStringLiteral("args.txt"), work.path())
                      .split(u'\n', Qt::SkipEmptyParts));
    if (!process.waitForFinished(kCaseMilliseconds) || process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("the program did not run to its end");
    if (!sameLines(printed(process.readAllStandardOutput()),
                   expected(caseDir, QStringLiteral("stdout.txt"), work.path())))
        return QStringLiteral("standard output differs");
    if (!sameLines(printed(process.readAllStandardError()),
                   expected(caseDir, QStringLiteral("stderr.txt"), work.path())))
        return QStringLiteral("standard error differs");
    if (QString::number(process.exitCode()) !=
        readText(caseDir + QStringLiteral("/status.txt")).trimmed())
        return QStringLiteral("exit status %1").arg(process.exitCode());
    const QString expectedFiles = caseDir + QStringLiteral("/expected");
    const Tree want = QFileInfo(expectedFiles).isDir() ? snapshot(expectedFiles) : before;
    if (snapshot(work.path()) != want)
        return QStringLiteral("the files written differ");
    return {};
}

} // namespace

QString executableChecksum()
{
    return Fingerprint::ofProgram(QCoreApplication::applicationFilePath());
}

int run()
{
    const QStringList cases = QDir(kCases).entryList(QDir::Dirs, QDir::Name);
    int failed = 0;
    for (const QString& name : cases) {
        const QString problem = runCase(kCases + u'/' + name);
        failed += problem.isEmpty() ? 0 : 1;
        const QString line = problem.isEmpty() ? QStringLiteral("PASS %1").arg(name)
                                               : QStringLiteral("FAIL %1: %2").arg(name, problem);
        std::printf("%s\n", line.toLocal8Bit().constData());
    }
    std::printf("%d of %d cases passed\n", int(cases.size()) - failed, int(cases.size()));
    std::printf("zr415-convert %s\nSHA-256 %s %s\n", ZR415_VERSION,
                executableChecksum().toLatin1().constData(),
                QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
                    .toLocal8Bit()
                    .constData());
    std::fflush(stdout);
    return failed == 0 && !cases.isEmpty() ? 0 : 1;
}

} // namespace SelfTest
