#include "document/ParagraphPlan.h"

namespace pagula::document
{

namespace
{

class Planner
{
public:
    explicit Planner(const Document& document) : document_(document) {}

    QList<PlannedParagraph> run()
    {
        for (int i = 0; i < document_.itemCount(); ++i) {
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
        if (!current_.items.isEmpty() &&
            document_.item(current_.items.last()).kind == ItemKind::LineBreak)
            current_.items.removeLast();
    }

    void closeParagraph()
    {
        plan_.append(current_);
        current_ = PlannedParagraph();
    }

    const Document& document_;
    QList<PlannedParagraph> plan_;
    PlannedParagraph current_;
};

} // namespace

QList<PlannedParagraph> planParagraphs(const Document& document)
{
    return Planner(document).run();
}

} // namespace pagula::document
