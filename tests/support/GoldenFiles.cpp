#include "GoldenFiles.h"

#include "PdfPages.h"

#include <algorithm>

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace Golden {

namespace {

// ODBC's SQLite driver (Debian's libsqliteodbc), which stands in where Qt has none (Windows).
const QString kOdbcSqlite = QStringLiteral("DRIVER={SQLite3};Database=");

const QByteArray kNotRegular = QByteArrayLiteral("<not a regular file>");

QStringList linesOf(QString text)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

// "{system error}" stands for any non-empty line (indented as a box's text is, in a scenario),
// "{time}" for a time of day as 14:02 or 14:02:31.
bool lineMatches(const QString& got, const QString& want)
{
    if (want.trimmed() == QLatin1String("{system error}"))
        return got.startsWith(want.left(want.indexOf(u'{'))) && !got.trimmed().isEmpty();
    if (!want.contains(QLatin1String("{time}")))
        return got == want;
    const QString pattern = QRegularExpression::escape(want).replace(
        QRegularExpression::escape(QStringLiteral("{time}")),
        QStringLiteral("\\d\\d:\\d\\d(:\\d\\d)?"));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(got).hasMatch();
}

} // namespace

void addCaseRows(const QString& formatDir)
{
    QTest::addColumn<QString>("caseDir");
    QStringList cases = QDir(formatDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY2(!cases.isEmpty(), qPrintable("no cases in " + formatDir));
    // scripts/mutants.sh names the cases that caught a fault before, latest first: they play first.
    const QStringList first = qEnvironmentVariable("ZR415_FIRST_CASES").split(u',');
    const auto rank = [&](const QString& name) { return uint(first.indexOf(name)); };
    std::stable_sort(cases.begin(), cases.end(),
                     [&](auto& a, auto& b) { return rank(a) < rank(b); });
    for (const QString& name : cases)
        QTest::newRow(qPrintable(name)) << formatDir + u'/' + name;
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        QTest::qFail(qPrintable("cannot read " + path), __FILE__, __LINE__);
    return QString::fromUtf8(file.readAll());
}

QString expandDir(const QString& text, const QString& dir)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        const qsizetype at = line.indexOf(QStringLiteral("{dir}"));
        if (at >= 0)
            line = line.left(at) + QDir::toNativeSeparators(dir + line.mid(at + 5));
    }
    return lines.join(u'\n');
}

void compareLines(const QString& actual, const QString& expected, const QString& what)
{
    const QStringList got = linesOf(actual);
    const QStringList want = linesOf(expected);
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        const QString gotLine = got.value(i, QStringLiteral("<no line>"));
        const QString wantLine = want.value(i, QStringLiteral("<no line>"));
        if (i < got.size() && i < want.size() && lineMatches(gotLine, wantLine))
            continue;
        QTest::qFail(qPrintable(QStringLiteral("%1, line %2:\n   got: %3\n  want: %4\n"
                                               "whole text:\n%5")
                                    .arg(what)
                                    .arg(i + 1)
                                    .arg(gotLine, wantLine, actual)),
                     __FILE__, __LINE__);
        return;
    }
}

bool odbcSqliteAvailable()
{
    bool open = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "probe");
        db.setDatabaseName(kOdbcSqlite + ":memory:");
        open = db.open();
    }
    QSqlDatabase::removeDatabase("probe");
    return open;
}

QString sqlite(const QString& file, const QString& statement)
{
    QStringList out;
    {
        const bool direct = QSqlDatabase::isDriverAvailable("QSQLITE");
        QSqlDatabase db = QSqlDatabase::addDatabase(direct ? "QSQLITE" : "QODBC", "golden");
        db.setDatabaseName(direct ? file : kOdbcSqlite + file);
        QSqlQuery query(db);
        if (!db.open())
            out << "failed to open " + file + ": " + db.lastError().text();
        else if (!query.exec(statement))
            out << "failed: " + statement + ": " + query.lastError().text();
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << (query.isNull(i) ? "NULL" : query.value(i).toString());
            out << fields.join(" | ");
        }
    }
    QSqlDatabase::removeDatabase("golden");
    return out.join(u'\n');
}

QString labelsTableStatement()
{
    QStringList lines = readText(ZR415_LABELS_TABLE_SQL).split(u'\n');
    lines.removeIf([](const QString& line) { return line.startsWith("--"); });
    QString statement = lines.join(u'\n').trimmed();
    if (statement.endsWith(u';'))
        statement.chop(1);
    return statement;
}

