// What the window shows: whole relay names, the cards and units, a status bar that cuts
// nothing, whole titles, and where dialogs start and stand.
#include "document/ChannelTableModel.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"
#include "support/TableRows.h"
#include "support/WindowUnderTest.h"
#include "windows/ChannelGridView.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/WidgetDialogs.h"
#include "windows/WindowHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

#include <memory>

using Model = ChannelTableModel;

class TestWindowLayout : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void sixteenCapitalsShowWhole();
    void aNameStillCutShowsWholeInItsTooltip();
    void cardsAndUnitsAreLinedOff();
    void currentCellIsFramed();
    void longNotesWrapBesideTheCounts();
    void messageBoxShowsItsWholeTitle();
    void dialogsStartInTheUsersFolder();
    void centringCountsTheFrame();

private:
    // The grid's cells as drawn.
    QImage drawnGrid() const { return grid()->viewport()->grab().toImage(); }
};

void TestWindowLayout::init()
{
    QVERIFY(openWindow());
}

void TestWindowLayout::cleanup()
{
    closeWindow();
}

// The column takes what the contact and state columns do not need, and nothing scrolls sideways.
void TestWindowLayout::sixteenCapitalsShowWhole()
{
#ifdef Q_OS_WIN
    QSKIP("The offscreen platform has no fonts on Windows; the widths follow the fonts in use");
#endif
    const int column = grid()->columnWidth(Model::ColRelNam);
    QVERIFY(column >= grid()->relayNameMinimumWidth());
    for (const QString name : {"MMMM 1234 MMMM12", "WWWWWWWWWWWWWWWW", "0000000000000000"})
        QVERIFY2(grid()->fontMetrics().horizontalAdvance(name) < column - 4, qPrintable(name));
    QVERIFY(!grid()->horizontalScrollBar()->isVisible());
    int total = grid()->verticalHeader()->width();
    for (int c = 0; c < Model::ColumnCount; ++c)
        total += grid()->columnWidth(c);
    QVERIFY(total <= grid()->width());
    QCOMPARE(window->width(), window->minimumWidth());
}

void TestWindowLayout::aNameStillCutShowsWholeInItsTooltip()
{
    putRelayName(table(), 0, "WWWWWWWWWWWWWWWW");
    grid()->horizontalHeader()->setSectionResizeMode(Model::ColRelNam, QHeaderView::Fixed);
    grid()->setColumnWidth(Model::ColRelNam, 40);
    const QRect rect = grid()->visualRect(table().index(0, Model::ColRelNam));
    QHelpEvent help(QEvent::ToolTip, rect.center(), grid()->viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(grid()->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), "WWWWWWWWWWWWWWWW");
    QToolTip::hideText();
}

// The last pixel line of AA47, AA48 (a card's end) and of AH48 (the unit's) in the name column.
void TestWindowLayout::cardsAndUnitsAreLinedOff()
{
    const auto bottomLine = [this](int row) {
        const QModelIndex index = table().index(row, Model::ColStUp);
        grid()->scrollTo(index);
        const QRect rect = grid()->visualRect(index);
        return qGray(drawnGrid().pixel(rect.center().x(), rect.bottom()));
    };
    const int plain = bottomLine(46);
    const int card = bottomLine(47);
    const int unit = bottomLine(383);
    QVERIFY2(card < plain - 40, qPrintable(QString("%1 %2").arg(card).arg(plain)));
    QVERIFY2(unit < card, qPrintable(QString("%1 %2").arg(unit).arg(card)));
}

void TestWindowLayout::currentCellIsFramed()
{
    const QModelIndex current = table().index(3, Model::ColStDn);
    grid()->setCurrentIndex(current);
    grid()->selectionModel()->clearSelection();
    const QRect rect = grid()->visualRect(current);
    const QImage image = drawnGrid();
    const QColor frame = image.pixelColor(rect.left() + 1, rect.center().y());
    const QColor inside = image.pixelColor(rect.center().x(), rect.top() + 4);
    QVERIFY2(qGray(frame.rgb()) < qGray(inside.rgb()) - 60,
             qPrintable(frame.name() + " " + inside.name()));
}

// The note stays whole on the left, the counts keep their place on the right.
void TestWindowLayout::longNotesWrapBesideTheCounts()
{
    auto* note = window->findChild<QLabel*>("StatusNote");
    auto* counts = window->findChild<QLabel*>("StatusChannels");
    const QString text = "2 contact values were not Back or Front, the first for AA03; those "
                         "cells were left as they were.";
    QApplication::clipboard()->setText("x\n?\n!\n");
    grid()->setCurrentIndex(table().index(1, Model::ColBack));
    QTest::keySequence(grid(), QKeySequence::Paste);
    QCOMPARE(note->text(), text);
    // Laid out once the status bar has taken the wrapped note's height.
    QApplication::processEvents();
    QVERIFY(note->height() >= note->heightForWidth(note->width()));
    QVERIFY(note->geometry().right() < counts->mapTo(window->statusBar(), QPoint(0, 0)).x());
    QCOMPARE(counts->text(), "0 of 384 channels in use, 1 on back contacts");
}

// One box answered for real: its width leaves room for the title.
void TestWindowLayout::messageBoxShowsItsWholeTitle()
{
    dialogs.reset();
    WidgetDialogs real(window.get());
    Dialogs* previous = Dialogs::install(&real);
    int width = 0;
    int titleWidth = 0;
    ModalDriver driver;
    driver.when("QMessageBox", [&](QWidget* box) {
        QFont bold = box->font();
        bold.setBold(true);
        titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        width = box->width();
        static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    AskUser("OK", EditorTitle(), MessageIcon::Information, MessageButtons::Ok);
    Dialogs::install(previous);
    QVERIFY(driver.finished());
    QVERIFY2(width > titleWidth + 60, qPrintable(QString("%1 %2").arg(width).arg(titleWidth)));
}

void TestWindowLayout::dialogsStartInTheUsersFolder()
{
    const QString start = ModGlobal::DefaultFilePath();
#ifdef Q_OS_WIN
    QCOMPARE(start, "C:\\");
#else
    QVERIFY(start != "/");
    QVERIFY(start.startsWith(QDir::homePath()));
    QVERIFY(QFileInfo(start).isDir());
#endif
}

// Before it is shown a window has no frame yet; centring counts the frame the main window has.
void TestWindowLayout::centringCountsTheFrame()
{
    const int frame = window->frameGeometry().height() - window->geometry().height();
    QVERIFY(frame > 0);
    QWidget form;
    form.resize(300, 200);
    ModFunc::CentreForm(&form);
    const QRect screen = form.screen()->geometry();
    QVERIFY(std::abs(form.y() - (screen.top() + (screen.height() - 200 - frame) / 2)) <= 1);
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
