// An editor for the recovery test: opens SITE, makes edits and then either waits for its
// recovery copy and for the test to kill it ("wait"), or closes, giving the edits up ("close").
// zr415-recovery-editor SITE wait|close
#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSettings.h"
#include "support/WindowParts.h"
#include "windows/FrmDips.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStandardPaths::setTestModeEnabled(true);
    useTestSettings();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    ScriptedDialogs dialogs;
    FrmDips window;
    window.show();
    dialogs.chooseNext(arguments[1]);
    auto& commands = partOf<DocumentCommands>(window);
    auto& recovery = partOf<SiteRecovery>(window);
    commands.OpenSite();
    auto& table = partOf<ChannelTableModel>(window);
    table.setData(table.index(0, ChannelTableModel::ColRelNam), QStringLiteral("RECOVER ME"));
    table.setData(table.index(5, ChannelTableModel::ColBack), Qt::Checked, Qt::CheckStateRole);
    commands.ChangeChannelCount(1);
    if (arguments[2] == QLatin1String("close")) {
        dialogs.answerNext(MessageAnswer::No);
        window.close();
        std::puts("CLOSED");
        return 0;
    }
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!QFile::exists(recovery.copyPath()))
            return;
        poll.stop();
        std::printf("READY %s\n", qPrintable(recovery.copyPath()));
        std::fflush(stdout);
    });
    poll.start(50);
    return QApplication::exec();
}
