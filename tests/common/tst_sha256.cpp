#include "checks/Sha256.h"

#include <QCryptographicHash>
#include <QTest>

class TestSha256 : public QObject
{
    Q_OBJECT

private slots:
    // Qt's own digest as the reference, at every length where the padding takes one block or
    // two, and over many blocks.
    void sameDigestAsQtAtEveryLength()
    {
        for (const int size : {0, 1, 3, 55, 56, 57, 63, 64, 65, 119, 120, 128, 61456, 61457}) {
            QByteArray bytes(size, Qt::Uninitialized);
            for (int i = 0; i < size; ++i)
                bytes[i] = char(i * 31 + size);
            QCOMPARE(Sha256::hash(bytes).toHex(),
                     QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        }
    }
};

QTEST_GUILESS_MAIN(TestSha256)
#include "tst_sha256.moc"
