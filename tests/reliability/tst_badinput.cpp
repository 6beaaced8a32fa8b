// Hostile lists through the editor's own commands: each gives its result and messages, and the
// table stays one the editor can show and save (the selected row count, every Chan cell its
// row's label).
#include "commands/DocumentCommands.h"
#include "common/ChannelLabel.h"
#include "document/ChannelTableModel.h"
#include "document/DirSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void open_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("okAnswers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("relayName");
        QTest::addColumn<bool>("back");
        QTest::newRow("1 MB relay name")
            << "AA01," + QByteArray(1024 * 1024, 'x') + ",Back\r\nAA02,NEXT,F\r\n"
            << 0 << QStringList{"2 channels imported"} << 1 << "NEXT" << false;
        QTest::newRow("only commas")
            << QByteArray(",,,,,,\r\nAA01,TR1,B\r\n") << 1
            << QStringList{"Invalid channel number found on line. \r\n\",,,,,,\"\r\nContinue "
                           "loading?",
                           "1 channels imported"}
            << 0 << "TR1" << true;
        QTest::newRow("NUL bytes, kept in a name")
            << QByteArrayLiteral("AA01,A\0B,B\r\n\0\0\0\r\nAA02,TR2,F\r\n") << 1
            << QStringList{"Not enough fields found in line:-\r\n\"" + QString(3, QChar(0)) +
                               "\"\r\nContinue loading?",
                           "2 channels imported"}
            << 0 << QString("A") + QChar(0) + "B" << true;
    }

    void open()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, okAnswers);
        QFETCH(int, row);
        QTemporaryDir dir;
        writeFile(dir.filePath("bad.csv"), bytes);
        ChannelTableModel table;
        table.replaceRows(DefaultRows(384));
        DirSettings dirs;
        ScriptedDialogs dialogs;
        for (int i = 0; i < okAnswers; ++i)
            dialogs.answerNext(MessageAnswer::Ok);
        DocumentCommands commands(table, dirs);
        commands.openFromOutside(dir.filePath("bad.csv"));

        QCOMPARE(dialogs.unexpectedQuestions(), 0);
        QCOMPARE(dialogs.unusedAnswers(), 0);
        QTEST(dialogs.texts(), "messages");
        QCOMPARE(table.channelCount(), 384);
        for (int r = 0; r < table.rowCount(); ++r)
            QCOMPARE(table.data(table.index(r, ChannelTableModel::ColChan)).toString(),
                     ModFunc::ChannelLabel(r + 1));
        QTEST(table.channel(row).relNam, "relayName");
        QTEST(table.channel(row).back, "back");
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
