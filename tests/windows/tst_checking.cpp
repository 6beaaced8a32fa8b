// The checks and the card as a checker uses them: the File menu by its keys, the problems
// panel by the mouse.
#include "commands/CheckCommands.h"
#include "support/PanelLines.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"

#include <QTreeWidget>

using Model = ChannelTableModel;

class TestChecking : public QObject, private WindowUnderTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { QVERIFY(openWindow()); }
    void cleanup()
    {
        verifyScriptUsed();
        closeWindow();
    }

    void problemsPanelFollowsEditsAndLeadsToTheCell();
    void verifyCardFindsOneAlteredByte();
    void exportReadsTheCardBack_data();
    void exportReadsTheCardBack();

private:
    QTreeView* problems() const { return &partOf<QTreeView>(*window, "ProblemsList"); }
    QString lastBox() const
    {
        return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text;
    }
};

void TestChecking::problemsPanelFollowsEditsAndLeadsToTheCell()
{
    QCOMPARE(rowsOf(problems()), QStringList());
    enter(0, Model::ColRelNam, "=A1");
    pasteAt(4, Model::ColRelNam, "TPR 1\tBack\nTPR 1\tBack\n");
    QTRY_COMPARE(problems()->model()->rowCount(), 3);
    QCOMPARE(statusText("StatusChecks"), "3 problems");
    QCOMPARE(partOf<QWidget>(*window, "ProblemsPanel").windowTitle(), "Problems (3)");

    // The second relay moved to its other contact is no duplicate.
    pasteAt(5, Model::ColBack, "Front\n");
    QTRY_COMPARE(problems()->model()->rowCount(), 1);
    QTest::keySequence(grid(), QKeySequence::Undo);
    QTRY_COMPARE(rowsOf(problems()).value(2),
                 "AA06\tRelay name\tThe same relay and contact as AA05");

    grid()->setCurrentIndex(cell(0, Model::ColRelNam));
    QVERIFY(!problems()->visibleRegion().isEmpty());
    doubleClickLine(problems(), 2);
    QCOMPARE(grid()->currentIndex(), cell(5, Model::ColRelNam));
    QCOMPARE(QApplication::focusWidget(), grid());
}

// The site exported by Export to ZR415..., then the card's file altered by one byte and
// checked with Verify card....
void TestChecking::verifyCardFindsOneAlteredByte()
{
    const QString card = path("NORTH.dip");
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    QCOMPARE(lastBox(), "Card verified: 384 channels written to " + card);

    QByteArray bytes = readFile(card);
    bytes[16 + 52 * 40] = 'X'; // AB05's name
    writeFile(card, bytes);
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_V);
    QCOMPARE(dialogs->fileRequests().last().title, "Verify card");
    QCOMPARE(dialogs->messages().last().icon, MessageIcon::Exclamation);
    QCOMPARE(lastBox(), card + " differs from the site in 1 place; the first is AB05.");
    QCOMPARE(rowsOf(&partOf<QTreeView>(*window, "DifferencesList")),
             QStringList{"AB05\tRelay name\tSpare AB05\tXpare AB05"});
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
    partOf<CheckCommands>(*window).setCardReader([change](const QString& file, QString& error) {
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
    QCOMPARE(lastBox(), QString(box).replace("{card}", card));
    QCOMPARE(dialogs->messages().last().icon,
             change.isEmpty() ? MessageIcon::Information : MessageIcon::Critical);
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
