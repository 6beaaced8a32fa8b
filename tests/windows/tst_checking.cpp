// The card checked by its bytes, as Export to ZR415 reads it back through the read-back seam,
// as a card with bad spots would give it. Verify card's findings are golden cases of the
// converter, which reads the card the same way.
#include "commands/CheckCommands.h"
#include "document/DipFile.h"
#include "support/FingerprintOf.h"
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

    void cardCheckedByBytes_data();
    void cardCheckedByBytes();

private:
    QString lastBox() const
    {
        return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text;
    }
};

void TestChecking::cardCheckedByBytes_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("box");
    const QString differs = "The card does not hold what was written to {card}.\r\n%1\r\n"
                            "Export to the card again, or use another card.";
    QTest::newRow("export, as written") << ""
                                        << "Card verified: 384 channels written to {card}\r\n"
                                           "Fingerprint {fingerprint}.";
    // A byte of the name of AC02 (row 97), of the channel count, of the contact of AH48.
    QTest::newRow("export, a name") << "set 3899 R"
                                    << differs.arg("At channel AC02 the card's relay name is "
                                                   "\"SpaRe AC02\", the site's \"Spare AC02\".");
    QTest::newRow("export, the header")
        << "set 9 \x04"
        << differs.arg("In the header the card's channel count is 1152, the site's 384.");
    QTest::newRow("export, longer")
        << "append 40"
        << differs.arg("The card's file is 40 bytes longer than the site's: it goes on after the "
                       "last channel, AH48.");
    QTest::newRow("export, unreadable") << "unreadable"
                                        << "The card could not be read back to verify it:\r\n"
                                           "{card}\r\nInput/output error";
}

// The card's file as Save writes the site, then what the card gives back through the read-back
// seam: changed by a byte, cut, longer or unreadable.
void TestChecking::cardCheckedByBytes()
{
    QFETCH(QString, change);
    QFETCH(QString, box);
    partOf<CheckCommands>(*window).setCardReader([change](const QString& file, QString& error) {
        QByteArray bytes = readFile(file);
        const QStringList words = change.split(' ');
        if (words[0] == "set")
            bytes[words[1].toInt()] = words[2].toLatin1()[0];
        else if (words[0] == "cut")
            bytes.truncate(words[1].toInt());
        else if (words[0] == "append")
            bytes += QByteArray(words[1].toInt(), '\0');
        else if (words[0] == "unreadable")
            error = "Input/output error";
        return bytes;
    });
    const QString card = path("NORTH.dip");
    writeFile(card, EncodeDipFile(table().rows()));
    dialogs->chooseNext(card);
    fileMenu(Qt::Key_E);
    QCOMPARE(lastBox(), QString(box)
                            .replace("{card}", card)
                            .replace("{fingerprint}", fingerprintOf(readFile(card))));
    QCOMPARE(dialogs->messages().last().icon,
             box.startsWith("Card verified") ? MessageIcon::Information : MessageIcon::Critical);
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
