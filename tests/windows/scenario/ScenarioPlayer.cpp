#include "ScenarioPlayer.h"

#include "ScenarioState.h"
#include "commands/CheckCommands.h"
#include "commands/SiteRecovery.h"
#include "labels/LabelDatabase.h"
#include "support/DoubleClick.h"
#include "support/GoldenFiles.h"
#include "support/ModalDriver.h"
#include "support/WindowParts.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"
#include "windows/SitePrinting.h"

#include <algorithm>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeySequence>
#include <QListWidget>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

namespace {

// How long a step waits for what follows it: long enough for a loaded machine or Wine, and only
// spent in full when a case fails, as under scripts/mutants.sh, which asks for less.
const int kPatienceMs = qEnvironmentVariableIsSet("ZR415_PATIENCE_MS")
                            ? qEnvironmentVariableIntValue("ZR415_PATIENCE_MS")
                            : 60000;

QString unescaped(QString text)
{
    return text.replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n");
}

} // namespace

ScenarioPlayer::ScenarioPlayer(const QString& caseDir) : caseDir_(caseDir), dialogs_(work_.path())
{}

// scripts/mutants.sh sets ZR415_STOP_AT_FAILURE: once a case has failed the rest are skipped.
static bool failedBefore = false;

// A window still open goes as a killed editor's would, asking nothing.
ScenarioPlayer::~ScenarioPlayer()
{
    failedBefore = failedBefore || QTest::currentTestFailed();
}

QString ScenarioPlayer::inWork(const QString& text) const
{
    return Golden::expandDir(text, work_.path());
}

