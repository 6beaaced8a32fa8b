// An editor for the attacks on its files. With SITE it opens SITE, makes edits and then either
// waits for its recovery copy and for the attack to kill it ("wait"), writes its copy twice,
// printing the status bar's recovery warning after each ("keep"), writes it once and saves the
// site, printing the warning after each ("save"), or exports to CARD, printing the boxes
// ("export CARD").
// With "offer" it offers the copies other editors left, its boxes written to standard error and
// answered Cancel.
// zr415-recovery-editor SITE wait|keep|save|export CARD, zr415-recovery-editor offer
#include "commands/CheckCommands.h"
#include "commands/DocumentCommands.h"
#include "commands/SiteRecovery.h"
#include "common/ConsoleDialogs.h"
#include "document/ChannelTableModel.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSettings.h"
#include "support/WindowParts.h"
#include "windows/FrmDips.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace {

int offerLeftCopies()
{
    ConsoleDialogs console(false);
    Dialogs::install(&console);
    FrmDips window;
    partOf<SiteRecovery>(window).offerLeftCopies();
    Dialogs::install(nullptr);
    return 0;
}

int waitToBeKilled(const SiteRecovery& recovery)
{
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

int runOnSite(const QStringList& arguments)
{
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
    const QString mode = arguments[2];
    if (mode == QLatin1String("keep")) {
        for (int write = 0; write < 2; ++write) {
            recovery.writeNow();
            std::puts(qPrintable(partOf<QLabel>(window, "StatusRecovery").text()));
        }
    } else if (mode == QLatin1String("save")) {
        recovery.writeNow();
        std::puts(qPrintable(partOf<QLabel>(window, "StatusRecovery").text()));
        commands.SaveSite();
        std::puts(qPrintable(partOf<QLabel>(window, "StatusRecovery").text()));
    } else if (mode == QLatin1String("export") && arguments.size() == 4) {
        dialogs.clear();
        dialogs.chooseNext(arguments[3]);
        partOf<CheckCommands>(window).ExportAndVerify();
        std::puts(qPrintable(dialogs.texts().join(u'\n')));
    } else {
        return waitToBeKilled(recovery);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStandardPaths::setTestModeEnabled(true);
    useTestSettings();
    const QStringList arguments = QApplication::arguments();
    if (arguments.value(1) == QLatin1String("offer"))
        return offerLeftCopies();
    return arguments.size() >= 3 ? runOnSite(arguments) : 2;
}
