// The main window's stored position and height: a stored text that is not a number gives the
// default (top 500, left 500, height 9375 twips) instead of a window at 0 or of no height.
#include "support/TestSettings.h"
#include "windows/FormSizeSettings.h"
#include "windows/ModGlobal.h"
#include "windows/Twips.h"
#include "windows/WindowGeometry.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestStoredGeometry : public QObject
{
    Q_OBJECT

private slots:
    void init() { ModGlobal::OpenSettingsStore()->clear(); }

    void initTestCase()
    {
        // The store lies in a temporary folder, never among the user's settings.
        useTestSettings();
        QVERIFY(ModGlobal::OpenSettingsStore()->fileName().startsWith(QDir::tempPath()));
    }

    void storedTexts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("size"); // top, left, height
        const QList<double> defaults{500, 500, 9375};
        const auto row = [](const char* name, const char* key, const char* text,
                            QList<double> size) {
            QTest::newRow(name) << QString(key) << QString(text) << size;
        };
        row("nothing stored", "", "", defaults);
        row("number with blanks", "top", " 1200 ", {1200, 500, 9375});
        row("fraction", "left", "567.5", {500, 567.5, 9375});
        row("trailing word", "top", "12px", defaults);
        row("infinite", "left", "inf", defaults);
        row("not a number", "height", "nan", defaults);
    }

    void storedTexts()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        if (!key.isEmpty())
            ModGlobal::OpenSettingsStore()->setValue("FormSize/" + key, text);
        const FormSize size = LoadFormSize();
        QTEST((QList<double>{size.top, size.left, size.height}), "size");
    }

    void windowPlaced_data()
    {
        QTest::addColumn<QStringList>("texts"); // top, left, height
        QTest::addColumn<bool>("onScreen");
        QTest::addColumn<int>("heightTwips");
        QTest::newRow("texts that are no numbers")
            << QStringList{"x", "", "12 rows"} << true << 9375;
        // A screen that is no longer attached would hide the window.
        QTest::newRow("position on no screen")
            << QStringList{"-99999", "-99999", "6000"} << false << 6000;
    }

    // The window a start shows: at the default place, or on the primary screen when the stored
    // place is on none.
    void windowPlaced()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, onScreen);
        QFETCH(int, heightTwips);
        const auto store = ModGlobal::OpenSettingsStore();
        store->setValue("FormSize/top", texts[0]);
        store->setValue("FormSize/left", texts[1]);
        store->setValue("FormSize/height", texts[2]);
        QWidget window;
        WindowGeometry geometry(window);
        geometry.placeFromSettings();
        const QPoint defaultPlace(Twips::toPixelsX(500), Twips::toPixelsY(500));
        QVERIFY(QGuiApplication::screenAt(defaultPlace));
        QCOMPARE(window.pos(),
                 onScreen ? defaultPlace
                          : QGuiApplication::primaryScreen()->availableGeometry().topLeft());
        QCOMPARE(window.height(), Twips::toPixelsY(heightTwips));
    }
};

QTEST_MAIN(TestStoredGeometry)
#include "tst_storedgeometry.moc"
