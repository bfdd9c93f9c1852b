#include "app/LeftPanel.h"

#include "app/WindowColours.h"
#include "layout/ui/LayoutPanel.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{

// The 50 x 50 all-white picture with a black and white palette that the window keeps hidden.
QImage whiteOneBitPicture()
{
    QImage picture(50, 50, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(1);
    return picture;
}

} // namespace

LeftPanel::LeftPanel(QWidget* parent) : BevelPanel(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setBevels(Bevel::Raised, Bevel::Lowered);
    setColor(WindowColours::window());
    // The splitters decide the width; what does not fit is cut off, not pushed wider.
    setMinimumSize(1, 1);
    resize(Width, height());

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setBackgroundRole(QPalette::Window);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBox1Content"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(4);

    layout_ = new LayoutPanel(content);
    layout_->setObjectName(QStringLiteral("LayoutPanel"));
    column->addWidget(layout_);

    bmp = new QLabel(content);
    bmp->setObjectName(QStringLiteral("bmp"));
    bmp->setPixmap(QPixmap::fromImage(whiteOneBitPicture()));
    bmp->setFixedSize(50, 50);
    bmp->hide();

    GradBtn9 = new GradientButton(content);
    GradBtn9->setObjectName(QStringLiteral("GradBtn9"));
    GradBtn9->setCaption(QStringLiteral("Сформировать документ"));
    applyButtonLook(*GradBtn9, ButtonLook::Generate);
    GradBtn9->setFixedSize(195, 32);
    column->addWidget(GradBtn9, 0, Qt::AlignHCenter);
    column->addStretch(1);
    ScrollBox1->setWidget(content);

    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0); // the bevel rings are kept clear by the panel
    fill->setSpacing(0);
    fill->addWidget(ScrollBox1);
}

} // namespace pagula::app
