#include "widgets/GradientButtonPainter.h"

#include "widgets/CaptionLayout.h"
#include "widgets/FrameRings.h"
#include "widgets/GradientBands.h"
#include "widgets/SymbolCaption.h"

#include <QFontMetrics>
#include <QPainter>

namespace pagula::widgets
{

namespace
{

void paintGradient(QPainter& p, const GradientButtonLook& look)
{
    p.setPen(Qt::NoPen);
    forEachGradientBand(look.gradientStyle, look.size, look.beginColor, look.endColor,
                        [&p](const GradientBand& band) {
                            const QColor color(band.color);
                            if (!band.ellipse) {
                                p.fillRect(band.box.toRect(), color);
                                return;
                            }
                            if (band.box.isEmpty())
                                return;
                            p.setBrush(color);
                            p.drawEllipse(QRectF(band.box.left, band.box.top,
                                                 band.box.right - band.box.left,
                                                 band.box.bottom - band.box.top));
                        });
    p.setBrush(Qt::NoBrush);
}

void paintFrame(QPainter& p, const GradientButtonLook& look)
{
    const QColor& top = look.buttonUp ? look.frameLight : look.frameShadow;
    const QColor& bottom = look.buttonUp ? look.frameShadow : look.frameLight;
    for (const FrameLine& line : frameRingLines(look.size, look.frameSize))
        p.fillRect(line.pixels, line.topColor ? top : bottom);
}

Qt::Alignment alignmentOf(Justification j)
{
    switch (j) {
    case Justification::Left:
        return Qt::AlignLeft;
    case Justification::Right:
        return Qt::AlignRight;
    case Justification::Center:
        break;
    }
    return Qt::AlignHCenter;
}

void paintCaption(QPainter& p, const GradientButtonLook& look)
{
    if (look.caption.isEmpty())
        return;
    const bool symbols = drawsSymbolsItself(p.font());
    const QString shown = displayText(look.caption);
    const QFontMetrics metrics(p.font());
    // TW is the marker-free text measured as plain text, TH the font's line height.
    const QSize textSize = symbols ? symbolCaptionSize(p.font(), shown)
                                   : QSize(metrics.horizontalAdvance(shown), metrics.height());
    const QPoint origin =
        captionOrigin(look.size, textSize, look.justification, look.buttonUp ? 0 : 1);
    const int flags = int(alignmentOf(look.justification)) | Qt::AlignTop | Qt::TextSingleLine |
                      Qt::TextShowMnemonic;
    for (const CaptionPass& pass :
         captionPasses(look.textStyle, look.textShadeType, look.enabled)) {
        QColor color;
        switch (pass.role) {
        case CaptionPass::Face:
            color = look.enabled ? look.faceColor : look.disabledColor;
            break;
        case CaptionPass::Highlight:
            color = look.textHighlight;
            break;
        case CaptionPass::Shadow:
            color = look.textShadow;
            break;
        }
        // Each pass is clipped to a box as large as the text, starting at the pass's point.
        const QRect box(origin + pass.offset, textSize);
        if (symbols) {
            drawSymbolCaption(p, box, p.font(), look.caption, color);
            continue;
        }
        p.setPen(color);
        p.drawText(box, flags, look.caption);
    }
}

} // namespace

void invertFocusRect(QImage& surface, const QRect& box)
{
    const QRect area = box & surface.rect();
    if (area.isEmpty() || surface.format() != QImage::Format_RGB32)
        return;
    const auto invert = [&surface](int x, int y) {
        if ((x + y) % 2 != 0)
            return;
        auto* line = reinterpret_cast<QRgb*>(surface.scanLine(y));
        line[x] ^= 0x00FFFFFFu;
    };
    // Walk the border of the full box once per pixel (corners included once), keeping only
    // the pixels inside the surface.
    const auto visible = [&area](int x, int y) { return area.contains(x, y); };
    for (int x = box.left(); x <= box.right(); ++x) {
        if (visible(x, box.top()))
            invert(x, box.top());
        if (box.bottom() != box.top() && visible(x, box.bottom()))
            invert(x, box.bottom());
    }
    for (int y = box.top() + 1; y < box.bottom(); ++y) {
        if (visible(box.left(), y))
            invert(box.left(), y);
        if (box.right() != box.left() && visible(box.right(), y))
            invert(box.right(), y);
    }
}

void paintGradientButtonSurface(QImage& surface, const GradientButtonLook& look)
{
    if (look.size.isEmpty()) {
        surface = QImage();
        return;
    }
    if (surface.size() != look.size || surface.format() != QImage::Format_RGB32) {
        surface = QImage(look.size, QImage::Format_RGB32);
        if (surface.isNull())
            return;
        surface.fill(rawRgb(look.beginColor));
    }
    {
        QPainter p(&surface);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        QFont font = look.font;
        font.setStyleStrategy(QFont::NoAntialias);
        font.setHintingPreference(QFont::PreferFullHinting);
        p.setFont(font);
        paintGradient(p, look);
        paintFrame(p, look);
        paintCaption(p, look);
    }
    if (look.focusRect)
        invertFocusRect(surface,
                        QRect(QPoint(2, 2), QPoint(look.size.width() - 3, look.size.height() - 3)));
}

} // namespace pagula::widgets
