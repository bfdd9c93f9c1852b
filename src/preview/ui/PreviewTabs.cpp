#include "preview/ui/PreviewTabs.h"

#include "common/Fonts.h"
#include "widgets/GradientButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace pagula::preview
{

namespace
{
widgets::GradientButton* makeStepButton(const QString& objectName, const QString& webdingsCharacter,
                                        QWidget* parent)
{
    // "Webdings" draws '9' and ':' as step back and step forward; the button draws the
    // symbols itself where that font is missing.
    auto* button = new widgets::GradientButton(parent);
    button->setObjectName(objectName);
    button->setFixedSize(50, 24);
    button->setFont(common::pixelFont(QStringLiteral("Webdings"), 15));
    button->setCaption(webdingsCharacter);
    return button;
}
} // namespace

PreviewTabs::PreviewTabs(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("previewTabs"));
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setDocumentMode(true);
    // Tabs drawn as buttons, highlighted under the mouse.
    tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(182,196,231); border: 1px outset rgb(120,130,160);"
        " padding: 2px 6px; margin: 1px; }"
        "QTabBar::tab:selected { background: rgb(210,219,240); border-style: inset; }"
        "QTabBar::tab:hover { color: navy; }"));

    viewTab_ = new QWidget;
    viewTab_->setObjectName(QStringLiteral("viewTab"));
    previewBox_ = new QCheckBox(QCoreApplication::translate("PreviewTabs", "Включен"), viewTab_);
    previewBox_->setObjectName(QStringLiteral("previewBox"));
    previewBox_->setChecked(false);
    previousButton_ =
        makeStepButton(QStringLiteral("previousButton"), QStringLiteral("9"), viewTab_);
    nextButton_ = makeStepButton(QStringLiteral("nextButton"), QStringLiteral(":"), viewTab_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previousButton_);
    buttons->addWidget(nextButton_);
    buttons->addStretch(1);
    auto* viewLayout = new QVBoxLayout(viewTab_);
    viewLayout->setContentsMargins(6, 4, 6, 4);
    viewLayout->addWidget(previewBox_);
    viewLayout->addLayout(buttons);
    viewLayout->addStretch(1);

    navigateTab_ = new QWidget;
    navigateTab_->setObjectName(QStringLiteral("navigateTab"));
    navigateGroup_ = new QGroupBox(navigateTab_);
    navigateGroup_->setObjectName(QStringLiteral("navigateGroup"));
    navigateItems_ = new QButtonGroup(navigateGroup_);
    auto* groupLayout = new QVBoxLayout(navigateGroup_);
    const QString items[] = {QCoreApplication::translate("PreviewTabs", "Все подряд"),
                             QCoreApplication::translate("PreviewTabs", "По типу обрезки")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(items[i], navigateGroup_);
        navigateItems_->addButton(item, i);
        groupLayout->addWidget(item);
    }
    navigateItems_->button(int(NavigateMode::ByCropType))->setChecked(true);
    auto* navigateLayout = new QVBoxLayout(navigateTab_);
    navigateLayout->setContentsMargins(0, 0, 0, 0);
    navigateLayout->addWidget(navigateGroup_);

    addTab(viewTab_, QCoreApplication::translate("PreviewTabs", "Просмотр"));
    addTab(navigateTab_, QCoreApplication::translate("PreviewTabs", "Переход"));
    setCurrentIndex(0);
}

bool PreviewTabs::previewTicked() const
{
    return previewBox_->isChecked();
}

NavigateMode PreviewTabs::navigateMode() const
{
    return navigateItems_->checkedId() == int(NavigateMode::AllInTurn) ? NavigateMode::AllInTurn
                                                                       : NavigateMode::ByCropType;
}

void PreviewTabs::setPreviewTicked(bool ticked)
{
    previewBox_->setChecked(ticked);
}

void PreviewTabs::setTabIcons(const QIcon& viewTab, const QIcon& navigateTab)
{
    setTabIcon(indexOf(viewTab_), viewTab);
    setTabIcon(indexOf(navigateTab_), navigateTab);
}

} // namespace pagula::preview
