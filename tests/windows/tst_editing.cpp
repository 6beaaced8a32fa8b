#include "common/ScriptedDialogs.h"
#include "document/ChannelTableModel.h"
#include "document/DocumentCommands.h"
#include "windows/ChannelGridView.h"
#include "windows/FindBar.h"
#include "windows/FrmDips.h"
#include "windows/GridEditing.h"
#include "windows/ModGlobal.h"
#include "windows/UndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup()
    {
        window.reset();
        dialogs.reset();
    }

    void editMenuHasStandardKeys();
    void undoingBackToTheSavedStateClearsModified();
    void undoingAShrinkRestoresTheDroppedChannels();
    void openingClearsTheHistory();
    void copyGivesTabSeparatedCells();
    void pasteWritesFromTheCurrentCell_data();
    void pasteWritesFromTheCurrentCell();
    void pastePastTheLastRowStopsThere();
    void deleteRestoresSpareNamesInOneStep();
    void findJumpsToTheNextMatch();
    void statusBarCountsAndWarns();
    void droppedFileOpensThroughOpen();
    void recentFilesReopen();

private:
    QAction* action(const char* name) const
    {
        auto* found = window->findChild<QAction*>(QLatin1String(name));
        if (!found)
            qWarning("no action %s", name);
        return found;
    }
    void select(int top, int left, int bottom, int right);
    ChannelTableModel& table() const { return window->table(); }

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FrmDips> window;
};

void TestEditing::init()
{
    ModGlobal::OpenSettingsStore()->clear();
    dialogs = std::make_unique<ScriptedDialogs>();
    window = std::make_unique<FrmDips>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestEditing::select(int top, int left, int bottom, int right)
{
    window->grid()->setCurrentIndex(table().index(top, left));
    window->grid()->selectionModel()->select(
        QItemSelection(table().index(top, left), table().index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

void TestEditing::editMenuHasStandardKeys()
{
    auto* edit = window->findChild<QMenu*>(QStringLiteral("MnuEdit"));
    QVERIFY(edit);
    QCOMPARE(window->menuBar()->actions().at(1)->menu(), edit);
    const std::pair<const char*, QKeySequence::StandardKey> keys[] = {
        {"MnuUndo", QKeySequence::Undo},   {"MnuRedo", QKeySequence::Redo},
        {"MnuCut", QKeySequence::Cut},     {"MnuCopy", QKeySequence::Copy},
        {"MnuPaste", QKeySequence::Paste}, {"MnuDelete", QKeySequence::Delete},
        {"MnuFind", QKeySequence::Find},   {"MnuNew", QKeySequence::New},
        {"MnuOpen", QKeySequence::Open},   {"MnuSave", QKeySequence::Save},
    };
    for (const auto& [name, key] : keys)
        QCOMPARE(action(name)->shortcut(), QKeySequence(key));
}

void TestEditing::undoingBackToTheSavedStateClearsModified()
{
    QTemporaryDir dir;
    dialogs->chooseNext(dir.filePath(QStringLiteral("site.dip")));
    QVERIFY(window->commands().SaveSiteAs());
    QVERIFY(!window->commands().isModified());

    QVERIFY(table().setData(table().index(2, ChannelTableModel::ColRelNam), QStringLiteral("TPR")));
    QVERIFY(window->commands().isModified());
    action("MnuUndo")->trigger();
    QCOMPARE(table().channel(2).relNam, QStringLiteral("Spare AA03"));
    QVERIFY(!window->commands().isModified());
    action("MnuRedo")->trigger();
    QCOMPARE(table().channel(2).relNam, QStringLiteral("TPR"));
    QVERIFY(window->commands().isModified());
    QVERIFY(window->commands().SaveSite());
    action("MnuUndo")->trigger();
    QVERIFY(window->commands().isModified());
}

void TestEditing::undoingAShrinkRestoresTheDroppedChannels()
{
    window->channelCountSelector()->setCurrentIndex(1);
    QCOMPARE(table().rowCount(), 768);
    QVERIFY(
        table().setData(table().index(500, ChannelTableModel::ColRelNam), QStringLiteral("FAR")));
    dialogs->answerNext(MessageAnswer::Ok);
    window->channelCountSelector()->setCurrentIndex(0);
    QCOMPARE(table().rowCount(), 384);
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(table().channel(500).relNam, QStringLiteral("FAR"));
    QCOMPARE(window->channelCountSelector()->currentIndex(), 1);
    action("MnuUndo")->trigger();
    action("MnuUndo")->trigger();
    QCOMPARE(table().rowCount(), 384);
    QVERIFY(!window->commands().isModified());
}

void TestEditing::openingClearsTheHistory()
{
    QVERIFY(table().setData(table().index(0, ChannelTableModel::ColRelNam), QStringLiteral("A")));
    QVERIFY(action("MnuUndo")->isEnabled());
    dialogs->answerNext(MessageAnswer::No);
    window->commands().NewSite();
    QVERIFY(!action("MnuUndo")->isEnabled());
    QVERIFY(!window->commands().isModified());
}

void TestEditing::copyGivesTabSeparatedCells()
{
    QVERIFY(table().setData(table().index(1, ChannelTableModel::ColBack), Qt::Checked,
                            Qt::CheckStateRole));
    select(0, ChannelTableModel::ColRelNam, 1, ChannelTableModel::ColStUp);
    action("MnuCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Spare AA01\tFront\tUP\nSpare AA02\tBack\tUP\n"));
}

void TestEditing::pasteWritesFromTheCurrentCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("backs");
    QTest::newRow("tabs from a spreadsheet")
        << "TPR 1\tBack\r\nA NAME LONGER THAN SIXTEEN\tb\r\n"
        << QStringList{"TPR 1", "A NAME LONGER TH"} << QList<bool>{true, true};
    QTest::newRow("commas") << "HR 2,Front\nWJR,x\n"
                            << QStringList{"HR 2", "WJR"} << QList<bool>{false, false};
}

void TestEditing::pasteWritesFromTheCurrentCell()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, backs);
    QApplication::clipboard()->setText(text);
    window->grid()->setCurrentIndex(table().index(10, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(table().channel(10 + i).relNam, names[i]);
        QCOMPARE(table().channel(10 + i).back, backs[i]);
        QCOMPARE(table().label(10 + i), table().data(table().index(10 + i, 0)).toString());
    }
    QCOMPARE(window->history().stack()->count(), 1);
    action("MnuUndo")->trigger();
    QCOMPARE(table().channel(10).relNam, QStringLiteral("Spare AA11"));
    QCOMPARE(table().channel(11).relNam, QStringLiteral("Spare AA12"));
}

void TestEditing::pastePastTheLastRowStopsThere()
{
    QApplication::clipboard()->setText(QStringLiteral("ONE\nTWO\nTHREE\n"));
    window->grid()->setCurrentIndex(table().index(382, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    QCOMPARE(table().rowCount(), 384);
    QCOMPARE(table().channel(382).relNam, QStringLiteral("ONE"));
    QCOMPARE(table().channel(383).relNam, QStringLiteral("TWO"));
    QVERIFY(dialogs->messages().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("last channel")));
}

void TestEditing::deleteRestoresSpareNamesInOneStep()
{
    QApplication::clipboard()->setText(QStringLiteral("A\tBack\tHI\tLO\nB\tBack\tHI\tLO\n"));
    window->grid()->setCurrentIndex(table().index(0, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    select(0, ChannelTableModel::ColRelNam, 1, ChannelTableModel::ColStDn);
    action("MnuDelete")->trigger();
    QCOMPARE(table().channel(0), ChannelTableModel::defaultRow(1));
    QCOMPARE(table().channel(1), ChannelTableModel::defaultRow(2));
    action("MnuUndo")->trigger();
    QCOMPARE(table().channel(1).stDn, QStringLiteral("LO"));
    QCOMPARE(table().channel(0).relNam, QStringLiteral("A"));
}

void TestEditing::findJumpsToTheNextMatch()
{
    table().setRelayName(40, QStringLiteral("Track TPR"));
    table().setRelayName(300, QStringLiteral("tpr 9"));
    window->grid()->setCurrentIndex(table().index(0, ChannelTableModel::ColRelNam));
    QTest::keySequence(window.get(), QKeySequence::Find);
    QVERIFY(window->findBar()->isVisible());
    QTest::keyClicks(window->findBar()->textField(), QStringLiteral("tpr"));
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 40);
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 300);
    window->findBar()->textField()->setText(QStringLiteral("BA01"));
    QTest::keyClick(window->findBar()->textField(), Qt::Key_Return);
    QCOMPARE(window->grid()->currentIndex().row(), 300);
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("not found")));
}

