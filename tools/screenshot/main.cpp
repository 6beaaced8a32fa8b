// Renders the editor with a site open, for the README: zr415-screenshot SITE OUTPUT.png
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "windows/ChannelGridView.h"
#include "windows/FindBar.h"
#include "windows/FrmDips.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config-screenshot"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: zr415-screenshot SITE OUTPUT.png\n";
        return 2;
    }
    ScriptedDialogs dialogs;
    FrmDips window;
    window.show();
    if (!window.commands().openPath(arguments[1])) {
        QTextStream(stderr) << dialogs.texts().join(u'\n') << '\n';
        return 1;
    }
    window.findBar()->activate();
    window.findBar()->textField()->setText(QStringLiteral("TPR"));
    emit window.findBar()->findNext(QStringLiteral("TPR"));
    // A name the channel file cannot hold, entered as a user would, for the marked cell and the
    // status bar's warning; set after the find, which so still stops at the sample's TPR.
    const QModelIndex spare = window.table().index(20, ChannelTableModel::ColRelNam);
    window.table().setData(spare, QStringLiteral("TPR \u03A912"));
    QApplication::processEvents();
    if (!window.grab().save(arguments[2])) {
        QTextStream(stderr) << "cannot write " << arguments[2] << '\n';
        return 1;
    }
    return 0;
}
