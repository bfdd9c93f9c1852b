#include "app/AdjustmentsPanel.h"

#include "widgets/ErrorReport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{
// The bars give way down to the narrower width before the strip has to scroll.
constexpr int ScrollBarWidth = 110;
constexpr int NarrowScrollBarWidth = 64;
constexpr int ScrollBarHeight = 16;
constexpr int StartPosition = 50;

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
} // namespace

AdjustmentsPanel::AdjustmentsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("adjustmentsPanel"));

    colorFormatGroup_ =
        new QGroupBox(QCoreApplication::translate("AdjustmentsPanel", "Тип изображения"), this);
    colorFormatGroup_->setObjectName(QStringLiteral("colorFormatGroup"));
    colorItems_ = new QButtonGroup(colorFormatGroup_);
    auto* items = new QHBoxLayout(colorFormatGroup_);
    items->setContentsMargins(6, 0, 6, 0);
    items->setSpacing(8);
    const QString texts[] = {QCoreApplication::translate("AdjustmentsPanel", "Авто"),
                             QCoreApplication::translate("AdjustmentsPanel", "Оттенки серого"),
                             QCoreApplication::translate("AdjustmentsPanel", "Черно/белое")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(texts[i], colorFormatGroup_);
        item->setObjectName(QStringLiteral("colorFormatItem%1").arg(i));
        colorItems_->addButton(item, i);
        items->addWidget(item);
    }
    colorItems_->button(1)->setChecked(true);

    brightnessCaption_ = label("brightnessCaption",
                               QCoreApplication::translate("AdjustmentsPanel", "Яркость:"), this);
    brightnessBar_ = addScrollBar("brightnessBar");
    brightnessLabel_ = label("brightnessLabel", percentText(StartPosition), this);
    contrastCaption_ = label("contrastCaption",
                             QCoreApplication::translate("AdjustmentsPanel", "Контраст:"), this);
    contrastBar_ = addScrollBar("contrastBar");
    contrastLabel_ = label("contrastLabel", percentText(StartPosition), this);
    connect(brightnessBar_, &QScrollBar::valueChanged, this,
            [this] { widgets::runGuarded(window(), [this] { onBrightnessMoved(); }); });
    connect(contrastBar_, &QScrollBar::valueChanged, this,
            [this] { widgets::runGuarded(window(), [this] { onContrastMoved(); }); });

    auto* bars = new QGridLayout;
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setHorizontalSpacing(4);
    bars->setVerticalSpacing(2);
    bars->addWidget(brightnessCaption_, 0, 0);
    bars->addWidget(brightnessBar_, 0, 1);
    bars->addWidget(brightnessLabel_, 0, 2);
    bars->addWidget(contrastCaption_, 1, 0);
    bars->addWidget(contrastBar_, 1, 1);
    bars->addWidget(contrastLabel_, 1, 2);
    bars->setColumnStretch(1, 1);
    brightnessLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(percentText(100)) + 2);
    contrastLabel_->setMinimumWidth(brightnessLabel_->minimumWidth());

    frameBox_ = new QCheckBox(
        QCoreApplication::translate("AdjustmentsPanel", "Рамка вокруг рисунков"), this);
    frameBox_->setObjectName(QStringLiteral("frameBox"));
    frameBox_->setChecked(true);
    twoSideBox_ =
        new QCheckBox(QCoreApplication::translate("AdjustmentsPanel", "Двусторонняя печать"), this);
    twoSideBox_->setObjectName(QStringLiteral("twoSideBox"));
    twoSideBox_->setChecked(false);
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->setSpacing(2);
    boxes->addWidget(frameBox_);
    boxes->addWidget(twoSideBox_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(colorFormatGroup_);
    row->addLayout(bars, 1);
    row->addLayout(boxes);
    row->addStretch(1);
}

QScrollBar* AdjustmentsPanel::addScrollBar(const char* name)
{
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(StartPosition);
    bar->setFixedHeight(ScrollBarHeight);
    bar->setMinimumWidth(NarrowScrollBarWidth);
    bar->setMaximumWidth(ScrollBarWidth);
    bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return bar;
}

QString AdjustmentsPanel::percentText(int position)
{
    return QString::number(position) + QLatin1Char('%');
}

int AdjustmentsPanel::brightness() const
{
    return brightnessBar_->value();
}

int AdjustmentsPanel::contrast() const
{
    return contrastBar_->value();
}

document::ColorType AdjustmentsPanel::colorType() const
{
    // The items are numbered 0, 1, 2 in the order of the word processors' colour types.
    return document::ColorType(colorItems_->checkedId() + 1);
}

void AdjustmentsPanel::onBrightnessMoved()
{
    brightnessLabel_->setText(percentText(brightnessBar_->value()));
}

void AdjustmentsPanel::onContrastMoved()
{
    contrastLabel_->setText(percentText(contrastBar_->value()));
}

} // namespace pagula::app
