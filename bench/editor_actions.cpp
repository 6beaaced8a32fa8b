// Times the user's actions on a 3072-channel site, each from its key press (or the paste) to
// the repainted grid: paste of 3072 rows by 4 columns, its undo and redo, Fill Down and Delete
// over 3072 rows, the change from 8 units to 1 and its undo, Find of a name in the last row,
// Ctrl+End; the comparison with another 3072-channel site including the marking of the grid,
// and an edit while it lasts. Every key goes through the window's shortcuts as a user's does.
//
// What an edit leaves for later (the Problems panel's check 200 ms on, the recovery copy 2 s
// on) is run untimed after each measurement, so that it falls in no other one; the Problems
// panel's check is timed on its own.
//
// Prints one JSON object. Run offscreen (QT_QPA_PLATFORM=offscreen); EDITOR_ACTION_RUNS sets the
// runs of each action (15), EDITOR_ACTIONS which to run (all).

#include "BenchSite.h"
#include "EditorTiming.h"
#include "NullDialogs.h"
#include "commands/CheckCommands.h"
#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "document/ChannelTableModel.h"
#include "support/WindowParts.h"
#include "windows/ChannelGridView.h"
#include "windows/CheckPanels.h"
#include "windows/FindBar.h"
#include "windows/FrmDips.h"
#include "windows/ProblemsPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace EditorTiming;
using Model = ChannelTableModel;

namespace {

constexpr int kChannels = 3072;
constexpr int kLastRow = kChannels - 1;
const QString kLastName = QStringLiteral("LAST ROW NAME");
const QString kOtherSite = QStringLiteral("other.dip");

struct Figure
{
    const char* name;
    const char* title;
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
};

class ActionBench
{
public:
    ActionBench(FrmDips& window, int runs)
        : window_(window), grid_(partOf<ChannelGridView>(window, "SGGrid1")),
          table_(partOf<Model>(window)), counter_(grid_.viewport()), runs_(runs)
    {}

    int runs() const { return runs_; }
    ChannelGridView& grid() { return grid_; }
    Model& table() { return table_; }

    // Times `action` until the grid has painted what it changed; false when it never painted.
    bool time(Figure& figure, const std::function<void()>& action)
    {
        const int before = counter_.paints();
        const double cpuStart = nowNs(CLOCK_PROCESS_CPUTIME_ID);
        QElapsedTimer wall;
        wall.start();
        action();
        if (!waitForPaint(counter_, before))
            return false;
        figure.wallMs.push_back(double(wall.nsecsElapsed()) / 1e6);
        figure.cpuMs.push_back((nowNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) / 1e6);
        settle();
        return true;
    }

