// The window icon's sizes must be in the gui library's resources under the names the editor loads.
#include <QImage>
#include <QObject>
#include <QTest>

class TestAppIcon : public QObject
{
    Q_OBJECT

private slots:
    void iconSize_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }

    void iconSize()
    {
        QFETCH(int, size);
        const QImage image(QStringLiteral(":/icons/zr415config-%1.png").arg(size));
        QVERIFY2(!image.isNull(), "not in the resources");
        QCOMPARE(image.size(), QSize(size, size));
        // The rounded tile leaves the corners clear and covers the middle.
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
};

QTEST_GUILESS_MAIN(TestAppIcon)
#include "tst_appicon.moc"