QString labelsTable(const QString& file)
{
    return sqlite(file, QStringLiteral("SELECT chNo1, chNo2, chNo3, chNo4, relNam1, relNam2, "
                                       "relNam3, relNam4, fOrB1, fOrB2, fOrB3, fOrB4 "
                                       "FROM TblForLabel ORDER BY id"));
}

Tree snapshot(const QString& root)
{
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = QDir(root).relativeFilePath(info.filePath());
        QFile file(info.filePath());
        if (info.isDir())
            tree.insert(relative + u'/', {});
        else if (!info.isFile())
            tree.insert(relative, kNotRegular);
        else if (file.open(QIODevice::ReadOnly))
            tree.insert(relative, file.readAll());
        else
            QTest::qFail(qPrintable("cannot read " + info.filePath()), __FILE__, __LINE__);
    }
    return tree;
}

void copyTree(const QString& from, const QString& to)
{
    const Tree tree = snapshot(from);
    for (auto it = tree.begin(); it != tree.end(); ++it) {
        const QString path = to + u'/' + it.key();
        QVERIFY(QDir().mkpath(it.key().endsWith(u'/') ? path : QFileInfo(path).path()));
        if (it.key().endsWith(u'/'))
            continue;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(it.value()), it.value().size());
    }
}

bool makeFifos(const QString& caseDir, const QString& workDir)
{
    const QString list = caseDir + QStringLiteral("/fifos.txt");
    if (!QFileInfo::exists(list))
        return true;
#ifdef Q_OS_UNIX
    for (const QString& name : readText(list).split(u'\n', Qt::SkipEmptyParts)) {
        const QString path = workDir + u'/' + name;
        QDir().mkpath(QFileInfo(path).path());
        if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            QTest::qFail(qPrintable("cannot make the FIFO " + path), __FILE__, __LINE__);
    }
    return true;
#else
    Q_UNUSED(workDir);
    return false;
#endif
}

Tree expectedTree(const QString& caseDir, const Tree& before)
{
    const QString expected = caseDir + QStringLiteral("/expected");
    if (!QFileInfo(expected).isDir())
        return before;
    Tree tree = snapshot(expected);
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.value() == kNotRegular)
            tree.insert(it.key(), it.value());
    }
    return tree;
}

void compareTrees(const Tree& actual, const Tree& expected, const QString& workDir)
{
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const QByteArray& got = actual[it.key()];
        const QByteArray& want = it.value();
        if (!workDir.isEmpty() && want.contains("{date} {time}")) {
            const QString today = QDate::currentDate().toString(Qt::ISODate);
            compareLines(QString::fromUtf8(got),
                         expandDir(QString::fromUtf8(want).replace("{date}", today), workDir),
                         it.key());
            continue;
        }
        qsizetype at = 0;
        while (at < got.size() && at < want.size() && got[at] == want[at])
            ++at;
        const qsizetype from = std::max<qsizetype>(0, at - 4);
        QVERIFY2(got == want,
                 qPrintable(QStringLiteral("%1: %2 bytes, %3 expected; first "
                                           "difference at %4:\n   got: %5\n  want: %6")
                                .arg(it.key())
                                .arg(got.size())
                                .arg(want.size())
                                .arg(at)
                                .arg(QString::fromLatin1(got.mid(from, 12).toHex(' ')),
                                     QString::fromLatin1(want.mid(from, 12).toHex(' ')))));
    }
}

void comparePdfTexts(Tree& actual, Tree& expected, const QString& workDir)
{
    const bool readable = !QStandardPaths::findExecutable("pdftotext").isEmpty();
    for (const QString& name : expected.keys()) {
        if (!name.endsWith(".pdf.txt"))
            continue;
        const QString pdf = name.chopped(4);
        QVERIFY2(actual.contains(pdf), qPrintable(pdf + " was not written"));
        QStringList pages = PdfPages::texts(workDir + u'/' + pdf);
        for (QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split(u'\n'))
                lines.append(line.simplified());
            lines.removeAll(QString());
            page = lines.join(u'\n');
        }
        const QString want =
            expandDir(QString::fromUtf8(expected.take(name))
                          .replace("{date}", QDate::currentDate().toString(Qt::ISODate)),
                      workDir);
        if (readable)
            compareLines(pages.join("\n-- page --\n") + u'\n', want, pdf);
        actual.remove(pdf);
    }
}

} // namespace Golden
