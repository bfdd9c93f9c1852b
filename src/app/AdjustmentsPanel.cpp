#include "app/AdjustmentsPanel.h"

#include "widgets/ErrorReport.h"

#include <QButtonGroup>
#include <QCheckBox>
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
    setObjectName(QStringLiteral("AdjustmentsPanel"));

    ColorFormat = new QGroupBox(QStringLiteral("Тип изображения"), this);
    ColorFormat->setObjectName(QStringLiteral("ColorFormat"));
    colorItems_ = new QButtonGroup(ColorFormat);
    auto* items = new QHBoxLayout(ColorFormat);
    items->setContentsMargins(6, 0, 6, 0);
    items->setSpacing(8);
    const QString texts[] = {QStringLiteral("Авто"), QStringLiteral("Оттенки серого"),
                             QStringLiteral("Черно/белое")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(texts[i], ColorFormat);
        item->setObjectName(QStringLiteral("ColorFormatItem%1").arg(i));
        colorItems_->addButton(item, i);
        items->addWidget(item);
    }
    colorItems_->button(1)->setChecked(true);

    Label12 = label("Label12", QStringLiteral("Яркость:"), this);
    ScrollBar1 = addScrollBar("ScrollBar1");
    Label14 = label("Label14", percentText(StartPosition), this);
    Label13 = label("Label13", QStringLiteral("Контраст:"), this);
    ScrollBar2 = addScrollBar("ScrollBar2");
    Label15 = label("Label15", percentText(StartPosition), this);
    connect(ScrollBar1, &QScrollBar::valueChanged, this,
            [this] { runGuarded(window(), [this] { ScrollBar1Change(); }); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this,
            [this] { runGuarded(window(), [this] { ScrollBar2Change(); }); });

    auto* bars = new QGridLayout;
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setHorizontalSpacing(4);
    bars->setVerticalSpacing(2);
    bars->addWidget(Label12, 0, 0);
    bars->addWidget(ScrollBar1, 0, 1);
    bars->addWidget(Label14, 0, 2);
    bars->addWidget(Label13, 1, 0);
    bars->addWidget(ScrollBar2, 1, 1);
    bars->addWidget(Label15, 1, 2);
    bars->setColumnStretch(1, 1);
    Label14->setMinimumWidth(fontMetrics().horizontalAdvance(percentText(100)) + 2);
    Label15->setMinimumWidth(Label14->minimumWidth());

    Frame = new QCheckBox(QStringLiteral("Рамка вокруг рисунков"), this);
    Frame->setObjectName(QStringLiteral("Frame"));
    Frame->setChecked(true);
    TwoSide = new QCheckBox(QStringLiteral("Двусторонняя печать"), this);
    TwoSide->setObjectName(QStringLiteral("TwoSide"));
    TwoSide->setChecked(false);
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->setSpacing(2);
    boxes->addWidget(Frame);
    boxes->addWidget(TwoSide);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(ColorFormat);
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
    return ScrollBar1->value();
}

int AdjustmentsPanel::contrast() const
{
    return ScrollBar2->value();
}

int AdjustmentsPanel::colorFormat() const
{
    return colorItems_->checkedId();
}

void AdjustmentsPanel::ScrollBar1Change()
{
    Label14->setText(percentText(ScrollBar1->value()));
}

void AdjustmentsPanel::ScrollBar2Change()
{
    Label15->setText(percentText(ScrollBar2->value()));
}

} // namespace pagula::app
