#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/CorvaneSite.h"
#include "support/GridTyping.h"
#include "support/ScriptedDialogs.h"
#include "support/TableRows.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <memory>

using Model = ChannelTableModel;

class TestEditing : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The tester hands the table invalid indexes on purpose; the warnings are noise.
        QLoggingCategory::setFilterRules("qt.core.qabstractitemmodel.checkindex=false");
    }
    void init();
    void cleanup()
    {
        tester.reset();
        closeWindow();
    }

    void editMenuFinishesTheCellEditFirst_data();
    void editMenuFinishesTheCellEditFirst();
    void growingAsksNothingAndAShrinkIsUndone();
    void replacingTheSiteClearsTheHistory_data();
    void replacingTheSiteClearsTheHistory();
    void pasteWritesFromTheCurrentCell_data();
    void pasteWritesFromTheCurrentCell();
    void pastePastTheLastRowStopsThere();
    void fillDownAndDeleteInOneStep_data();
    void fillDownAndDeleteInOneStep();
    void statusBarCountsAndWarns_data();
    void statusBarCountsAndWarns();
    void recentFilesReopen();

private:
    QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }
    QModelIndex name(int row) const { return table().index(row, Model::ColRelNam); }
    void select(int top, int left, int bottom, int right);
    void pasteNames(int row, const QString& text);
    // A closed editor is hidden at once and deleted later.
    bool editorOpen() const
    {
        const auto editors = grid()->findChildren<QLineEdit*>();
        return std::any_of(editors.begin(), editors.end(),
                           [](const QLineEdit* editor) { return editor->isVisible(); });
    }

    std::unique_ptr<QAbstractItemModelTester> tester;
};