void ScenarioPlayer::play()
{
    if (failedBefore && qEnvironmentVariableIsSet("ZR415_STOP_AT_FAILURE"))
        QSKIP("a case before this one failed");
    QVERIFY(work_.isValid());
    ModGlobal::OpenSettingsStore()->clear();
    QDir(SiteRecovery::defaultFolder()).removeRecursively();
    Golden::copyTree(caseDir_ + "/files", work_.path());
    const Golden::Tree before = Golden::snapshot(work_.path());
    QString error;
    const auto steps = ParseScenario(Golden::readText(caseDir_ + "/script.txt"), &error);
    QVERIFY2(steps, qPrintable("script.txt " + error));
#ifdef Q_OS_WIN
    if (std::any_of(steps->begin(), steps->end(),
                    [](auto& step) { return step.verb == "database"; }))
        QSKIP("the labels database is an Access file, through an ODBC driver Wine lacks");
#endif
    for (const ScenarioStep& step : *steps) {
        line_ = step.line;
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
    window_.reset();
    // A box that came while a state was awaited, after the last step that answered boxes.
    QCOMPARE(dialogs_.takeEvents().join('\n'), QString());
    Golden::Tree after = Golden::snapshot(work_.path());
    Golden::Tree expected = Golden::expectedTree(caseDir_, before);
    Golden::comparePdfTexts(after, expected, work_.path());
    if (!QTest::currentTestFailed())
        Golden::compareTrees(after, expected, work_.path());
}

void ScenarioPlayer::run(const ScenarioStep& step)
{
    const QString& argument = step.argument;
    const QString& verb = step.verb;
    if (verb == "expect")
        return expect(step);
    if (verb == "setting")
        return setSetting(argument);
    if (verb == "clipboard")
        return QApplication::clipboard()->setText(unescaped(argument));
    if (verb == "crash")
        return window_.reset();
    if (verb == "card")
        return readCardAs(argument);
    if (verb == "printer")
        return printTo(argument);
    if (verb == "wait")
        return QTest::qWait(argument.toInt());
    if (verb == "database")
        return makeLabelsDatabase();
    const std::map<QString, std::function<void()>> actions{
        {"start", [&] { start(argument); }},
        {"close", [&] { close(); }},
        {"keys", [&] { pressKeys(argument); }},
        {"type", [&] { typeText(argument); }},
        {"click", [&] { clickCell(argument); }},
        {"button", [&] { clickButton(argument); }},
        {"pick", [&] { pickLine(argument); }},
        {"copy", [&] { changeFile(verb, argument); }},
        {"touch", [&] { changeFile(verb, argument); }},
        {"replace", [&] { changeFile(verb, argument); }},
        {"remove", [&] { changeFile(verb, argument); }},
        {"drop", [&] { dropFile(argument); }},
    };
    const auto action = actions.find(verb);
    QVERIFY2(action != actions.end(),
             qPrintable(QString("line %1: no step \"%2\"").arg(line_).arg(verb)));
    act(step, action->second);
}

// The editor's labels database made anew, its table empty.
void ScenarioPlayer::makeLabelsDatabase()
{
    const QString file = LabelDatabase::editorDefault().databaseFile();
    QFile::remove(file);
    QDir().mkpath(QFileInfo(file).path());
    QCOMPARE(Golden::sqlite(file, Golden::labelsTableStatement()), QString());
}

void ScenarioPlayer::act(const ScenarioStep& step, const std::function<void()>& action)
{
    ModalDriver driver(kPatienceMs);
    dialogs_.arm(step.responses);
    for (const QString& response : step.responses) {
        if (response.startsWith("selector "))
            armSelector(response, driver);
        else
            armPrinting(response, driver);
    }
    action();
    // A box may follow a moment later, as one of a timer's.
    const auto allShown = [&] { return dialogs_.eventCount() >= step.responses.size(); };
    if (!allShown())
        (void)QTest::qWaitFor(allShown, kPatienceMs);
    const QStringList shown = dialogs_.takeEvents();
    Golden::compareLines(shown.join('\n'), inWork(step.responses.join('\n')),
                         QString("line %1, what followed").arg(line_));
    QVERIFY2(driver.finished(), qPrintable(QString("line %1: the site selector").arg(line_)));
    QCOMPARE(dialogs_.unusedAnswers(), 0);
    dialogs_.clear();
}

void ScenarioPlayer::expect(const ScenarioStep& step)
{
    const qsizetype colon = step.argument.indexOf(':');
    const QString key = step.argument.left(colon);
    QString value = step.argument.mid(colon + 1);
    if (value.startsWith(' '))
        value.remove(0, 1);
    const QString expected = inWork(step.block.isEmpty() ? value : step.block.join('\n'));
    QVERIFY2(window_ || key == "recovery copies",
             qPrintable(QString("line %1: no window to look at").arg(line_)));
    bool known = false;
    QString actual = ScenarioState::of(window_.get(), key, &known);
    QVERIFY2(known && colon > 0,
             qPrintable(QString("line %1: no state \"%2\"").arg(line_).arg(key)));
    // Panels and copies follow a moment after a change.
    const auto settled = [&] {
        actual = ScenarioState::of(window_.get(), key, &known);
        return actual == expected;
    };
    if (!expected.contains("{system error}") && !expected.contains("{time}") && !settled())
        (void)QTest::qWaitFor(settled, kPatienceMs);
    Golden::compareLines(actual, expected, QString("line %1, %2").arg(line_).arg(key));
}

void ScenarioPlayer::start(const QString& file)
{
    ModGlobal::dirs = {};
    window_ = std::make_unique<FrmDips>();
    // Every insert, removal and reset the grid and the differences signal, watched for as long as
    // the window lives.
    for (const char* view : {"SGGrid1", "DifferencesList"})
        new QAbstractItemModelTester(partOf<QAbstractItemView>(*window_, view).model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     window_.get());
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get(), 10000))
        activate();
    QCOMPARE(QApplication::activeWindow(), window_.get());
    window_->start(file.isEmpty() ? QStringList() : QStringList{inWork("{dir}/" + file)});
}

// As the title bar's close button: the window goes when it agrees to close.
void ScenarioPlayer::close()
{
    QVERIFY(window_);
    if (window_->close())
        window_.reset();
}

// What another program does to a file of the folder: "copy theirs.dip north.dip" writes the
// first's bytes over the second; "replace theirs.dip north.dip" puts a copy of the first in its
// place, as a save through a temporary file does; "touch north.dip" gives it a later time, its
// bytes as they were; "remove north.dip" deletes it.
void ScenarioPlayer::changeFile(const QString& verb, const QString& files)
{
    const QString target = work_.filePath(files.section(' ', -1));
    if (verb == "replace" || verb == "remove") {
        QVERIFY(QFile::remove(target));
        QVERIFY(verb == "remove" || QFile::copy(work_.filePath(files.section(' ', 0, 0)), target));
        return;
    }
    QFile file(target);
    if (verb == "copy") {
        QFile source(work_.filePath(files.section(' ', 0, 0)));
        QVERIFY(source.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(source.readAll()) >= 0);
    } else {
        QVERIFY(file.open(QIODevice::ReadWrite));
    }
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                             QFileDevice::FileModificationTime));
}

