#include "windows/WindowHelpers.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QTest>

class TestWindowHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void centreFormPlacesTheWindow_data();
    void centreFormPlacesTheWindow();
    void selectedItemDataIsTheSelectedNumber();

private:
    QRect screen_;
};

void TestWindowHelpers::initTestCase()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    // The cases below count 15 twips to the pixel.
    QCOMPARE(screen->logicalDotsPerInchX(), 96.0);
    QCOMPARE(screen->logicalDotsPerInchY(), 96.0);
    screen_ = screen->geometry();
}

void TestWindowHelpers::centreFormPlacesTheWindow_data()
{
    QTest::addColumn<int>("widthLess"); // the window's size: the screen's less these pixels
    QTest::addColumn<int>("heightLess");
    QTest::addColumn<QPoint>("offset"); // from the screen's top-left corner
    QTest::newRow("centred") << 400 << 300 << QPoint(200, 150);
    QTest::newRow("wider than the screen") << -300 << 100 << QPoint(0, 50);
    QTest::newRow("taller than the screen") << 60 << -200 << QPoint(30, 0);
    // 3 pixels are 45 twips; half of them, 22.5, goes to 22 (even), which is 1 pixel.
    QTest::newRow("halves to even, down") << 3 << 3 << QPoint(1, 1);
    // 5 pixels are 75 twips; 37.5 goes to 38, which is 3 pixels.
    QTest::newRow("halves to even, up") << 5 << 5 << QPoint(3, 3);
}

void TestWindowHelpers::centreFormPlacesTheWindow()
{
    QFETCH(int, widthLess);
    QFETCH(int, heightLess);
    QFETCH(QPoint, offset);
    QWidget window;
    window.resize(screen_.width() - widthLess, screen_.height() - heightLess);
    window.move(17, 23);
    const QSize size = window.size();
    ModFunc::CentreForm(&window);
    QCOMPARE(window.pos(), screen_.topLeft() + offset);
    QCOMPARE(window.size(), size);
}

void TestWindowHelpers::selectedItemDataIsTheSelectedNumber()
{
    QListWidget list;
    list.addItem("text data");
    list.item(0)->setData(Qt::UserRole, "not a number");
    list.addItem("numbered");
    list.item(1)->setData(Qt::UserRole, 7);
    QCOMPARE(ModFunc::SelectedItemData(list), 0);
    list.setCurrentRow(0);
    QCOMPARE(ModFunc::SelectedItemData(list), 0);
    list.setCurrentRow(1);
    QCOMPARE(ModFunc::SelectedItemData(list), 7);
    // The current entry no longer counts once it is not selected.
    list.clearSelection();
    QCOMPARE(ModFunc::SelectedItemData(list), 0);
    QComboBox combo;
    combo.addItem("numbered", 12);
    QCOMPARE(ModFunc::SelectedItemData(combo), 12);
    combo.setCurrentIndex(-1);
    QCOMPARE(ModFunc::SelectedItemData(combo), 0);
}

QTEST_MAIN(TestWindowHelpers)
#include "tst_windowhelpers.moc"