void TestEditing::init()
{
    QVERIFY(openWindow());
    // Watches every change the edits make to the table: counts, indexes and signals.
    tester = std::make_unique<QAbstractItemModelTester>(
        &window->table(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestEditing::select(int top, int left, int bottom, int right)
{
    grid()->setCurrentIndex(table().index(top, left));
    grid()->selectionModel()->select(
        QItemSelection(table().index(top, left), table().index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

// Pastes through the Edit menu, one undo step.
void TestEditing::pasteNames(int row, const QString& text)
{
    QApplication::clipboard()->setText(text);
    grid()->setCurrentIndex(name(row));
    action("MnuPaste")->trigger();
}

void TestEditing::editMenuFinishesTheCellEditFirst_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("names"); // rows 0, 1 and 5 afterwards
    QTest::addColumn<QString>("clipboard");
    const QStringList spares{"Spare AA01", "Spare AA02", "EARLIER"};
    QTest::newRow("Undo undoes the typed name") << "MnuUndo" << spares << "X";
    QTest::newRow("Cut") << "MnuCut" << spares << "TYPED\tFront\nSpare AA02\tBack\n";
    QTest::newRow("Fill Down") << "MnuFillDown" << QStringList{"TYPED", "TYPED", "EARLIER"} << "X";
}

// Names and contacts of rows 0 and 1 selected, the editor of row 0 still open; an earlier edit
// of row 5 keeps Undo from depending on the typed name.
void TestEditing::editMenuFinishesTheCellEditFirst()
{
    QTest::failOnWarning(QRegularExpression("commitData"));
    putRow(table(), 1, {"Spare AA02", true, "UP", "DN"});
    QVERIFY(table().setData(name(5), "EARLIER"));
    QApplication::clipboard()->setText("X");
    typeIntoRelayName(*window, 0, "TYPED");
    select(0, Model::ColRelNam, 1, Model::ColBack);
    QVERIFY(editorOpen());
    QFETCH(QString, command);
    action(command)->trigger();
    QVERIFY(!editorOpen());
    QTEST((QStringList{table().channel(0).relNam, table().channel(1).relNam,
                       table().channel(5).relNam}),
          "names");
    QTEST(QApplication::clipboard()->text(), "clipboard");
}

void TestEditing::growingAsksNothingAndAShrinkIsUndone()
{
    putRelayName(table(), 0, "KEEP");
    window->channelCountSelector()->setCurrentIndex(2);
    QCOMPARE(table().rowCount(), 1152);
    QVERIFY(dialogs->messages().isEmpty());
    QCOMPARE(table().channel(0).relNam, "KEEP");
    QVERIFY(table().setData(name(500), "FAR"));
    dialogs->answerNext(MessageAnswer::Ok);
    window->channelCountSelector()->setCurrentIndex(0);
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(dialogs->messages().size(), 1);
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 1152);
    QCOMPARE(table().channel(500).relNam, "FAR");
    QCOMPARE(window->channelCountSelector()->currentIndex(), 2);
    action("MnuUndo")->trigger();
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 384);
    QVERIFY(!window->commands().isModified());
}

void TestEditing::replacingTheSiteClearsTheHistory_data()
{
    QTest::addColumn<bool>("modified"); // the row's tag is the toolbar button
    QTest::newRow("New") << false;
    QTest::newRow("Import") << true;
}

// Opening a file replaces the site too; recentFilesReopen covers that way.
void TestEditing::replacingTheSiteClearsTheHistory()
{
    QFETCH(bool, modified);
    QTemporaryDir dir;
    const QString site = QDir::toNativeSeparators(dir.filePath("North"));
    QVERIFY(QDir().mkpath(site));
    CorvaneSite::writeOneAllocation(site);
    window->setSiteChooser([site] { return ChosenSite{"Load", "North Jn", site}; });
    QVERIFY(table().setData(name(0), "A"));
    dialogs->answerNext(MessageAnswer::No);
    window->onToolbarButton(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(dialogs->texts().value(0), "Save this site before closing?");
    QVERIFY(table().channel(0).relNam != "A");
    QCOMPARE(window->commands().history()->count(), 0);
    QCOMPARE(window->commands().isModified(), modified);
    QCOMPARE(window->commands().history()->isClean(), !modified);
}

void TestEditing::pasteWritesFromTheCurrentCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("backs");
    const int name = Model::ColRelNam;
    QTest::newRow("tabs keep commas and quotes")
        << name << "A,\"B\"\tFront\r\nA NAME LONGER THAN SIXTEEN\tb\r\n"
        << QStringList{"A,\"B\"", "A NAME LONGER TH"} << QList<bool>{false, true};
    QTest::newRow("quoted commas") << name << "\"HR, 1\",Back\n\"SAY \"\"HI\"\"\",x\n"
                                   << QStringList{"HR, 1", "SAY \"HI\""} << QList<bool>{true, true};
    // The grid moves the current cell off the Chan column, so the labels are never pasted over.
    QTest::newRow("on the Chan column") << int(Model::ColChan) << "NEW\tBack\nOTHER\tFront\n"
                                        << QStringList{"NEW", "OTHER"} << QList<bool>{true, false};
}

void TestEditing::pasteWritesFromTheCurrentCell()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, backs);
    QApplication::clipboard()->setText(text);
    grid()->setCurrentIndex(table().index(10, column));
    action("MnuPaste")->trigger();
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(table().channel(10 + i).relNam, names[i]);
        QCOMPARE(table().channel(10 + i).back, backs[i]);
    }
    QCOMPARE(window->commands().history()->count(), 1);
    action("MnuUndo")->trigger();
    QCOMPARE(table().channel(10), DefaultRow(11));
    QCOMPARE(table().channel(11), DefaultRow(12));
}

void TestEditing::pastePastTheLastRowStopsThere()
{
    pasteNames(382, "ONE\nTWO\nTHREE\n");
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(table().channel(382).relNam, "ONE");
    QCOMPARE(table().channel(383).relNam, "TWO");
    QVERIFY(dialogs->messages().isEmpty());
    QCOMPARE(window->findChild<QLabel*>("StatusNote")->text(),
             "Paste stopped at the last channel.");
}

