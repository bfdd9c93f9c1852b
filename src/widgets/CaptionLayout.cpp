#include "widgets/CaptionLayout.h"

namespace pagula::widgets
{

namespace
{
constexpr QChar amp(u'&');
}

QString displayText(const QString& caption)
{
    QString out;
    const int n = int(caption.size());
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        const bool last = i == n - 1;
        if (last || caption.at(i) != amp || caption.at(i + 1) == amp)
            out.append(caption.at(i));
    }
    return out;
}

std::optional<QChar> acceleratorChar(const QString& caption)
{
    std::optional<QChar> found;
    const int n = int(caption.size());
    for (int i = 0; i < n; ++i) {
        if (caption.at(i) != amp || i + 1 >= n)
            continue;
        ++i; // the marked character, or the second half of "&&"
        if (caption.at(i) != amp)
            found = caption.at(i);
    }
    return found;
}

bool acceleratorMatches(QChar accelerator, QChar typed)
{
    const auto foldLatin = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'A' && u <= u'Z') ? char16_t(u - u'A' + u'a') : u;
    };
    return foldLatin(accelerator) == foldLatin(typed);
}

QPoint captionOrigin(QSize buttonSize, QSize textSize, Justification justification, int pressOffset)
{
    const int w = buttonSize.width(), h = buttonSize.height();
    const int tw = textSize.width(), th = textSize.height();
    int x = 0;
    switch (justification) {
    case Justification::Left:
        x = 2;
        break;
    case Justification::Center:
        x = (w - tw) / 2;
        break;
    case Justification::Right:
        x = w - tw - 2;
        break;
    }
    return QPoint(x + pressOffset, (h - th) / 2 + pressOffset);
}

std::vector<CaptionPass> captionPasses(TextStyle style, ShadeType shade, bool enabled)
{
    const bool heavy = shade == ShadeType::Heavy;
    const CaptionPass face{{0, 0}, CaptionPass::Face};
    std::vector<CaptionPass> passes;
    if (!enabled)
        style = TextStyle::Inset;
    switch (style) {
    case TextStyle::Normal:
        break;
    case TextStyle::Raised:
        passes.push_back({{-1, -1}, CaptionPass::Highlight});
        if (heavy)
            passes.push_back({{1, 1}, CaptionPass::Shadow});
        break;
    case TextStyle::Inset:
        if (heavy)
            passes.push_back({{-1, -1}, CaptionPass::Shadow});
        passes.push_back({{1, 1}, CaptionPass::Highlight});
        break;
    }
    passes.push_back(face);
    return passes;
}

} // namespace pagula::widgets