void TestEditing::statusBarCountsAndWarns()
{
    QApplication::clipboard()->setText(QStringLiteral("TPR\tBack\nHR\tFront\nZ\u0141\tFront\n"));
    window->grid()->setCurrentIndex(table().index(0, ChannelTableModel::ColRelNam));
    action("MnuPaste")->trigger();
    QCOMPARE(window->statusText(), QStringLiteral("1 relay names hold characters written as \"?\"; "
                                                  "3 of 384 channels in use, 1 on back contacts"));
    QVERIFY(table().data(table().index(2, 1), ChannelTableModel::UnencodableRole).toBool());
    QVERIFY(!table().data(table().index(1, 1), ChannelTableModel::UnencodableRole).toBool());
}

void TestEditing::droppedFileOpensThroughOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dropped.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("AA01,DROPPED,Back\r\n");
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("dropped - ZR415 configuration editor"));
    QCOMPARE(table().channel(0).relNam, QStringLiteral("DROPPED"));
}

void TestEditing::recentFilesReopen()
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("north.dip")));
    table().setRelayName(0, QStringLiteral("SAVED"));
    dialogs->chooseNext(path);
    QVERIFY(window->commands().SaveSiteAs());
    QAction* recent = action("MnuRecent1");
    QVERIFY(recent);
    QCOMPARE(recent->text(), QStringLiteral("&1 north.dip"));
    QVERIFY(table().setData(table().index(0, 1), QStringLiteral("CHANGED")));
    dialogs->answerNext(MessageAnswer::No);
    recent->trigger();
    QCOMPARE(dialogs->messages().first().text, QStringLiteral("Save this site before closing?"));
    QCOMPARE(table().channel(0).relNam, QStringLiteral("SAVED"));
    window.reset();
    window = std::make_unique<FrmDips>();
    QCOMPARE(action("MnuRecent1")->data().toString(), path);
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
