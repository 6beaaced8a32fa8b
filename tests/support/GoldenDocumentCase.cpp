#include "GoldenDocumentCase.h"

#include "BoxText.h"
#include "GoldenFiles.h"
#include "ScriptedDialogs.h"
#include "SiteDump.h"
#include "commands/DocumentCommands.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString renderBoxes(const QList<MessageRequest>& boxes, const QList<MessageAnswer>& answers)
{
    QString out;
    qsizetype answered = 0;
    for (const MessageRequest& box : boxes) {
        const bool question = box.buttons != MessageButtons::Ok;
        out += BoxText::render(box, question && answered < answers.size()
                                        ? std::optional(answers[answered])
                                        : std::nullopt);
        answered += question;
    }
    return out;
}

QList<MessageAnswer> answersIn(const QString& boxes)
{
    QList<MessageAnswer> answers;
    for (const QString& line : boxes.split(u'\n')) {
        if (const std::optional<MessageAnswer> answer = BoxText::answerIn(line))
            answers.append(*answer);
    }
    return answers;
}

struct Fixture
{
    ChannelTableModel table;
    QAbstractItemModelTester tester{&table, QAbstractItemModelTester::FailureReportingMode::QtTest};
    DirSettings dirs;
    ScriptedDialogs dialogs;
    DocumentCommands commands{table, dirs};

    SiteDump site() const
    {
        return {commands.caption(), commands.site().siteFileTitle, commands.isModified(),
                table.rows()};
    }
};

QString native(const QString& dir, const QString& relative)
{
    return QDir::toNativeSeparators(dir + u'/' + relative);
}

// Without before.txt the site is new: untitled, unmodified, one unit of default rows.
std::optional<SiteDump> siteBefore(const QString& caseDir)
{
    const QString path = caseDir + QStringLiteral("/before.txt");
    if (!QFileInfo::exists(path))
        return ParseSite(QStringLiteral("caption: %1\nfile: (none)\nmodified: no\nrows: 384\n")
                             .arg(EditorTitle()),
                         nullptr);
    QString error;
    std::optional<SiteDump> site = ParseSite(Golden::readText(path), &error);
    if (!site)
        QTest::qFail(qPrintable("before.txt: " + error), __FILE__, __LINE__);
    return site;
}

// The site's rows, saved under its file in a folder of its own, then made modified by an edit
// of row 1 that gives it the row it should have.
void setUpSite(Fixture& fixture, const SiteDump& site, const QString& setupDir)
{
    ChannelRows rows = site.rows;
    if (site.modified)
        rows[0].stDn += u'~';
    fixture.table.replaceRows(rows);
    if (!site.file.isEmpty()) {
        fixture.dialogs.chooseNext(native(setupDir, site.file));
        QVERIFY(fixture.commands.SaveSiteAs());
    }
    if (site.modified)
        QVERIFY(fixture.table.setData(fixture.table.index(0, ChannelTableModel::ColStDn),
                                      site.rows[0].stDn));
    QCOMPARE(RenderSite(fixture.site()), RenderSite(site));
    QVERIFY(fixture.dialogs.messages().isEmpty());
    fixture.dialogs.clear();
}

// As the site selector: the scan's failures shown, then the site of that name picked.
ChosenSite chooseSite(const QString& configDir, const QString& name, bool& listed)
{
    const ModCrvFile::SiteScan scan = ModCrvFile::RegisterSites(configDir);
    for (const MessageRequest& failure : scan.failures)
        Dialogs::current().showMessage(failure);
    for (qsizetype i = 1; i < scan.sites.size(); ++i) {
        if (scan.sites[i].SiteName == name) {
            listed = true;
            return {ChosenSite::Button::Load, scan.sites[i].SiteName, scan.sites[i].SiteDir};
        }
    }
    return {};
}

void runCommand(Fixture& fixture, const QString& line, const QString& workDir)
{
    const QString verb = line.section(u' ', 0, 0);
    const QString argument = line.section(u' ', 1);
    if (verb != QLatin1String("save") && verb != QLatin1String("import") &&
        verb != QLatin1String("new"))
        fixture.dialogs.chooseNext(native(workDir, argument));
    if (verb == QLatin1String("new")) {
        fixture.commands.NewSite();
    } else if (verb == QLatin1String("open")) {
        fixture.commands.OpenSite();
    } else if (verb == QLatin1String("save")) {
        fixture.commands.SaveSite();
    } else if (verb == QLatin1String("save-as")) {
        fixture.commands.SaveSiteAs();
    } else if (verb == QLatin1String("export")) {
        fixture.commands.ExportToCard();
    } else if (verb == QLatin1String("import")) {
        const QString configDir = native(workDir, argument.section(u' ', 0, 0));
        const QString name = argument.section(u' ', 1);
        bool listed = false;
        fixture.commands.setSiteChooser([&] { return chooseSite(configDir, name, listed); });
        fixture.commands.ImportCorvaneAllocations();
        QVERIFY2(listed, qPrintable("site not listed: " + name));
    } else {
        QFAIL(qPrintable("unknown command: " + line));
    }
}

} // namespace

void RunDocumentCase(const QString& caseDir)
{
    // The tester hands the table invalid indexes on purpose; the warnings about them are noise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qabstractitemmodel.checkindex=false"));
    QTemporaryDir work;
    QTemporaryDir setup;
    QVERIFY(work.isValid() && setup.isValid());
    Golden::copyTree(caseDir + QStringLiteral("/files"), work.path());
    if (!Golden::makeFifos(caseDir, work.path()))
        QSKIP("this system has no FIFOs");
    const Golden::Tree filesBefore = Golden::snapshot(work.path());
    const std::optional<SiteDump> before = siteBefore(caseDir);
    if (!before)
        return;

    Fixture fixture;
    fixture.dirs = {work.path(), work.path(), work.path()};
    setUpSite(fixture, *before, setup.path());
    if (QTest::currentTestFailed())
        return;

    const QString expectedBoxes =
        Golden::expandDir(Golden::readText(caseDir + QStringLiteral("/messages.txt")), work.path());
    const QList<MessageAnswer> answers = answersIn(expectedBoxes);
    for (const MessageAnswer answer : answers)
        fixture.dialogs.answerNext(answer);
    const QString commands = Golden::readText(caseDir + QStringLiteral("/command.txt"));
    for (const QString& line : commands.split(u'\n', Qt::SkipEmptyParts)) {
        runCommand(fixture, line, work.path());
        if (QTest::currentTestFailed())
            return;
    }

    Golden::compareLines(renderBoxes(fixture.dialogs.messages(), answers), expectedBoxes,
                         QStringLiteral("boxes"));
    QCOMPARE(fixture.dialogs.unexpectedQuestions(), 0);
    QCOMPARE(fixture.dialogs.unusedAnswers(), 0);
    Golden::compareLines(RenderSite(fixture.site()),
                         Golden::readText(caseDir + QStringLiteral("/site.txt")),
                         QStringLiteral("site"));
    if (QTest::currentTestFailed())
        return;
    Golden::compareTrees(Golden::snapshot(work.path()), Golden::expectedTree(caseDir, filesBefore));
}
