// A write that fails part-way, as on a full disk, leaves the folder as it was (the old file byte
// for byte, no temporary file), tells the system's reason and keeps the site modified.
#include "commands/DocumentCommands.h"
#include "document/ChannelTableModel.h"
#include "document/DipFile.h"
#include "document/DirSettings.h"
#include "support/GoldenFiles.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemErrors.h"
#include "support/TestFiles.h"
#include "support/WriteFailure.h"

#include <QTemporaryDir>

class TestSaveFailures : public QObject
{
    Q_OBJECT

private slots:
    void writeFailsPartWay_data()
    {
        QTest::addColumn<QString>("file"); // "": Save over the open site's own file
        QTest::addColumn<QString>("message");
        QTest::newRow("Save") << ""
                              << "Error occurred while saving.";
        QTest::newRow("Save As .csv") << "north.csv"
                                      << "Error occurred while saving.";
        QTest::newRow("Save As .cfg") << "DChannel.cfg"
                                      << "Could not save digital channels config file.\r\n{path}";
    }

    void writeFailsPartWay()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        if (WriteFailure::kUnavailable)
            QSKIP(WriteFailure::kUnavailable);
        QTemporaryDir dir;
        const QString path =
            QDir::toNativeSeparators(dir.filePath(file.isEmpty() ? "north.dip" : file));
        // Larger than the limit, so the old bytes cannot pass for what a failed write left.
        writeFile(path, file.isEmpty() ? EncodeDipFile(DefaultRows(384)) : QByteArray(20000, 'o'));
        ChannelTableModel table;
        table.replaceRows(DefaultRows(384));
        DirSettings dirs;
        DocumentCommands commands(table, dirs);
        ScriptedDialogs dialogs;
        if (file.isEmpty()) {
            dialogs.chooseNext(path);
            commands.OpenSite();
            dialogs.clear();
        }
        QVERIFY(table.setData(table.index(0, ChannelTableModel::ColRelNam), "EDITED"));
        const SiteState siteBefore = commands.site();
        const Golden::Tree before = Golden::snapshot(dir.path());
        {
            WriteFailure failure(4096);
            if (file.isEmpty()) {
                QVERIFY(!commands.SaveSite());
            } else {
                // Save As .cfg writes DChannel.cfg beside whatever name was typed, once the
                // user lets it replace the one there.
                dialogs.chooseNext(file.endsWith(".cfg")
                                       ? QDir::toNativeSeparators(dir.filePath("any.cfg"))
                                       : path);
                if (file.endsWith(".cfg"))
                    dialogs.answerNext(MessageAnswer::Yes);
                QVERIFY(!commands.SaveSiteAs());
            }
        }
        Golden::compareTrees(Golden::snapshot(dir.path()), before);
        QStringList boxes{message.replace("{path}", path) + "\r\n" +
                          systemDescription(WriteFailure::error())};
        if (file.endsWith(".cfg"))
            boxes.prepend(QDir::toNativeSeparators(dir.path()) +
                          " already holds a DChannel.cfg. Replace it?");
        QCOMPARE(dialogs.texts(), boxes);
        QVERIFY(commands.isModified());
        QCOMPARE(commands.site().sitePath, siteBefore.sitePath);
    }
};

QTEST_GUILESS_MAIN(TestSaveFailures)
#include "tst_savefailures.moc"
