#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Shared by the golden-case runners (tests/data/README.md). Failures go through QTest, so a
// caller checks QTest::currentTestFailed() after them.
namespace Golden {

// A data row "caseDir" for every case folder of `formatDir`.
void addCaseRows(const QString& formatDir);
QString readText(const QString& path);
// "{dir}" becomes `dir`, and the rest of that line a path in native spelling.
QString expandDir(const QString& text, const QString& dir);
// Line by line; an expected "{system error}" stands for any non-empty line, as the system's
// wording differs between platforms, and "{time}" in a line for a time of day (14:02 or 14:02:31).
void compareLines(const QString& actual, const QString& expected, const QString& what);

// Whether ODBC reaches its SQLite driver (SQLite3, Debian's libsqliteodbc).
bool odbcSqliteAvailable();
// Runs one statement on an SQLite file, through Qt's driver or, where Qt has none (Windows),
// ODBC's: its rows, one a line, fields joined by " | ", or what went wrong.
QString sqlite(const QString& file, const QString& statement);
// The table script as one statement: the SQLite ODBC driver refuses anything after the first,
// even a comment or the closing semicolon.
QString labelsTableStatement();
// The labels table of an SQLite labels database, as labels.txt and the scenarios write it.
QString labelsTable(const QString& file);

// Every entry below a root by relative path; a folder ends in "/", and a FIFO or device is
// never opened.
using Tree = QMap<QString, QByteArray>;
Tree snapshot(const QString& root);
void copyTree(const QString& from, const QString& to);
// The FIFOs of the case's fifos.txt, which git cannot hold; false where the system has none.
bool makeFifos(const QString& caseDir, const QString& workDir);
// expected/, or without it the folder as it was; FIFOs and devices are always left alone.
Tree expectedTree(const QString& caseDir, const Tree& before);
// A text file of `workDir` expected with "{date} {time}" in it is compared by its lines, "{dir}"
// and "{date}" (today) put in.
void compareTrees(const Tree& actual, const Tree& expected, const QString& workDir = {});
// A PDF written, as expected/<name>.pdf.txt says it: the lines of text on its pages, top to
// bottom, blanks within a line one space wide and empty lines dropped, pages parted by a line
// "-- page --"; "{date}" stands for today, "{dir}" and "{time}" as in the other texts. Where
// poppler's pdftotext is missing (Windows), only that the PDF was written. Both are then left
// out of the trees compared.
void comparePdfTexts(Tree& actual, Tree& expected, const QString& workDir);

} // namespace Golden
