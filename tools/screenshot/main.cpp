// Renders the editor for the README: the sample site with a card's end in view, and the same
// site compared with an altered copy.
// zr415-screenshot SITE EDITOR.png OTHER COMPARISON.png
#include "commands/CheckCommands.h"
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowParts.h"
#include "windows/ChannelGridView.h"
#include "windows/CheckPanels.h"
#include "windows/FrmDips.h"
#include "windows/ProblemsPanel.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

namespace {

bool save(QWidget& window, const QString& path)
{
    QApplication::processEvents();
    if (window.grab().save(path))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

// Shows rows AA37..AB08: the line after AA48 ends card A; AA47 holds sixteen capitals.
void showCardEnd(FrmDips& window)
{
    ChannelTableModel& table = partOf<ChannelTableModel>(window);
    ChannelGridView& grid = partOf<ChannelGridView>(window, "SGGrid1");
    table.setData(table.index(46, ChannelTableModel::ColRelNam),
                  QStringLiteral("MMMM 1234 MMMM12"));
    // A name the channel file cannot hold, for the marked cell and the status bar's warning.
    table.setData(table.index(43, ChannelTableModel::ColRelNam), QStringLiteral("TPR \u03A912"));
    grid.scrollTo(table.index(36, 0), QAbstractItemView::PositionAtTop);
    grid.setCurrentIndex(table.index(47, ChannelTableModel::ColRelNam));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config-screenshot"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 5) {
        QTextStream(stderr) << "usage: zr415-screenshot SITE EDITOR.png OTHER COMPARISON.png\n";
        return 2;
    }
    ScriptedDialogs dialogs;
    FrmDips window;
    window.show();
    dialogs.chooseNext(arguments[1]);
    DocumentCommands& commands = partOf<DocumentCommands>(window);
    commands.OpenSite();
    showCardEnd(window);
    partOf<ProblemsPanel>(window).refresh();
    if (!save(window, arguments[2]))
        return 1;
    commands.Undo();
    commands.Undo();
    dialogs.chooseNext(arguments[3]);
    partOf<CheckCommands>(window).CompareWith();
    partOf<CheckPanels>(window).goToDifference(1);
    return save(window, arguments[4]) ? 0 : 1;
}
