#include "document/ParagraphPlan.h"

#include <QSet>

namespace pagula::document
{

namespace
{

class Planner
{
public:
    Planner(const Document& document, const DocumentLayout& layout) : document_(document)
    {
        for (int p = 0; p < layout.pages.size(); ++p) {
            const QList<LaidOutLine>& lines = layout.pages[p].lines;
            for (int l = 0; l < lines.size(); ++l) {
                if (lines[l].firstItem < 0)
                    continue;
                if (p > 0 && l == 0)
                    pageStarts_.insert(lines[l].firstItem);
                else if (lines[l].wrapped)
                    wraps_.insert(lines[l].firstItem);
            }
        }
    }

    QList<PlannedParagraph> run()
    {
        for (int i = 0; i < document_.itemCount(); ++i) {
            // A page our layout starts because the last one is full, unless a page break
            // started it already.
            if (pageStarts_.contains(i) && !(current_.items.isEmpty() && current_.pageBreakBefore))
                pageBreak();
            else if (wraps_.contains(i))
                current_.items.append(WrapBreak);
            switch (document_.item(i).kind) {
            case ItemKind::Picture:
                current_.items.append(i);
                current_.hasPicture = true;
                break;
            case ItemKind::LineBreak:
                current_.items.append(i);
                break;
            case ItemKind::ParagraphMark:
                closeParagraph();
                break;
            case ItemKind::PageBreak:
                pageBreak();
                break;
            }
        }
        if (!current_.items.isEmpty() || current_.pageBreakBefore || plan_.isEmpty()) {
            dropTrailingLineBreak();
            closeParagraph();
        }
        return plan_;
    }

private:
    void pageBreak()
    {
        if (!current_.items.isEmpty()) {
            dropTrailingLineBreak();
            closeParagraph();
        } else if (plan_.isEmpty() || current_.pageBreakBefore) {
            // The empty paragraph keeps the page that the break leaves.
            closeParagraph();
        }
        current_.pageBreakBefore = true;
    }

    void dropTrailingLineBreak()
    {
        if (!current_.items.isEmpty() && isLineBreak(document_, current_.items.last()))
            current_.items.removeLast();
    }

    void closeParagraph()
    {
        plan_.append(current_);
        current_ = PlannedParagraph();
    }

    const Document& document_;
    QSet<int> pageStarts_; // first items of pages after the first
    QSet<int> wraps_;      // first items of wrapped lines
    QList<PlannedParagraph> plan_;
    PlannedParagraph current_;
};

} // namespace

QList<PlannedParagraph> planParagraphs(const Document& document, const DocumentLayout& layout)
{
    return Planner(document, layout).run();
}

QList<PlannedParagraph> planParagraphs(const Document& document)
{
    return planParagraphs(document, layoutDocument(document));
}

bool isLineBreak(const Document& document, int item)
{
    return item == WrapBreak || document.item(item).kind == ItemKind::LineBreak;
}

} // namespace pagula::document
