#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Golden cases: tests/data/<format>/<case>/ holds a case's files, what a run must show and the
// files it must leave (tests/data/README.md). These helpers are shared by the runners; each
// reports through QTest, so a caller checks QTest::currentTestFailed() after it.
namespace Golden {

// A data row "caseDir" for every case folder of `formatDir`, named after the folder.
void addCaseRows(const QString& formatDir);

// The UTF-8 text of a case file; fails the test when the file cannot be read.
QString readText(const QString& path);

// Puts `dir` in place of "{dir}", in native spelling up to the end of that line, as a program
// shows a path below that folder.
QString expandDir(const QString& text, const QString& dir);

// Compares texts line by line and names the first line that differs. An expected line that
// reads "{system error}" stands for any non-empty line: the system's description of a failure,
// which differs between platforms.
void compareLines(const QString& actual, const QString& expected, const QString& what);

// Every file and folder below root by its relative path ("site/DChannel.cfg"; a folder ends in
// "/" and has no bytes; a FIFO or device is never opened and holds kNotRegular). Nothing for a
// root that does not exist.
using Tree = QMap<QString, QByteArray>;
extern const QByteArray kNotRegular;
Tree snapshot(const QString& root);
// Copies what is below `from` into `to`; nothing when `from` does not exist.
void copyTree(const QString& from, const QString& to);
// Makes the FIFOs that the case's fifos.txt names (one relative path a line) in workDir; git
// cannot hold them. False where the system has no FIFOs and the case has some.
bool makeFifos(const QString& caseDir, const QString& workDir);
// What the case's folder must hold after the run: expected/, or without it the files as they
// were before; FIFOs and devices are always left alone.
Tree expectedTree(const QString& caseDir, const Tree& before);
// The same entries, and the same bytes in each file; a difference names the first offset.
void compareTrees(const Tree& actual, const Tree& expected);

} // namespace Golden
