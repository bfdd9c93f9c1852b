#include "app/InterimDocumentWindow.h"

#include "document/Document.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{
constexpr double PageDpi = 36.0;
}

InterimDocumentWindow::InterimDocumentWindow(std::shared_ptr<document::Document> document,
                                             const QString& label)
    : QWidget(nullptr, Qt::Window), document_(std::move(document))
{
    setObjectName(QStringLiteral("DocumentWindow"));
    setWindowTitle(label.isEmpty() ? QStringLiteral("Pagula")
                                   : QStringLiteral("Pagula - ") + label);

    auto* pages = new QWidget;
    auto* column = new QVBoxLayout(pages);
    const document::DocumentLayout layout = document::layoutDocument(*document_);
    for (const document::LaidOutPage& page : layout.pages) {
        auto* picture = new QLabel(pages);
        picture->setPixmap(
            QPixmap::fromImage(document::renderPageImage(*document_, page, PageDpi)));
        picture->setFrameShape(QFrame::Box);
        column->addWidget(picture, 0, Qt::AlignHCenter);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(pages);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroll);
    resize(360, 520);
}

} // namespace pagula::app
