// The card checked by its bytes, as Export to ZR415 and Verify card read it back through the
// read-back seam, as a card with bad spots would give it.
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
    QTest::addColumn<char>("menuKey"); // E: Export to ZR415..., V: Verify card...
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("box");
    const QString differs = "The card does not hold what was written to {card}.\r\n%1\r\n"
                            "Export to the card again, or use another card.";
    QTest::newRow("export, as written") << 'E' << ""
                                        << "Card verified: 384 channels written to {card}\r\n"
                                           "Fingerprint {fingerprint}.";
    // A byte of the name of AC02 (row 97), of the channel count, of the contact of AH48.
    QTest::newRow("export, a name") << 'E' << "set 3899 R"
                                    << differs.arg("At channel AC02 the card's relay name is "
                                                   "\"SpaRe AC02\", the site's \"Spare AC02\".");
    QTest::newRow("export, the header")
        << 'E' << "set 9 \x04"
        << differs.arg("In the header the card's channel count is 1152, the site's 384.");
    QTest::newRow("export, longer")
        << 'E' << "append 40"
        << differs.arg("The card's file is 40 bytes longer than the site's: it goes on after the "
                       "last channel, AH48.");
    QTest::newRow("export, unreadable") << 'E' << "unreadable"
                                        << "The card could not be read back to verify it:\r\n"
                                           "{card}\r\nInput/output error";
    const QString verifyDiffers = "{card} differs from the site.\r\n%1";
    QTest::newRow("verify, as written")
        << 'V' << ""
        << "Card verified: 384 channels in {card} match the site.\r\n"
           "Fingerprint {fingerprint}.";
    // What reading the card as a site took for spares, or read past.
    QTest::newRow("verify, cut to half")
        << 'V' << "cut 7696"
        << verifyDiffers.arg("The card's file is 7680 bytes shorter than the site's: channels "
                             "AE01 to AH48 are missing.");
    QTest::newRow("verify, cut by 20 bytes")
        << 'V' << "cut 15356"
        << verifyDiffers.arg("The card's file is 20 bytes shorter than the site's: channel AH48 "
                             "is missing.");
    QTest::newRow("verify, flag byte 02")
        << 'V' << "set 193 \x02"
        << verifyDiffers.arg("At channel AA05 the card's back-contact flag is 2, the site's 0.");
    QTest::newRow("verify, reserved header byte")
        << 'V' << "set 12 \x01"
        << verifyDiffers.arg("In the header the card's reserved field is 00000001, the site's "
                             "00000000.");
    QTest::newRow("verify, reserved record byte")
        << 'V' << "set 126 \x07"
        << verifyDiffers.arg("At channel AA03 the card's byte 30 of the record is 07, the "
                             "site's 00.");
    QTest::newRow("verify, unreadable") << 'V' << "unreadable"
                                        << "The card's file could not be read to verify it:\r\n"
                                           "{card}\r\nInput/output error";
}

// The card's file as Save writes the site, then what the card gives back through the read-back
// seam: changed by a byte, cut, longer or unreadable.
void TestChecking::cardCheckedByBytes()
{
    QFETCH(char, menuKey);
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
    fileMenu(Qt::Key(menuKey));
    QCOMPARE(lastBox(), QString(box)
                            .replace("{card}", card)
                            .replace("{fingerprint}", fingerprintOf(readFile(card))));
    const MessageIcon failure = menuKey == 'E' ? MessageIcon::Critical : MessageIcon::Exclamation;
    QCOMPARE(dialogs->messages().last().icon,
             box.startsWith("Card verified") ? MessageIcon::Information : failure);
}

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
