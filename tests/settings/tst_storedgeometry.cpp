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

    // A text that is no number leaves that key's default (top 500, left 500, height 9375).
    void windowPlaced_data()
    {
        QTest::addColumn<QStringList>("texts"); // top, left, height
        QTest::addColumn<QList<double>>("read");
        QTest::addColumn<bool>("onScreen");
        const auto row = [](const char* name, QStringList texts, QList<double> read, bool on) {
            QTest::newRow(name) << texts << read << on;
        };
        row("nothing stored", {}, {500, 500, 9375}, true);
        row("texts that are no numbers", {"12px", "inf", "nan"}, {500, 500, 9375}, true);
        row("blanks, a fraction, nothing", {" 1200 ", "567.5", ""}, {1200, 567.5, 9375}, true);
        // A screen that is no longer attached would hide the window.
        row("position on no screen", {"-99999", "-99999", "6000"}, {-99999, -99999, 6000}, false);
        row("height beyond any screen", {"500", "500", "1e9"}, {500, 500, 1e9}, true);
        row("bottom below the screen", {"3000", "500", "7500"}, {3000, 500, 7500}, true);
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
        QTEST((QList<double>{stored.top, stored.left, stored.height}), "read");
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