void TestEditing::fillDownAndDeleteInOneStep_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QList<ChannelRow>>("rows"); // rows 0 to 3 afterwards
    const ChannelRow top{"A NAME LONGER THAN SIXTEEN", true, "HI", "LO"};
    const ChannelRow cut{"A NAME LONGER TH", true, "HI", "LO"};
    const ChannelRow c{"C", false, "ON", "OFF"};
    const ChannelRow d{"D", true, "UP", "DN"};
    QTest::newRow("every column") << "MnuFillDown" << int(Model::ColChan) << int(Model::ColStDn)
                                  << 2 << QList<ChannelRow>{top, cut, cut, d};
    QTest::newRow("relay names only")
        << "MnuFillDown" << int(Model::ColRelNam) << int(Model::ColRelNam) << 1
        << QList<ChannelRow>{top, {cut.relNam, false, "UP", "DN"}, c, d};
    QTest::newRow("Delete restores every column")
        << "MnuDelete" << int(Model::ColRelNam) << int(Model::ColStDn) << 1
        << QList<ChannelRow>{DefaultRow(1), DefaultRow(2), c, d};
}

void TestEditing::fillDownAndDeleteInOneStep()
{
    QFETCH(QString, command);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(QList<ChannelRow>, rows);
    const QList<ChannelRow> start{{"A NAME LONGER THAN SIXTEEN", true, "HI", "LO"},
                                  {"B", false, "UP", "DN"},
                                  {"C", false, "ON", "OFF"},
                                  {"D", true, "UP", "DN"}};
    for (int row = 0; row < start.size(); ++row)
        putRow(table(), row, start[row]);
    select(0, left, bottom, right);
    action(command)->trigger();
    for (int row = 0; row < rows.size(); ++row)
        QCOMPARE(table().channel(row), rows[row]);
    QCOMPARE(table().data(table().index(1, Model::ColChan)).toString(), "AA02");
    QCOMPARE(window->commands().history()->count(), 1);
    action("MnuUndo")->trigger();
    for (int row = 0; row < start.size(); ++row)
        QCOMPARE(table().channel(row), start[row]);
    QVERIFY(!window->commands().isModified());
}

void TestEditing::statusBarCountsAndWarns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");
    QTest::newRow("one name") << "TPR\tBack\nHR\tFront\nZ\u0141\tFront\n"
                              << "1 text would be cut or written with \"?\" in the channel file; "
                                 "3 of 384 channels in use, 1 on back contacts";
    QTest::newRow("none") << "TPR\tBack\nHR \u00E9\tFront\n"
                          << "2 of 384 channels in use, 1 on back contacts";
}

void TestEditing::statusBarCountsAndWarns()
{
    QFETCH(QString, text);
    QFETCH(QString, status);
    pasteNames(0, text);
    QCOMPARE(window->statusText(), status);
    const bool marked = status.contains(u'?');
    QCOMPARE(window->findChild<QLabel*>("StatusWarning")->isVisible(), marked);
    QCOMPARE(table().data(name(2), Model::AlteredByFileRole).toBool(), marked);
    QVERIFY(!table().data(name(0), Model::AlteredByFileRole).toBool());
}

void TestEditing::recentFilesReopen()
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath("north.dip"));
    putRelayName(table(), 0, "SAVED");
    dialogs->chooseNext(path);
    QVERIFY(window->commands().SaveSiteAs());
    // The list is stored once the command has ended.
    QTRY_VERIFY(action("MnuRecent1"));
    QAction* recent = action("MnuRecent1");
    QVERIFY(table().setData(name(0), "CHANGED"));
    dialogs->answerNext(MessageAnswer::No);
    recent->trigger();
    QCOMPARE(dialogs->texts().value(0), "Save this site before closing?");
    QCOMPARE(table().channel(0).relNam, "SAVED");
    // The history belonged to the site that was replaced.
    QCOMPARE(window->commands().history()->count(), 0);
    QVERIFY(!window->commands().isModified());
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
