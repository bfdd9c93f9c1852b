#include "layout/LayoutCheck.h"

#include "layout/CellLimits.h"
#include "layout/LayoutSettings.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pagula::layout
{

namespace
{

constexpr int MaxCount = 15;

// Lengths with at most two decimals, a bound rounded towards the inside of its range.
QString mm(double v)
{
    QString t = QString::number(v, 'f', 2);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

double downTo2(double v)
{
    return std::floor(v * 100.0 + 1e-9) / 100.0;
}

const char* russianName(LayoutSetting s)
{
    switch (s) {
    case LayoutSetting::Columns:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Число столбцов");
    case LayoutSetting::Rows:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Число строк");
    case LayoutSetting::MarginLeft:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Отступ слева");
    case LayoutSetting::MarginRight:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Отступ справа");
    case LayoutSetting::MarginTop:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Отступ сверху");
    case LayoutSetting::MarginBottom:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Отступ снизу");
    case LayoutSetting::CellWidth:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Ширина ячейки");
    case LayoutSetting::CellHeight:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Высота ячейки");
    case LayoutSetting::Gutter:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Отступ для переплета");
    case LayoutSetting::Crop1:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Обрезка профиля 1");
    case LayoutSetting::Crop2:
        return QT_TRANSLATE_NOOP("LayoutCheck", "Обрезка профиля 2");
    }
    return "";
}

struct Problem {
    LayoutSetting setting;
    double value;
    double minimum;
    double maximum;
    bool aboveMinimum; // the value must lie above the minimum, not at it
    QString why;       // English reason
    QString whyRu;     // Russian reason
};

LayoutProblem finish(const Problem& p)
{
    const bool counted = p.setting == LayoutSetting::Columns || p.setting == LayoutSetting::Rows;
    const bool crop = p.setting == LayoutSetting::Crop1 || p.setting == LayoutSetting::Crop2;
    const QString unitRu = counted ? QString()
                           : crop  ? QStringLiteral("%")
                                   : QCoreApplication::translate("LayoutCheck", " мм");
    const QString unitEn = counted ? QString()
                           : crop  ? QStringLiteral("%")
                                   : QCoreApplication::translate("LayoutOption", " мм");
    const QString range =
        p.aboveMinimum
            ? QCoreApplication::translate("LayoutOption", "больше %1%3, но не больше %2%3")
                  .arg(mm(p.minimum), mm(p.maximum), unitEn)
            : QCoreApplication::translate("LayoutOption", "от %1 до %2%3")
                  .arg(mm(p.minimum), mm(p.maximum), unitEn);
    const QString rangeRu =
        p.aboveMinimum ? QCoreApplication::translate("LayoutCheck", "больше %1%3 и не больше %2%3")
                             .arg(mm(p.minimum), mm(p.maximum), unitRu)
                       : QCoreApplication::translate("LayoutCheck", "от %1 до %2%3")
                             .arg(mm(p.minimum), mm(p.maximum), unitRu);
    LayoutProblem out{p.setting, p.value, p.minimum, p.maximum, {}, {}};
    out.userMessage = QCoreApplication::translate("LayoutCheck", "%1: %2%3 — %4. Допустимо %5.")
                          .arg(QCoreApplication::translate("LayoutCheck", russianName(p.setting)),
                               mm(p.value), unitRu, p.whyRu, rangeRu);
    // A crop is two numbers; its reason names their sum.
    const QString shown =
        crop ? QStringLiteral("--") + layoutOptionName(p.setting)
             : QStringLiteral("--%1 %2").arg(layoutOptionName(p.setting), mm(p.value));
    out.optionMessage = QCoreApplication::translate("LayoutOption", "%1: %2; допустимо %3")
                            .arg(shown, p.why, range);
    return out;
}

std::optional<Problem> checkCount(LayoutSetting s, int count)
{
    if (count >= 1 && count <= MaxCount)
        return std::nullopt;
    return Problem{s,
                   double(count),
                   1,
                   MaxCount,
                   false,
                   QCoreApplication::translate("LayoutOption", "недопустимое число"),
                   QCoreApplication::translate("LayoutCheck", "недопустимое число")};
}

// Two margins across the page: one below zero puts cells off the page; together they must
// leave room, and the larger one is blamed when they do not.
std::optional<Problem> checkMargins(LayoutSetting before, int marginBefore, LayoutSetting after,
                                    int marginAfter, int pageLength)
{
    const auto most = [&](int opposite) { return double(pageLength) - std::max(opposite, 0) - 1; };
    if (marginBefore < 0 || marginAfter < 0) {
        const bool first = marginBefore < 0;
        return Problem{first ? before : after,
                       double(first ? marginBefore : marginAfter),
                       0,
                       most(first ? marginAfter : marginBefore),
                       false,
                       QCoreApplication::translate("LayoutOption", "ячейки выходят за край листа"),
                       QCoreApplication::translate("LayoutCheck", "ячейки выйдут за край листа")};
    }
    if (std::int64_t(marginBefore) + marginAfter < pageLength)
        return std::nullopt;
    const bool first = marginBefore >= marginAfter;
    return Problem{
        first ? before : after,
        double(first ? marginBefore : marginAfter),
        0,
        most(first ? marginAfter : marginBefore),
        false,
        QCoreApplication::translate("LayoutOption", "на листе не остаётся места для ячеек"),
        QCoreApplication::translate("LayoutCheck", "на листе не остается места для ячеек")};
}

// A cell length against the largest that fits and the binding strip across it (0 if none).
std::optional<Problem> checkCell(LayoutSetting cell, double size, double maximum, int strip)
{
    const bool wide = cell == LayoutSetting::CellWidth;
    if (strip > 0 && maximum <= strip)
        return Problem{LayoutSetting::Gutter,
                       double(strip),
                       0,
                       std::ceil(maximum) - 1,
                       false,
                       (wide ? QCoreApplication::translate(
                                   "LayoutOption",
                                   "на рисунок не остаётся места: самая широкая ячейка — %1 мм")
                             : QCoreApplication::translate(
                                   "LayoutOption",
                                   "на рисунок не остаётся места: самая высокая ячейка — %1 мм"))
                           .arg(mm(maximum)),
                       QCoreApplication::translate(
                           "LayoutCheck", "на рисунок не остается места: ячейка не больше %1 мм")
                           .arg(mm(maximum))};
    if (!std::isfinite(size) || size <= strip)
        return Problem{
            cell,
            std::isfinite(size) ? size : 0.0,
            double(strip),
            downTo2(maximum),
            true,
            strip > 0
                ? QCoreApplication::translate(
                      "LayoutOption",
                      "не оставляет места для рисунка рядом с отступом для переплёта %1 мм")
                      .arg(strip)
                : QCoreApplication::translate("LayoutOption", "не оставляет места для рисунка"),
            strip > 0
                ? QCoreApplication::translate("LayoutCheck",
                                              "рядом с отступом для переплета (%1 мм) не "
                                              "остается места для рисунка")
                      .arg(strip)
                : QCoreApplication::translate("LayoutCheck", "для рисунка не остается места")};
    return std::nullopt;
}

std::optional<Problem> checkCrop(LayoutSetting s, const LayoutCrop& c)
{
    const int across = c.left + c.right;
    const int down = c.top + c.bottom;
    if (across < 100 && down < 100)
        return std::nullopt;
    const bool width = across >= 100;
    return Problem{s,
                   double(width ? across : down),
                   0,
                   99,
                   false,
                   (width ? QCoreApplication::translate("LayoutOption",
                                                        "обрезает всю ширину: слева + справа = %1%")
                          : QCoreApplication::translate(
                                "LayoutOption", "обрезает всю высоту: сверху + снизу = %1%"))
                       .arg(width ? across : down),
                   width ? QCoreApplication::translate(
                               "LayoutCheck", "от рисунка не остается ничего (слева + справа)")
                         : QCoreApplication::translate(
                               "LayoutCheck", "от рисунка не остается ничего (сверху + снизу)")};
}

} // namespace

std::optional<LayoutProblem> checkLayout(const LayoutInput& in)
{
    const bool stripAcross = in.gutterSize > 0 && (in.gutterSide == GutterSide::Left ||
                                                   in.gutterSide == GutterSide::Right);
    const bool stripDown = in.gutterSize > 0 && (in.gutterSide == GutterSide::Top ||
                                                 in.gutterSide == GutterSide::Bottom);
    std::optional<Problem> p = checkCount(LayoutSetting::Columns, in.columns);
    if (!p)
        p = checkCount(LayoutSetting::Rows, in.rows);
    if (!p)
        p = checkMargins(LayoutSetting::MarginLeft, in.marginLeft, LayoutSetting::MarginRight,
                         in.marginRight, kPageWidthMm);
    if (!p)
        p = checkMargins(LayoutSetting::MarginTop, in.marginTop, LayoutSetting::MarginBottom,
                         in.marginBottom, kPageHeightMm);
    if (!p && in.gutterSize < 0)
        p = Problem{LayoutSetting::Gutter,
                    double(in.gutterSize),
                    0,
                    30,
                    false,
                    QCoreApplication::translate("LayoutOption", "меньше нуля"),
                    QCoreApplication::translate("LayoutCheck", "меньше нуля")};
    if (!p)
        p = checkCell(LayoutSetting::CellWidth, in.cellWidth,
                      maxCellSize(kPageWidthMm, in.marginLeft, in.marginRight, in.columns),
                      stripAcross ? in.gutterSize : 0);
    if (!p)
        p = checkCell(LayoutSetting::CellHeight, in.cellHeight,
                      maxCellSize(kPageHeightMm, in.marginTop, in.marginBottom, in.rows),
                      stripDown ? in.gutterSize : 0);
    if (!p && in.crop1Used)
        p = checkCrop(LayoutSetting::Crop1, in.crop1);
    if (!p && in.crop2Used)
        p = checkCrop(LayoutSetting::Crop2, in.crop2);
    if (!p)
        return std::nullopt;
    return finish(*p);
}

QString layoutOptionName(LayoutSetting s)
{
    switch (s) {
    case LayoutSetting::Columns:
        return QStringLiteral("columns");
    case LayoutSetting::Rows:
        return QStringLiteral("rows");
    case LayoutSetting::MarginLeft:
        return QStringLiteral("margin-left");
    case LayoutSetting::MarginRight:
        return QStringLiteral("margin-right");
    case LayoutSetting::MarginTop:
        return QStringLiteral("margin-top");
    case LayoutSetting::MarginBottom:
        return QStringLiteral("margin-bottom");
    case LayoutSetting::CellWidth:
        return QStringLiteral("cell-width");
    case LayoutSetting::CellHeight:
        return QStringLiteral("cell-height");
    case LayoutSetting::Gutter:
        return QStringLiteral("gutter");
    case LayoutSetting::Crop1:
        return QStringLiteral("crop1");
    case LayoutSetting::Crop2:
        return QStringLiteral("crop2");
    }
    return {};
}

} // namespace pagula::layout
