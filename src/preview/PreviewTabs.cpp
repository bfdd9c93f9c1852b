#include "preview/PreviewTabs.h"

#include "common/Fonts.h"
#include "widgets/GradientButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace pagula::preview {

namespace {
GradientButton* makeStepButton(const QString& objectName, const QString& webdingsCharacter,
                               QWidget* parent)
{
    // "Webdings" draws '9' and ':' as step back and step forward; the button draws the
    // symbols itself where that font is missing.
    auto* button = new GradientButton(parent);
    button->setObjectName(objectName);
    button->setFixedSize(50, 24);
    button->setFont(pixelFont(QStringLiteral("Webdings"), 15));
    button->setCaption(webdingsCharacter);
    return button;
}
} // namespace

PreviewTabs::PreviewTabs(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControl2"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setDocumentMode(true);
    // Tabs drawn as buttons, highlighted under the mouse.
    tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(182,196,231); border: 1px outset rgb(120,130,160);"
        " padding: 2px 6px; margin: 1px; }"
        "QTabBar::tab:selected { background: rgb(210,219,240); border-style: inset; }"
        "QTabBar::tab:hover { color: navy; }"));

    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    Preview = new QCheckBox(QStringLiteral("Включен"), TabSheet4);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setChecked(false);
    GradBtn10 = makeStepButton(QStringLiteral("GradBtn10"), QStringLiteral("9"), TabSheet4);
    GradBtn15 = makeStepButton(QStringLiteral("GradBtn15"), QStringLiteral(":"), TabSheet4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(GradBtn10);
    buttons->addWidget(GradBtn15);
    buttons->addStretch(1);
    auto* viewLayout = new QVBoxLayout(TabSheet4);
    viewLayout->setContentsMargins(6, 4, 6, 4);
    viewLayout->addWidget(Preview);
    viewLayout->addLayout(buttons);
    viewLayout->addStretch(1);

    TabSheet5 = new QWidget;
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    Navigate = new QGroupBox(TabSheet5);
    Navigate->setObjectName(QStringLiteral("Navigate"));
    navigateItems_ = new QButtonGroup(Navigate);
    auto* groupLayout = new QVBoxLayout(Navigate);
    const QString items[] = {QStringLiteral("Все подряд"), QStringLiteral("По типу обрезки")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(items[i], Navigate);
        navigateItems_->addButton(item, i);
        groupLayout->addWidget(item);
    }
    navigateItems_->button(int(NavigateMode::ByCropType))->setChecked(true);
    auto* navigateLayout = new QVBoxLayout(TabSheet5);
    navigateLayout->setContentsMargins(0, 0, 0, 0);
    navigateLayout->addWidget(Navigate);

    addTab(TabSheet4, QStringLiteral("Просмотр"));
    addTab(TabSheet5, QStringLiteral("Переход"));
    setCurrentIndex(0);
}

bool PreviewTabs::previewTicked() const
{
    return Preview->isChecked();
}

NavigateMode PreviewTabs::navigateMode() const
{
    return navigateItems_->checkedId() == int(NavigateMode::AllInTurn) ? NavigateMode::AllInTurn
                                                                        : NavigateMode::ByCropType;
}

void PreviewTabs::setPreviewTicked(bool ticked)
{
    Preview->setChecked(ticked);
}

void PreviewTabs::setTabIcons(const QIcon& viewTab, const QIcon& navigateTab)
{
    setTabIcon(indexOf(TabSheet4), viewTab);
    setTabIcon(indexOf(TabSheet5), navigateTab);
}

} // namespace pagula::preview