// A file of the folder dropped on the window from a file manager.
void ScenarioPlayer::dropFile(const QString& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(work_.filePath(file))});
    QDragEnterEvent enter(QPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QApplication::sendEvent(window_.get(), &drop);
}

// "card cut 7696": what the card gives back when its file is read back, as a card with bad spots
// would: "set OFFSET HEX" changes a byte, "cut N" keeps N bytes, "append N" adds N zeros,
// "unreadable" fails.
void ScenarioPlayer::readCardAs(const QString& change)
{
    QVERIFY(window_);
    const QStringList words = change.split(' ');
    partOf<CheckCommands>(*window_).setCardReader([words](const QString& path, QString& error) {
        QFile card(path);
        QByteArray bytes = card.open(QIODevice::ReadOnly) ? card.readAll() : QByteArray();
        if (words[0] == "set")
            bytes[words[1].toInt()] = char(words[2].toInt(nullptr, 16));
        else if (words[0] == "cut")
            bytes.truncate(words[1].toInt());
        else if (words[0] == "append")
            bytes += QByteArray(words[1].toInt(), '\0');
        else
            error = "Input/output error";
        return bytes;
    });
}

void ScenarioPlayer::setSetting(const QString& keyAndValue)
{
    ModGlobal::OpenSettingsStore()->setValue(keyAndValue.section(' ', 0, 0),
                                             inWork(keyAndValue.section(' ', 1)));
}

// Makes the window active, as a desktop does when it shows or when a menu or window over it
// goes: offscreen nothing does, and a window manager still starting may not.
void ScenarioPlayer::activate()
{
    QApplication::setActiveWindow(window_.get());
}

// The popup menu on top, else the widget with the keyboard focus.
QWidget* ScenarioPlayer::keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (!QApplication::focusWidget() && window_)
        activate();
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return window_.get();
}

void ScenarioPlayer::pressKeys(const QString& keys)
{
    const QKeySequence sequence(keys);
    QVERIFY2(!sequence.isEmpty(),
             qPrintable(QString("line %1: no keys \"%2\"").arg(line_).arg(keys)));
    for (int i = 0; i < sequence.count(); ++i)
        QTest::keyClick(keyTarget(), sequence[i].key(), sequence[i].keyboardModifiers());
}

void ScenarioPlayer::typeText(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(keyTarget(), c.toLatin1());
}

