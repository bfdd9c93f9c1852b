#include "app/BackOffsetSetting.h"

#include "compose/BackPlacement.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace pagula::app
{

namespace
{

const QString KeyX = QStringLiteral("backSide/offsetX");
const QString KeyY = QStringLiteral("backSide/offsetY");

// Tenths of a millimetre: finer than any printer holds its sheets.
double limited(double mm)
{
    if (!std::isfinite(mm))
        return 0.0;
    const double clamped = std::clamp(mm, -compose::MaxBackOffsetMm, compose::MaxBackOffsetMm);
    return std::round(clamped * 10.0) / 10.0;
}

double readNumber(QSettings& store, const QString& key)
{
    bool ok = false;
    const double value = store.value(key, 0.0).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

QPointF limitedBackOffset(QPointF offsetMm)
{
    return {limited(offsetMm.x()), limited(offsetMm.y())};
}

QPointF loadBackOffset(QSettings& store)
{
    return limitedBackOffset({readNumber(store, KeyX), readNumber(store, KeyY)});
}

void saveBackOffset(QSettings& store, QPointF offsetMm)
{
    const QPointF value = limitedBackOffset(offsetMm);
    store.setValue(KeyX, value.x());
    store.setValue(KeyY, value.y());
    store.sync();
}

QPointF storedBackOffset()
{
    QSettings store(QStringLiteral("Pagula"), QStringLiteral("Pagula"));
    return loadBackOffset(store);
}

void storeBackOffset(QPointF offsetMm)
{
    QSettings store(QStringLiteral("Pagula"), QStringLiteral("Pagula"));
    saveBackOffset(store, offsetMm);
}

} // namespace pagula::app
