// Export to ZR415 reads the card back: what the card gives back comes through the read-back
// seam, as a card with bad spots would give it.
#include "commands/CheckCommands.h"
#include "support/TestFiles.h"
#include "support/WindowUnderTest.h"

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

    void exportReadsTheCardBack_data();
    void exportReadsTheCardBack();

private:
    QString lastBox() const
    {
        return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text;
    }
};

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
