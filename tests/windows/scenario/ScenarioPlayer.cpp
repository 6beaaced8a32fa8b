#include "ScenarioPlayer.h"

#include "ScenarioState.h"
#include "commands/SiteRecovery.h"
#include "support/DoubleClick.h"
#include "support/GoldenFiles.h"
#include "support/ModalDriver.h"
#include "support/SiteDump.h"
#include "support/WindowParts.h"
#include "windows/FrmDips.h"
#include "windows/ModGlobal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

QString unescaped(QString text)
{
    return text.replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n");
}

} // namespace

ScenarioPlayer::ScenarioPlayer(const QString& caseDir) : caseDir_(caseDir), dialogs_(work_.path())
{}

// A window still open goes as a killed editor's would, asking nothing.
ScenarioPlayer::~ScenarioPlayer() = default;

QString ScenarioPlayer::inWork(const QString& text) const
{
    return Golden::expandDir(text, work_.path());
}

void ScenarioPlayer::play()
{
    QVERIFY(work_.isValid());
    ModGlobal::OpenSettingsStore()->clear();
    QDir(SiteRecovery::defaultFolder()).removeRecursively();
    Golden::copyTree(caseDir_ + "/files", work_.path());
    const Golden::Tree before = Golden::snapshot(work_.path());
    QString error;
    const auto steps = ParseScenario(Golden::readText(caseDir_ + "/script.txt"), &error);
    QVERIFY2(steps, qPrintable("script.txt " + error));
    for (const ScenarioStep& step : *steps) {
        line_ = step.line;
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
    window_.reset();
    Golden::compareTrees(Golden::snapshot(work_.path()), Golden::expectedTree(caseDir_, before));
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
    if (verb == "copy" || verb == "touch")
        return changeFile(verb, argument);
    if (verb == "wait" && argument == "recovery copy") {
        const QDir folder(SiteRecovery::defaultFolder());
        QTRY_VERIFY_WITH_TIMEOUT(!folder.entryList({"*.zr415-recovery"}, QDir::Files).isEmpty(),
                                 SiteRecovery::kDelayMilliseconds * 3);
        return;
    }
    const std::map<QString, std::function<void()>> actions{
        {"start", [&] { start(argument); }},     {"close", [&] { close(); }},
        {"keys", [&] { pressKeys(argument); }},  {"type", [&] { typeText(argument); }},
        {"click", [&] { clickCell(argument); }}, {"pick", [&] { pickLine(argument); }},
    };
    const auto action = actions.find(verb);
    QVERIFY2(action != actions.end(),
             qPrintable(QString("line %1: no step \"%2\"").arg(line_).arg(verb)));
    act(step, action->second);
}

void ScenarioPlayer::act(const ScenarioStep& step, const std::function<void()>& action)
{
    ModalDriver driver;
    dialogs_.arm(step.responses);
    for (const QString& response : step.responses) {
        if (response.startsWith("selector "))
            armSelector(response, driver);
    }
    action();
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
        (void)QTest::qWaitFor(settled, 3000);
    Golden::compareLines(actual, expected, QString("line %1, %2").arg(line_).arg(key));
}

void ScenarioPlayer::start(const QString& file)
{
    ModGlobal::dirs = {};
    window_ = std::make_unique<FrmDips>();
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get()))
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
// first's bytes over the second; "touch north.dip" gives it a later time, its bytes as they were.
void ScenarioPlayer::changeFile(const QString& verb, const QString& files)
{
    const QString target = work_.filePath(files.section(' ', -1));
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

// A click on the cell "AA05 relNam", scrolled into view first.
void ScenarioPlayer::clickCell(const QString& cell)
{
    QVERIFY(window_);
    auto& grid = partOf<QAbstractItemView>(*window_, "SGGrid1");
    const QModelIndex index = grid.model()->index(ChannelOf(cell.section(' ', 0, 0)) - 1,
                                                  ScenarioState::columnOf(cell.section(' ', 1)));
    QVERIFY2(index.isValid(), qPrintable(QString("line %1: no cell \"%2\"").arg(line_).arg(cell)));
    grid.scrollTo(index);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
    // A user's next key or click comes after the pause that tells a click from a double-click
    // (a click on the current cell opens its editor then).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
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

// "selector Kirkby Jn -> Open": the site highlighted in the list, then Open (or Cancel).
void ScenarioPlayer::armSelector(const QString& response, ModalDriver& driver)
{
    const QString name = response.section(' ', 1).section(" -> ", 0, 0);
    const bool open = response.endsWith(" -> Open");
    driver.when("FrmSiteSelector", [this, name, open](QWidget* selector) {
        auto& list = partOf<QListWidget>(*selector, "SiteList");
        const QList<QListWidgetItem*> items = list.findItems(name, Qt::MatchExactly);
        if (!items.isEmpty())
            list.setCurrentItem(items.first());
        dialogs_.note("selector " + (items.isEmpty() ? "(not listed)" : name) + " -> " +
                      (open ? "Open" : "Cancel"));
        partOf<QPushButton>(*selector, open ? "CmdLoad" : "CmdCancel").click();
    });
}
