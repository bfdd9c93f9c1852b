#include "document/FlowLayout.h"

#include "document/PageGeometry.h"

#include <algorithm>

namespace pagula::document
{

QList<PlacedPicture> LaidOutPage::pictures() const
{
    QList<PlacedPicture> all;
    for (const LaidOutLine& line : lines)
        all += line.pictures;
    return all;
}

namespace
{

// Builds lines from the content and stacks them onto pages.
class Flow
{
public:
    explicit Flow(const Document& document) : area_(document.textArea())
    {
        layout_.pageSize = document.pageSize();
        layout_.pages.append(LaidOutPage());
        y_ = area_.top();
    }

    void addPicture(int itemIndex, QSizeF size)
    {
        const bool fits = lineWidth_ + size.width() <= area_.width() + LengthTolerance;
        if (!line_.isEmpty() && !fits) {
            endLine();
            wrapped_ = true;
        }
        line_.append({itemIndex, size});
        lineWidth_ += size.width();
    }

    // A paragraph mark or line break: ends the line, even an empty one.
    void breakLine(int itemIndex)
    {
        placeLine(itemIndex);
        clearLine();
    }

    void breakPage()
    {
        if (!line_.isEmpty())
            endLine();
        newPage();
    }

    DocumentLayout finish()
    {
        if (!line_.isEmpty())
            endLine();
        return std::move(layout_);
    }

private:
    struct Pending {
        int itemIndex;
        QSizeF size;
    };

    void endLine()
    {
        placeLine();
        clearLine();
    }

    void clearLine()
    {
        line_.clear();
        lineWidth_ = 0.0;
        wrapped_ = false;
    }

    void newPage()
    {
        layout_.pages.append(LaidOutPage());
        y_ = area_.top();
    }

    // emptyLineItem: the control that ends the line, which is the line's only item when it
    // holds no picture.
    void placeLine(int emptyLineItem = -1)
    {
        double height = line_.isEmpty() ? EmptyLineHeightPoints : 0.0;
        for (const Pending& p : line_)
            height = std::max(height, p.size.height());

        LaidOutPage* page = &layout_.pages.last();
        const bool fits = y_ + height <= area_.bottom() + LengthTolerance;
        if (!fits && !page->lines.isEmpty()) {
            newPage();
            page = &layout_.pages.last();
        }

        LaidOutLine line;
        line.top = y_;
        line.height = height;
        line.firstItem = line_.isEmpty() ? emptyLineItem : line_.first().itemIndex;
        line.wrapped = wrapped_;
        double x = area_.left();
        for (const Pending& p : line_) {
            const double top = y_ + height - p.size.height(); // on the baseline
            line.pictures.append({p.itemIndex, QRectF(QPointF(x, top), p.size)});
            x += p.size.width();
        }
        page->lines.append(std::move(line));
        y_ += height;
    }

    QRectF area_;
    DocumentLayout layout_;
    QList<Pending> line_;
    double lineWidth_ = 0.0;
    bool wrapped_ = false;
    double y_ = 0.0;
};

QString fixed2(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

DocumentLayout layoutDocument(const Document& document)
{
    Flow flow(document);
    for (int i = 0; i < document.itemCount(); ++i) {
        const DocumentItem& item = document.item(i);
        switch (item.kind) {
        case ItemKind::Picture:
            flow.addPicture(i, item.picture->size());
            break;
        case ItemKind::ParagraphMark:
        case ItemKind::LineBreak:
            flow.breakLine(i);
            break;
        case ItemKind::PageBreak:
            flow.breakPage();
            break;
        }
    }
    return flow.finish();
}

QString dumpLayout(const DocumentLayout& layout)
{
    QString out;
    for (int p = 0; p < layout.pages.size(); ++p) {
        out += QStringLiteral("page %1\n").arg(p + 1);
        for (const LaidOutLine& line : layout.pages[p].lines) {
            out += QStringLiteral("  line %1 +%2\n").arg(fixed2(line.top), fixed2(line.height));
            for (const PlacedPicture& pic : line.pictures)
                out += QStringLiteral("    #%1 %2,%3 %4x%5\n")
                           .arg(pic.itemIndex)
                           .arg(fixed2(pic.box.x()), fixed2(pic.box.y()), fixed2(pic.box.width()),
                                fixed2(pic.box.height()));
        }
    }
    return out;
}

} // namespace pagula::document