    // Runs what the last change left for later, and whatever is queued.
    void settle()
    {
        partOf<ProblemsPanel>(window_).refresh();
        partOf<SiteRecovery>(window_).writeNow();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    void goTo(int row, int column)
    {
        grid_.clearSelection();
        grid_.setCurrentIndex(table_.index(row, column));
        grid_.scrollTo(table_.index(row, column));
        settle();
    }

    void selectNamesToStates()
    {
        goTo(0, Model::ColRelNam);
        grid_.selectionModel()->select(QItemSelection(table_.index(0, Model::ColRelNam),
                                                      table_.index(kLastRow, Model::ColStDn)),
                                       QItemSelectionModel::ClearAndSelect);
        settle();
    }

    void undo()
    {
        partOf<DocumentCommands>(window_).Undo();
        settle();
    }

private:
    FrmDips& window_;
    ChannelGridView& grid_;
    Model& table_;
    PaintCounter counter_;
    int runs_;
};

bool fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return false;
}

// Every cell of the site pasted over: other names, the other contact, other state texts.
QString pastedBlock(const ChannelRows& site)
{
    QString text;
    for (const ChannelRow& row : site)
        text += QStringLiteral("P %1\t%2\tON\tOFF\n")
                    .arg(row.relNam, row.back ? QStringLiteral("Front") : QStringLiteral("Back"));
    return text;
}

bool paste(ActionBench& bench, const ChannelRows& site, Figure& pasted, Figure& undone,
           Figure& redone)
{
    QApplication::clipboard()->setText(pastedBlock(site));
    for (int run = 0; run < bench.runs(); ++run) {
        bench.goTo(0, Model::ColRelNam);
        if (!bench.time(pasted,
                        [&] { QTest::keyClick(&bench.grid(), Qt::Key_V, Qt::ControlModifier); }) ||
            bench.table().channel(kLastRow).stDn != QLatin1String("OFF"))
            return fail("the paste did not reach the last row");
        if (!bench.time(undone,
                        [&] { QTest::keyClick(&bench.grid(), Qt::Key_Z, Qt::ControlModifier); }) ||
            bench.table().rows() != site)
            return fail("the undo of the paste did not give the site back");
        if (!bench.time(redone,
                        [&] { QTest::keyClick(&bench.grid(), Qt::Key_Y, Qt::ControlModifier); }) ||
            bench.table().channel(kLastRow).stDn != QLatin1String("OFF"))
            return fail("the redo of the paste did not paste again");
        bench.undo();
    }
    return true;
}

// Fill Down or Delete over every row of the four columns the user edits, then undone untimed.
bool overAllRows(ActionBench& bench, const ChannelRows& site, Figure& figure, Qt::Key key,
                 Qt::KeyboardModifiers modifiers)
{
    for (int run = 0; run < bench.runs(); ++run) {
        bench.selectNamesToStates();
        if (!bench.time(figure, [&] { QTest::keyClick(&bench.grid(), key, modifiers); }) ||
            bench.table().rows() == site)
            return fail("Fill Down or Delete changed nothing");
        bench.undo();
        if (bench.table().rows() != site)
            return fail("the undo of Fill Down or Delete did not give the site back");
    }
    return true;
}

bool units(ActionBench& bench, FrmDips& window, Figure& toOne, Figure& undone)
{
    QComboBox* selector = &partOf<QComboBox>(window, "CmbNoChans");
    for (int run = 0; run < bench.runs(); ++run) {
        bench.goTo(0, Model::ColRelNam);
        selector->setFocus();
        if (!bench.time(toOne, [&] { QTest::keyClick(selector, Qt::Key_Home); }) ||
            bench.table().rowCount() != 384)
            return fail("Home in the unit selector did not make one unit");
        if (!bench.time(undone,
                        [&] { QTest::keyClick(&bench.grid(), Qt::Key_Z, Qt::ControlModifier); }) ||
            bench.table().rowCount() != kChannels)
            return fail("the undo did not give the eight units back");
    }
    return true;
}

bool find(ActionBench& bench, FrmDips& window, Figure& figure)
{
    QLineEdit* text = partOf<FindBar>(window).textField();
    for (int run = 0; run < bench.runs(); ++run) {
        bench.goTo(0, Model::ColRelNam);
        QTest::keyClick(&bench.grid(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(text, kLastName);
        bench.settle();
        if (!bench.time(figure, [&] { QTest::keyClick(text, Qt::Key_Return); }) ||
            bench.grid().currentIndex().row() != kLastRow)
            return fail("Find did not reach the last row");
    }
    return true;
}

bool ctrlEnd(ActionBench& bench, Figure& figure)
{
    for (int run = 0; run < bench.runs(); ++run) {
        bench.goTo(0, Model::ColRelNam);
        bench.grid().setFocus();
        if (!bench.time(
                figure,
                [&] { QTest::keyClick(&bench.grid(), Qt::Key_End, Qt::ControlModifier); }) ||
            bench.grid().currentIndex().row() != kLastRow)
            return fail("Ctrl+End did not reach the last row");
    }
    return true;
}

// The other site read beside the open one, marked in the grid; ended untimed.
bool compare(ActionBench& bench, FrmDips& window, const ChannelRows& other, int differences,
             Figure& figure)
{
    for (int run = 0; run < bench.runs(); ++run) {
        partOf<CheckCommands>(window).EndComparison();
        bench.goTo(0, Model::ColRelNam);
        if (!bench.time(
                figure,
                [&] { partOf<CheckCommands>(window).compareWithSite(other, true, kOtherSite); }) ||
            partOf<CheckCommands>(window).comparison().count() != differences)
            return fail("the comparison did not find the differences");
    }
    partOf<CheckCommands>(window).EndComparison();
    bench.settle();
    return true;
}

// A name typed while a site is compared: Enter commits it, and the differences follow.
bool editWhileComparing(ActionBench& bench, FrmDips& window, const ChannelRows& other,
                        int differences, Figure& figure)
{
    partOf<CheckCommands>(window).compareWithSite(other, true, kOtherSite);
    for (int run = 0; run < bench.runs(); ++run) {
        bench.goTo(1, Model::ColRelNam);
        bench.grid().setFocus();
        QTest::keyClick(&bench.grid(), Qt::Key_X);
        bench.settle();
        if (!bench.time(figure,
                        [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }) ||
            partOf<CheckCommands>(window).comparison().count() != differences + 1)
            return fail("the edit did not reach the comparison");
        bench.undo();
    }
    partOf<CheckCommands>(window).EndComparison();
    bench.settle();
    return true;
}

bool problemsCheck(ActionBench& bench, FrmDips& window, Figure& figure)
{
    ProblemsPanel& problems = partOf<ProblemsPanel>(window);
    for (int run = 0; run < bench.runs(); ++run) {
        const double cpuStart = nowNs(CLOCK_PROCESS_CPUTIME_ID);
        QElapsedTimer wall;
        wall.start();
        problems.refresh();
        figure.wallMs.push_back(double(wall.nsecsElapsed()) / 1e6);
        figure.cpuMs.push_back((nowNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) / 1e6);
        bench.settle();
    }
    return problems.count() > 0 || fail("the bench site has no problems to list");
}

QString figuresJson(const std::vector<Figure>& figures)
{
    QStringList entries;
    for (const Figure& figure : figures) {
        if (figure.wallMs.empty())
            continue;
        const auto [least, most] = std::minmax_element(figure.wallMs.begin(), figure.wallMs.end());
        entries.append(QStringLiteral("{\"name\": \"%1\", \"title\": \"%2\", \"median_ms\": %3, "
                                      "\"cpu_median_ms\": %4, \"min_ms\": %5, \"max_ms\": %6}")
                           .arg(QLatin1String(figure.name), QLatin1String(figure.title))
                           .arg(median(figure.wallMs), 0, 'f', 3)
                           .arg(median(figure.cpuMs), 0, 'f', 3)
                           .arg(*least, 0, 'f', 3)
                           .arg(*most, 0, 'f', 3));
    }
    return entries.join(QStringLiteral(", "));
}

// The altered site a checker compares with: one channel in sixteen renamed.
ChannelRows renamedEverySixteenth(ChannelRows site)
{
    for (int row = 0; row < kChannels; row += 16)
        site[row].relNam += QStringLiteral(" X");
    return site;
}

// A site that differs from `site` in every cell.
ChannelRows differingEverywhere(ChannelRows site)
{
    for (ChannelRow& row : site)
        row = {QStringLiteral("O ") + row.relNam, !row.back, QStringLiteral("ON"),
               QStringLiteral("OFF")};
    return site;
}

std::vector<Figure> actionFigures()
{
    return {
        {"paste", "paste 3072 rows x 4 columns", {}, {}},
        {"paste_undo", "undo of the paste", {}, {}},
        {"paste_redo", "redo of the paste", {}, {}},
        {"fill_down", "Fill Down over 3072 rows x 4 columns", {}, {}},
        {"delete", "Delete over 3072 rows x 4 columns", {}, {}},
        {"units_8_to_1", "8 units to 1 (unit selector, Home)", {}, {}},
        {"units_undo", "undo of 8 units to 1", {}, {}},
        {"find_last_row", "Find of a name in the last row", {}, {}},
        {"ctrl_end", "Ctrl+End", {}, {}},
        {"compare", "compare, 192 differences, marked", {}, {}},
        {"compare_all_differ", "compare, every cell differs, marked", {}, {}},
        {"edit_while_comparing", "Enter on an edit while comparing", {}, {}},
        {"problems_check", "Problems panel check (no paint)", {}, {}},
    };
}

} // namespace

int main(int argc, char* argv[])
{
    // A fresh settings store and data folder: the user's own neither shape the figures nor get
    // a recovery copy of the bench site.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.path()));

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    NullDialogs dialogs;
    const int runs = qEnvironmentVariableIsSet("EDITOR_ACTION_RUNS")
                         ? std::max(1, qEnvironmentVariableIntValue("EDITOR_ACTION_RUNS"))
                         : 15;

    FrmDips window;
    const PaintCounter shown(partOf<ChannelGridView>(window, "SGGrid1").viewport());
    window.show();
    if (!waitForPaint(shown, 0)) {
        std::fprintf(stderr, "the window was never painted\n");
        return 1;
    }
    ActionBench bench(window, runs);
    ChannelRows site = BenchSite::Rows(kChannels);
    site[kLastRow].relNam = kLastName;
    partOf<Model>(window).replaceRows(site);
    bench.settle();

    const ChannelRows altered = renamedEverySixteenth(site);
    const ChannelRows allDiffer = differingEverywhere(site);
    std::vector<Figure> figures = actionFigures();
    // Each group of figures with its measurement; EDITOR_ACTIONS (names, split by commas) runs
    // only those, as for a profile of one.
    const std::vector<std::pair<const char*, std::function<bool()>>> groups{
        {"paste", [&] { return paste(bench, site, figures[0], figures[1], figures[2]); }},
        {"fill_down",
         [&] { return overAllRows(bench, site, figures[3], Qt::Key_D, Qt::ControlModifier); }},
        {"delete",
         [&] { return overAllRows(bench, site, figures[4], Qt::Key_Delete, Qt::NoModifier); }},
        {"units", [&] { return units(bench, window, figures[5], figures[6]); }},
        {"find_last_row", [&] { return find(bench, window, figures[7]); }},
        {"ctrl_end", [&] { return ctrlEnd(bench, figures[8]); }},
        {"compare", [&] { return compare(bench, window, altered, kChannels / 16, figures[9]); }},
        {"compare_all_differ",
         [&] { return compare(bench, window, allDiffer, kChannels * 4, figures[10]); }},
        {"edit_while_comparing",
         [&] { return editWhileComparing(bench, window, altered, kChannels / 16, figures[11]); }},
        {"problems_check", [&] { return problemsCheck(bench, window, figures[12]); }},
    };
    const QStringList only = qEnvironmentVariable("EDITOR_ACTIONS").split(u',', Qt::SkipEmptyParts);
    bool done = true;
    for (const auto& [name, measure] : groups) {
        if (done && (only.isEmpty() || only.contains(QLatin1String(name))))
            done = measure();
    }
    const int problems = partOf<ProblemsPanel>(window).count();
    partOf<SiteRecovery>(window).discard();
    if (!done)
        return 1;
    std::printf("{\"channels\": %d, \"runs\": %d, \"problems\": %d, \"figures\": [%s]}\n",
                kChannels, bench.runs(), problems, qPrintable(figuresJson(figures)));
    return 0;
}