// A toolbar button takes no focus: a cell being edited stays open as it is clicked.
void ScenarioPlayer::clickButton(const QString& action)
{
    QVERIFY(window_);
    QWidget* button = nullptr;
    for (auto* toolbar : window_->findChildren<QToolBar*>())
        button = button ? button : toolbar->widgetForAction(window_->findChild<QAction*>(action));
    QVERIFY2(button, qPrintable(QString("line %1: no button \"%2\"").arg(line_).arg(action)));
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on the cell "AA05 relNam", scrolled into view first.
void ScenarioPlayer::clickCell(const QString& cell)
{
    QVERIFY(window_);
    auto& grid = partOf<QAbstractItemView>(*window_, "SGGrid1");
    const QModelIndex index = ScenarioState::cellAt(window_.get(), cell);
    QVERIFY2(index.isValid(), qPrintable(QString("line %1: no cell \"%2\"").arg(line_).arg(cell)));
    grid.scrollTo(index);
    // A click on a selected cell opens its editor once the pause that tells a click from a
    // double-click is over; the user's next key goes there.
    const bool opensEditor = !grid.indexWidget(index) && grid.selectionModel()->isSelected(index) &&
                             grid.editTriggers().testFlag(QAbstractItemView::SelectedClicked) &&
                             index.flags().testFlag(Qt::ItemIsEditable);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
    if (opensEditor)
        QTRY_VERIFY_WITH_TIMEOUT(grid.indexWidget(index), kPatienceMs);
}

// "pick problems 3": a double-click on the third line of the Problems panel.
void ScenarioPlayer::pickLine(const QString& panelAndLine)
{
    QVERIFY(window_);
    const QString panel = panelAndLine.section(' ', 0, 0);
    auto& list =
        partOf<QTreeView>(*window_, panel == "problems" ? "ProblemsList" : "DifferencesList");
    const QModelIndex line = list.model()->index(panelAndLine.section(' ', 1).toInt() - 1, 0);
    QVERIFY2(line.isValid(),
             qPrintable(QString("line %1: no line \"%2\"").arg(line_).arg(panelAndLine)));
    list.scrollTo(line);
    doubleClickAt(list.viewport(), list.visualRect(line).center());
}

// "selector Kirkby Jn -> Open": the site highlighted in the list (with " (2)", the second of that
// name), then Open, Cancel, a double-click on it or the close box ("-> double-click", "-> close").
void ScenarioPlayer::armSelector(const QString& response, ModalDriver& driver)
{
    const QString answer = response.section(" -> ", -1);
    QString name = response.section(' ', 1).section(" -> ", 0, 0);
    const int nth = name.endsWith(')') ? name.section(" (", -1).chopped(1).toInt() : 1;
    name = name.section(" (", 0, 0);
    driver.when("FrmSiteSelector", [this, response, name, nth, answer](QWidget* selector) {
        auto& list = partOf<QListWidget>(*selector, "SiteList");
        const QList<QListWidgetItem*> items = list.findItems(name, Qt::MatchExactly);
        QListWidgetItem* item = items.value(nth - 1);
        if (item)
            list.setCurrentItem(item);
        dialogs_.note(item ? response : "selector (not listed) -> " + answer);
        if (answer == "close")
            selector->close();
        else if (answer == "double-click" && item)
            doubleClickAt(list.viewport(), list.visualItemRect(item).center());
        else
            partOf<QPushButton>(*selector, answer == "Open" ? "CmdLoad" : "CmdCancel").click();
    });
}

// The windows of printing, answered as the script says: "input 3 (at most 10) -> OK" types into
// the input box and presses Enter; "sheet 2 x 5 -> OK" sets the label sheet's columns and rows;
// "progress 65 pages -> Cancel" stops the pages; "preview 17 pages" closes the preview once it
// has counted them; "help TITLE -> Esc" closes the help window by its key.
void ScenarioPlayer::armPrinting(const QString& response, ModalDriver& driver)
{
    if (response.startsWith("input ")) {
        const QString text = response.section(' ', 1).section(" -> ", 0, 0).section(" (", 0, 0);
        driver.when("QInputDialog", [this, text](QWidget* window) {
            auto* box = static_cast<QInputDialog*>(window);
            QWidget* field = box->focusWidget();
            QTest::keySequence(field, QKeySequence::SelectAll);
            QTest::keyClicks(field, text);
            const bool number = box->inputMode() == QInputDialog::IntInput;
            dialogs_.note("input " + text +
                          (number ? QString(" (at most %1)").arg(box->intMaximum()) : "") +
                          " -> OK");
            QTest::keyClick(field, Qt::Key_Return);
        });
    } else if (response.startsWith("sheet ")) {
        const QStringList size = response.section(' ', 1).section(" -> ", 0, 0).split(" x ");
        driver.when("FrmLabelSheet", [this, size](QWidget* setup) {
            const std::pair<const char*, QString> fields[]{{"SpnColumns", size.value(0)},
                                                           {"SpnRows", size.value(1)}};
            for (const auto& [name, text] : fields) {
                auto& box = partOf<QSpinBox>(*setup, name);
                QTest::keySequence(&box, QKeySequence::SelectAll);
                QTest::keyClicks(&box, text);
            }
            dialogs_.note("sheet " + size.join(" x ") + " -> OK");
            partOf<QDialogButtonBox>(*setup).button(QDialogButtonBox::Ok)->click();
        });
    } else if (response.startsWith("progress ")) {
        driver.when("QProgressDialog", [this](QWidget* window) {
            auto* progress = static_cast<QProgressDialog*>(window);
            dialogs_.note(QString("progress %1 pages -> Cancel").arg(progress->maximum()));
            progress->cancel();
        });
    } else if (response.startsWith("help ")) {
        driver.when("FrmHelp", [this](QWidget* help) {
            dialogs_.note("help " + help->windowTitle() + " -> Esc");
            QTest::keyClick(help, Qt::Key_Escape);
        });
    } else if (response.startsWith("preview ")) {
        driver.when("QPrintPreviewDialog", [this](QWidget* preview) {
            const int pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            dialogs_.note(QString("preview %1 pages").arg(pages));
            static_cast<QDialog*>(preview)->reject();
        });
    }
}

// "printer record.pdf": from now on the printer the user picks prints to that file as a PDF.
void ScenarioPlayer::printTo(const QString& file)
{
    QVERIFY(window_);
    const QString path = work_.filePath(file);
    partOf<SitePrinting>(*window_).setPrinterChooser([path](QPrinter& chosen) {
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(path);
        return true;
    });
}
