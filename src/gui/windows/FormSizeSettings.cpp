#include "FormSizeSettings.h"

#include "ModGlobal.h"

#include <cmath>

namespace {

double readNumber(QSettings& store, const QString& key, double fallback)
{
    bool ok = false;
    const double value = store.value(key).toString().trimmed().toFloat(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 9);
}

} // namespace

FormSize LoadFormSize()
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(QStringLiteral("FormSize"));
    FormSize size;
    size.top = readNumber(*store, QStringLiteral("top"), FormSize::kDefaultTop);
    size.left = readNumber(*store, QStringLiteral("left"), FormSize::kDefaultLeft);
    size.height = readNumber(*store, QStringLiteral("height"), FormSize::kDefaultHeight);
    store->endGroup();
    return size;
}

void SaveFormSize(const FormSize& size)
{
    const auto store = ModGlobal::OpenSettingsStore();
    store->beginGroup(QStringLiteral("FormSize"));
    store->setValue(QStringLiteral("top"), numberText(size.top));
    store->setValue(QStringLiteral("left"), numberText(size.left));
    store->setValue(QStringLiteral("height"), numberText(size.height));
    store->endGroup();
}
