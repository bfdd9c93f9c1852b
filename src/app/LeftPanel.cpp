#include "app/LeftPanel.h"

#include "app/WindowColours.h"
#include "layout/ui/LayoutPanel.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QCoreApplication>
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
    setObjectName(QStringLiteral("leftPanel"));
    setBevels(Bevel::Raised, Bevel::Lowered);
    setColor(WindowColours::window());
    // The splitters decide the width; what does not fit is cut off, not pushed wider.
    setMinimumSize(1, 1);
    resize(Width, height());

    settingsScroll_ = new QScrollArea(this);
    settingsScroll_->setObjectName(QStringLiteral("settingsScroll"));
    settingsScroll_->setFrameShape(QFrame::NoFrame);
    settingsScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    settingsScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    settingsScroll_->setWidgetResizable(true);
    settingsScroll_->setBackgroundRole(QPalette::Window);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("settingsScrollContent"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(4);

    layout_ = new layout::LayoutPanel(content);
    layout_->setObjectName(QStringLiteral("layoutPanel"));
    column->addWidget(layout_);

    whitePicture_ = new QLabel(content);
    whitePicture_->setObjectName(QStringLiteral("whitePicture"));
    whitePicture_->setPixmap(QPixmap::fromImage(whiteOneBitPicture()));
    whitePicture_->setFixedSize(50, 50);
    whitePicture_->hide();

    generateButton_ = new widgets::GradientButton(content);
    generateButton_->setObjectName(QStringLiteral("generateButton"));
    generateButton_->setCaption(QCoreApplication::translate("LeftPanel", "Сформировать документ"));
    widgets::applyButtonLook(*generateButton_, widgets::ButtonLook::Generate);
    generateButton_->setFixedSize(195, 32);
    column->addWidget(generateButton_, 0, Qt::AlignHCenter);
    column->addStretch(1);
    settingsScroll_->setWidget(content);

    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0); // the bevel rings are kept clear by the panel
    fill->setSpacing(0);
    fill->addWidget(settingsScroll_);
}

} // namespace pagula::app
