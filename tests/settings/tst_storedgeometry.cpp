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
        QTest::newRow("texts that are no numbers") << QStringList{"x", "", "12 rows"} << true;
        QTest::newRow("nothing stored") << QStringList{} << true;
        // A screen that is no longer attached would hide the window.
        QTest::newRow("position on no screen") << QStringList{"-99999", "-99999", "6000"} << false;
        QTest::newRow("height beyond any screen") << QStringList{"500", "500", "1e9"} << true;
        QTest::newRow("bottom below the screen") << QStringList{"3000", "500", "7500"} << true;
    }

    // The window a start shows: at the stored place, or on the primary screen when the stored
    // place is on none; as high as stored where the screen has the room, never beyond it.
    void windowPlaced()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, onScreen);
        const auto store = ModGlobal::OpenSettingsStore();
        const QStringList keys{"top", "left", "height"};
        for (qsizetype i = 0; i < texts.size(); ++i)
            store->setValue("FormSize/" + keys[i], texts[i]);
        const FormSize stored = LoadFormSize();
        QWidget window;
        WindowGeometry geometry(window);
        geometry.placeFromSettings();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint place(Twips::toPixelsX(stored.left), Twips::toPixelsY(stored.top));
        QCOMPARE(window.x(), onScreen ? place.x() : area.left());
        QVERIFY(window.y() >= area.top());
        QVERIFY2(window.geometry().bottom() <= area.bottom(),
                 qPrintable(QString("%1 > %2").arg(window.geometry().bottom()).arg(area.bottom())));
        const int storedHeight = Twips::toPixelsY(stored.height);
        if (onScreen && place.y() >= area.top() && place.y() + storedHeight <= area.bottom() + 1)
            QCOMPARE(window.geometry(), QRect(place, QSize(window.width(), storedHeight)));
    }
};

QTEST_MAIN(TestStoredGeometry)
#include "tst_storedgeometry.moc"
