// The checks and the card as a checker uses them: the File menu by its keys, the problems
// panel by the mouse, every file dialog answered by the script.
#include "commands/CheckCommands.h"
#include "common/ChannelLabel.h"
#include "support/DipBytes.h"
#include "support/PanelLines.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"
#include "windows/CheckPanels.h"
#include "windows/DifferencesPanel.h"
#include "windows/ProblemsPanel.h"

#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>

using Model = ChannelTableModel;

class TestChecking : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    }
    void init()
    {
        QVERIFY(dir.isValid());
        QVERIFY(openWindow());
    }
    void cleanup()
    {
        verifyScriptUsed();
        closeWindow();
    }

    void problemsPanelFollowsEdits();
    void doubleClickOnAProblemSelectsItsCell();
    void verifyCardFindsOneAlteredByte();
    void exportReadsTheCardBack_data();
    void exportReadsTheCardBack();

private:
    QString path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    QString checksText() const { return window->findChild<QLabel*>("StatusChecks")->text(); }
    QTreeView* differences() const { return window->panels().differences()->list(); }
    QTreeView* problems() const { return window->panels().problems()->list(); }
    QString lastBox() const
    {
        return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text;
    }

    QTemporaryDir dir;
};

void TestChecking::problemsPanelFollowsEdits()
{
    QCOMPARE(rowsOf(problems()), QStringList());
    QCOMPARE(checksText(), "0 problems");
    enter(0, Model::ColRelNam, "=A1");
    const QString formula = "AA01\tRelay name\tBegins with \"=\": a spreadsheet may take it for a "
                            "formula";
    QTRY_COMPARE(rowsOf(problems()), QStringList{formula});
    QCOMPARE(checksText(), "1 problem");
    QCOMPARE(window->panels().problems()->windowTitle(), "Problems (1)");

    pasteAt(4, Model::ColRelNam, "TPR 1\tBack\nTPR 1\tBack\n\u03a9 RELAY\tFront\n");
    const QStringList all{formula, "AA05\tRelay name\tThe same relay and contact as AA06",
                          "AA06\tRelay name\tThe same relay and contact as AA05",
                          "AA07\tRelay name\tHolds characters the channel file writes as \"?\""};
    QTRY_COMPARE(rowsOf(problems()), all);
    QCOMPARE(checksText(), "4 problems");

    // The second relay moved to its other contact is no duplicate.
    pasteAt(5, Model::ColBack, "Front\n");
    QTRY_COMPARE(rowsOf(problems()), (QStringList{all[0], all[3]}));
    QTest::keySequence(grid(), QKeySequence::Undo);
    QTRY_COMPARE(rowsOf(problems()), all);
}

void TestChecking::doubleClickOnAProblemSelectsItsCell()
{
    pasteAt(20, Model::ColStUp, "\n");
    QTRY_COMPARE(rowsOf(problems()), QStringList{"AA21\tState up\tEmpty"});
    grid()->setCurrentIndex(cell(0, Model::ColRelNam));
    QVERIFY(!problems()->visibleRegion().isEmpty());
    doubleClickLine(problems(), 0);
    QCOMPARE(grid()->currentIndex(), cell(20, Model::ColStUp));
    QCOMPARE(QApplication::focusWidget(), grid());
}

// The site exported by Export to ZR415..., then the card's file checked with Verify card...,
// as it was written and with one byte altered.
void TestChecking::verifyCardFindsOneAlteredByte()
{
    enter(0, Model::ColRelNam, "TPR 1");
    enter(2, Model::ColStUp, "ON");
    const QString card = path("card/NORTH.dip");
    QVERIFY(QDir().mkpath(dir.filePath("card")));
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    QCOMPARE(lastBox(), "Card verified: 384 channels written to " + card);

    dialogs->chooseNext(card);
    fileMenu(Qt::Key_V);
    QCOMPARE(dialogs->fileRequests().last().title, "Verify card");
    QCOMPARE(lastBox(), "Card verified: 384 channels in " + card + " match the site.");

    QByteArray bytes = readFile(card);
    const int row = 52; // AB05
    bytes[16 + row * 40] = 'X';
    writeFile(card, bytes);
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_V);
    const MessageRequest box = dialogs->messages().last();
    QCOMPARE(box.text, card + " differs from the site in 1 place; the first is AB05.");
    QCOMPARE(box.icon, MessageIcon::Exclamation);
    QCOMPARE(rowsOf(differences()), QStringList{"AB05\tRelay name\tSpare AB05\tXpare AB05"});
    QCOMPARE(table().data(cell(row, Model::ColRelNam), Model::OtherValueRole).toString(),
             "Xpare AB05");
}

void TestChecking::exportReadsTheCardBack_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("box");
    const QString differs = "The card does not hold what was written to {card}: %1 differs.\r\n"
                            "Export to the card again, or use another card.";
    QTest::newRow("as written") << ""
                                << "Card verified: 384 channels written to {card}";
    // A byte of the name of AC02 (row 97), of the channel count, of the contact of AH48.
    QTest::newRow("a record") << "byte 3899" << differs.arg("channel AC02");
    QTest::newRow("the header") << "byte 9" << differs.arg("the header");
    QTest::newRow("the last record") << "byte 15353" << differs.arg("channel AH48");
    // The card ends after AE08 (200 records).
    QTest::newRow("shorter") << "cut 8016" << differs.arg("channel AE09");
    QTest::newRow("longer") << "longer" << differs.arg("the length of the file");
    QTest::newRow("unreadable") << "unreadable"
                                << "The card could not be read back to verify it:\r\n{card}\r\n"
                                   "Input/output error";
}

// What the card gives back comes through the read-back seam.
void TestChecking::exportReadsTheCardBack()
{
    QFETCH(QString, change);
    QFETCH(QString, box);
    window->checks().setCardReader([change](const QString& file, QString& error) {
        QByteArray bytes = readFile(file);
        const QStringList words = change.split(' ');
        if (words[0] == "byte")
            bytes[words[1].toInt()] = char(bytes[words[1].toInt()] ^ 0x20);
        else if (words[0] == "cut")
            bytes.truncate(words[1].toInt());
        else if (words[0] == "longer")
            bytes += QByteArray(40, '\0');
        else if (words[0] == "unreadable")
            error = "Input/output error";
        return bytes;
    });
    const QString card = path("NORTH.dip");
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    const MessageRequest shown = dialogs->messages().last();
    QCOMPARE(shown.text, QString(box).replace("{card}", card));
    QCOMPARE(shown.icon, change.isEmpty() ? MessageIcon::Information : MessageIcon::Critical);
    // The new site's default channels, as written whatever the card gave back.
    QList<DipChannel> spares;
    for (int channel = 1; channel <= 384; ++channel)
        spares.append({"Spare " + ModFunc::ChannelLabel(channel).toLatin1()});
    QCOMPARE(readFile(card), dipBytes(spares));
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
