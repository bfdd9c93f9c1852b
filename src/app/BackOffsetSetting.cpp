#include "app/BackOffsetSetting.h"

#include "compose/BackPlacement.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

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

// The settings file holds two numbers. QSettings reads a file whole before answering, so a large
// file in its place (or a FIFO, which would never end) would hold up the window.
constexpr qint64 maxSettingsBytes = 64 * 1024;

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pagula/Pagula.conf");
}

// Why what is at path cannot be the settings file; empty when it can, or when nothing is there.
QString notSettings(const QString& path, bool* regular)
{
    struct stat st {
    };
    *regular = false;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    *regular = S_ISREG(st.st_mode);
    if (!*regular)
        return QStringLiteral("it is not a regular file");
    if (st.st_size > maxSettingsBytes)
        return QStringLiteral("it is larger than %1 KiB").arg(maxSettingsBytes / 1024);
    return {};
}

void noteIgnored(const QString& path, const QString& why)
{
    qWarning("%s",
             qPrintable(QStringLiteral("The settings file %1 is ignored: %2").arg(path, why)));
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
    const QString path = settingsPath();
    bool regular = false;
    if (const QString why = notSettings(path, &regular); !why.isEmpty()) {
        noteIgnored(path, why);
        return {};
    }
    QSettings store(path, QSettings::IniFormat);
    return loadBackOffset(store);
}

void storeBackOffset(QPointF offsetMm)
{
    const QString path = settingsPath();
    bool regular = false;
    if (const QString why = notSettings(path, &regular); !why.isEmpty()) {
        // A file too large to be ours is replaced by the settings; anything else stays.
        if (!regular || !QFile::remove(path)) {
            noteIgnored(path, why);
            return;
        }
    }
    QSettings store(path, QSettings::IniFormat);
    saveBackOffset(store, offsetMm);
}

} // namespace pagula::app
