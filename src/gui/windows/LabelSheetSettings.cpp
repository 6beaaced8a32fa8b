#include "LabelSheetSettings.h"

#include "ModGlobal.h"

#include <cmath>

namespace LabelSheetSettings {

namespace {

const QString kSection = QStringLiteral("LabelSheet");

double readNumber(const QSettings& store, const QString& key, double fallback)
{
    bool ok = false;
    const double value = store.value(key).toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

int readCount(const QSettings& store, const QString& key, int fallback)
{
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

QPageSize::PageSizeId readPaper(const QSettings& store)
{
    const QString key = store.value(QStringLiteral("paper")).toString();
    return key.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0 ? QPageSize::Letter
                                                                          : QPageSize::A4;
}

} // namespace

LabelSheetGrid Load()
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(kSection);
    const LabelSheetGrid d;
    LabelSheetGrid grid;
    grid.paper = readPaper(*store);
    grid.columns = readCount(*store, QStringLiteral("columns"), d.columns);
    grid.rows = readCount(*store, QStringLiteral("rows"), d.rows);
    grid.leftMargin = readNumber(*store, QStringLiteral("leftMargin"), d.leftMargin);
    grid.topMargin = readNumber(*store, QStringLiteral("topMargin"), d.topMargin);
    grid.labelWidth = readNumber(*store, QStringLiteral("labelWidth"), d.labelWidth);
    grid.labelHeight = readNumber(*store, QStringLiteral("labelHeight"), d.labelHeight);
    grid.columnGap = readNumber(*store, QStringLiteral("columnGap"), d.columnGap);
    grid.rowGap = readNumber(*store, QStringLiteral("rowGap"), d.rowGap);
    grid.outlines = readCount(*store, QStringLiteral("outlines"), int(d.outlines)) != 0;
    store->endGroup();
    return grid;
}

// Plain decimal texts, as the window's position is stored.
void Save(const LabelSheetGrid& grid)
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(kSection);
    const auto number = [](double value) { return QString::number(value, 'g', 9); };
    store->setValue(QStringLiteral("paper"), grid.paper == QPageSize::Letter
                                                 ? QStringLiteral("Letter")
                                                 : QStringLiteral("A4"));
    store->setValue(QStringLiteral("columns"), QString::number(grid.columns));
    store->setValue(QStringLiteral("rows"), QString::number(grid.rows));
    store->setValue(QStringLiteral("leftMargin"), number(grid.leftMargin));
    store->setValue(QStringLiteral("topMargin"), number(grid.topMargin));
    store->setValue(QStringLiteral("labelWidth"), number(grid.labelWidth));
    store->setValue(QStringLiteral("labelHeight"), number(grid.labelHeight));
    store->setValue(QStringLiteral("columnGap"), number(grid.columnGap));
    store->setValue(QStringLiteral("rowGap"), number(grid.rowGap));
    store->setValue(QStringLiteral("outlines"), QString::number(int(grid.outlines)));
    store->endGroup();
}

} // namespace LabelSheetSettings
