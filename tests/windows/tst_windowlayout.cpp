// What the window shows: whole relay names, the cards and units, a status bar of one line,
// whole titles, and what a screen reader hears.
#include "commands/ChannelCount.h"
#include "support/ModalDriver.h"
#include "support/TableRows.h"
#include "support/WindowUnderTest.h"
#include "windows/ElidedLabel.h"
#include "windows/SiteStatus.h"
#include "windows/WidgetDialogs.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>

using Model = ChannelTableModel;

class TestWindowLayout : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void sixteenCapitalsShowWhole();
    void aNameStillCutShowsWholeInItsTooltip();
    void cardsAndUnitsAreLinedOff();
    void statusBarKeepsToOneLine();
    void screenReadersHearEachCell();
    void messageBoxShowsItsWholeTitle_data();
    void messageBoxShowsItsWholeTitle();
    void enterAnswersNoWhenYesReplacesAFile();
};

// ZR415_TEST_FONT stands in for the system's fonts, as another platform's would.
void TestWindowLayout::initTestCase()
{
    prepareApplication();
    const QString family = qEnvironmentVariable("ZR415_TEST_FONT");
    if (family.isEmpty())
        return;
    QFont::insertSubstitution("MS Sans Serif", family);
    QApplication::setFont(QFont(family, 9));
    QCOMPARE(QFontInfo(QFont("MS Sans Serif")).family(), family);
}

// The column takes what the contact and state columns do not need, and nothing scrolls sideways,
// whatever the font and scale: the window widens where the described width is too narrow.
void TestWindowLayout::sixteenCapitalsShowWhole()
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() == "offscreen")
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
    const QScrollBar* bar = grid()->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->mapTo(window.get(), bar->rect().bottomRight()).x() < window->width());
    const int width = window->width();
    QCOMPARE(window->maximumWidth(), width);
    window->resize(width - 60, window->height());
    QCOMPARE(window->width(), width);
}

void TestWindowLayout::aNameStillCutShowsWholeInItsTooltip()
{
    putRelayName(table(), 0, "WWWWWWWWWWWWWWWW");
    grid()->horizontalHeader()->setSectionResizeMode(Model::ColRelNam, QHeaderView::Fixed);
    grid()->setColumnWidth(Model::ColRelNam, 40);
    const QRect rect = grid()->visualRect(table().index(0, Model::ColRelNam));
    QHelpEvent help(QEvent::ToolTip, rect.center(), grid()->viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(grid()->viewport(), &help);
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 30000);
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
        return qGray(grid()->viewport()->grab().toImage().pixel(rect.center().x(), rect.bottom()));
    };
    const int plain = bottomLine(46);
    const int card = bottomLine(47);
    const int unit = bottomLine(383);
    QVERIFY2(card < plain - 40, qPrintable(QString("%1 %2").arg(card).arg(plain)));
    QVERIFY2(unit < card, qPrintable(QString("%1 %2").arg(unit).arg(card)));
}

// A long note is cut, whole in its tooltip; the bar stays one line and the grid keeps its rows.
void TestWindowLayout::statusBarKeepsToOneLine()
{
    const int barHeight = window->statusBar()->height();
    const int gridHeight = grid()->height();
    auto* note = window->findChild<ElidedLabel*>("StatusNote");
    pasteAt(1, Model::ColBack, "x\n?\n!\n");
    const QString text = "2 contact values were not Back or Front, the first for AA03; those "
                         "cells were left as they were.";
    QCOMPARE(note->text(), text);
    QCOMPARE(note->toolTip(), text);
    QTRY_VERIFY_WITH_TIMEOUT(note->shownText().endsWith(QChar(0x2026)), 30000);
    QCOMPARE(window->statusBar()->height(), barHeight);
    QCOMPARE(grid()->height(), gridHeight);
    for (const char* name : {"StatusNote", "StatusChannels", "StatusChecks"}) {
        const QLabel* label = window->findChild<QLabel*>(name);
        QVERIFY2(label->height() < 2 * label->fontMetrics().height(), name);
    }
    // Comparing, with every warning shown: the texts sit side by side, none over another.
    auto* status = window->statusBar()->findChild<SiteStatus*>();
    status->showChecks(12, 3072);
    status->showRecoveryFailure("No space left on device");
    pasteAt(1, Model::ColRelNam, "A NAME OF TWENTY CHARS\n");
    QApplication::processEvents();
    QRect taken;
    for (const QLabel* label : window->statusBar()->findChildren<QLabel*>()) {
        if (!label->isVisible())
            continue;
        QVERIFY2(!label->geometry().intersects(taken), qPrintable(label->objectName()));
        taken |= label->geometry();
    }
    QVERIFY(window->statusBar()->rect().contains(taken));
    QCOMPARE(window->findChild<QLabel*>("StatusFingerprint")->width(),
             window->findChild<QLabel*>("StatusFingerprint")->sizeHint().width());
}

// Through Qt's accessibility interfaces, as a screen reader asks.
void TestWindowLayout::screenReadersHearEachCell()
{
    putRelayName(table(), 54, "TPR 12");
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(grid());
    QVERIFY(view && view->tableInterface());
    const auto cell = [view](int row, int column) {
        return view->tableInterface()->cellAt(row, column)->text(QAccessible::Name);
    };
    QCOMPARE(cell(54, Model::ColRelNam), "AB07, Relay name, TPR 12");
    QCOMPARE(cell(54, Model::ColBack), "AB07, Back contact, Front");
    QCOMPARE(cell(0, Model::ColStDn), "AA01, State down, DN");
    for (const char* name : {"StatusNote", "StatusChannels", "StatusChecks"}) {
        QWidget* label = window->findChild<QLabel*>(name);
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                 static_cast<QLabel*>(label)->text());
    }
}

void TestWindowLayout::messageBoxShowsItsWholeTitle_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box counts as Cancel") << true;
}

// A real box, the shrink question: wide enough for its title, and no answer keeps the channels.
void TestWindowLayout::messageBoxShowsItsWholeTitle()
{
    QFETCH(bool, closeBox);
    WidgetDialogs real(window.get());
    Dialogs* previous = Dialogs::install(&real);
    ChannelCount::SetChannelCount(table(), 768, ChannelCount::FillAllRows);
    int width = 0;
    int titleWidth = 0;
    // Answered before anything is checked, so a failed check cannot leave the box open.
    ModalDriver driver;
    driver.when("QMessageBox", [&](QWidget* box) {
        QFont bold = box->font();
        bold.setBold(true);
        titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        width = box->width();
        if (closeBox)
            box->close();
        else
            static_cast<QMessageBox*>(box)->button(QMessageBox::Cancel)->click();
    });
    auto& selector = partOf<QComboBox>(*window, "CmbNoChans");
    selector.setCurrentIndex(0);
    Dialogs::install(previous);
    QVERIFY(driver.finished());
    QVERIFY2(width > titleWidth + 60, qPrintable(QString("%1 %2").arg(width).arg(titleWidth)));
    QCOMPARE(table().rowCount(), 768);
    QCOMPARE(selector.currentIndex(), 1);
}

void TestWindowLayout::enterAnswersNoWhenYesReplacesAFile()
{
    WidgetDialogs real(window.get());
    ModalDriver driver;
    driver.when("QMessageBox", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    MessageRequest question{"x already holds a DChannel.cfg. Replace it?", EditorTitle(),
                            MessageIcon::Question, MessageButtons::YesNo};
    question.noByDefault = true;
    QCOMPARE(real.showMessage(question), MessageAnswer::No);
    QVERIFY(driver.finished());
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
