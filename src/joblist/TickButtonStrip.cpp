#include "joblist/TickButtonStrip.h"

#include "common/Fonts.h"
#include "joblist/JobListModel.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace pagula::joblist
{

namespace
{
constexpr int ButtonWidth = 85;
constexpr int ButtonHeight = 16;
constexpr int ButtonsLeft = 152;
constexpr int Gap = 3;
} // namespace

TickButtonStrip::TickButtonStrip(JobListModel* model, QWidget* parent)
    : QWidget(parent), model_(model), label8_(new QLabel(QStringLiteral("Кол-во колонок:"), this)),
      edit11_(new QLineEdit(this)), upDown9_(new UpDown(this)), label11_(new QLabel(this)),
      bevel1_(new QFrame(this)), bevel2_(new QFrame(this))
{
    setObjectName(QStringLiteral("TickButtonStrip"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));

    label8_->setObjectName(QStringLiteral("Label8"));
    label8_->setGeometry(6, 8, 86, 14);

    edit11_->setObjectName(QStringLiteral("Edit11"));
    edit11_->setReadOnly(true);
    edit11_->setFrame(false);
    edit11_->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, true));
    edit11_->setGeometry(94, 6, 20, 18);
    upDown9_->setObjectName(QStringLiteral("UpDown9"));
    upDown9_->move(116, 4);
    upDown9_->setRange(1, 3);
    upDown9_->setPosition(1);
    connect(edit11_, &QLineEdit::textChanged, this, &TickButtonStrip::Edit11Change);
    upDown9_->setAssociate(edit11_);

    label11_->setObjectName(QStringLiteral("Label11"));
    label11_->setGeometry(6, 30, 140, 14);
    QPalette blue = label11_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label11_->setPalette(blue);
    label11_->setText(model_->tickedCountLabel());
    connect(model_, &JobListModel::tickedCountLabelChanged, label11_, &QLabel::setText);

    const int rowWidth = 3 * ButtonWidth + 2 * Gap + 2 * Gap;
    for (QFrame* bevel : {bevel1_, bevel2_}) {
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        bevel->lower();
    }
    bevel1_->setObjectName(QStringLiteral("Bevel1"));
    bevel1_->setGeometry(ButtonsLeft - Gap, 2, rowWidth, ButtonHeight + 2 * Gap);
    bevel2_->setObjectName(QStringLiteral("Bevel2"));
    bevel2_->setGeometry(ButtonsLeft - Gap, 2 + ButtonHeight + 3 * Gap, rowWidth,
                         ButtonHeight + 2 * Gap);

    const int row1 = 2 + Gap;
    const int row2 = row1 + ButtonHeight + 3 * Gap;
    const auto col = [](int i) { return ButtonsLeft + i * (ButtonWidth + Gap); };
    addButton(QStringLiteral("GradBtn2"), QStringLiteral("Выделить все"), {col(0), row1},
              &TickButtonStrip::Button2Click);
    addButton(QStringLiteral("GradBtn4"), QStringLiteral("Сброс"), {col(1), row1},
              &TickButtonStrip::Button7Click);
    addButton(QStringLiteral("GradBtn5"), QStringLiteral("Удалить"), {col(2), row1},
              &TickButtonStrip::Button4Click);
    addButton(QStringLiteral("GradBtn6"), QStringLiteral("Инвертировать"), {col(0), row2},
              &TickButtonStrip::Button3Click);
    addButton(QStringLiteral("GradBtn7"), QStringLiteral("Четные"), {col(1), row2},
              &TickButtonStrip::Button5Click);
    addButton(QStringLiteral("GradBtn8"), QStringLiteral("Нечетные"), {col(2), row2},
              &TickButtonStrip::Button6Click);

    setMinimumSize(ButtonsLeft - Gap + rowWidth + 2, row2 + ButtonHeight + Gap + 4);
}

GradientButton* TickButtonStrip::addButton(const QString& name, const QString& caption,
                                           const QPoint& at, void (TickButtonStrip::*handler)())
{
    auto* b = new GradientButton(this);
    b->setObjectName(name);
    b->setCaption(caption);
    applyButtonLook(*b, ButtonLook::Command);
    b->setGeometry(QRect(at, QSize(ButtonWidth, ButtonHeight)));
    connect(b, &GradientButton::clicked, this, handler);
    return b;
}

GradientButton* TickButtonStrip::button(const QString& objectName) const
{
    return findChild<GradientButton*>(objectName, Qt::FindDirectChildrenOnly);
}

void TickButtonStrip::Edit11Change()
{
    emit displayColumnsChanged(upDown9_->position());
}

void TickButtonStrip::Button2Click()
{
    model_->tickAll();
}

void TickButtonStrip::Button7Click()
{
    model_->untickAll();
}

void TickButtonStrip::Button3Click()
{
    model_->invertTicks();
}

void TickButtonStrip::Button5Click()
{
    model_->tickEvenPositions();
}

void TickButtonStrip::Button6Click()
{
    model_->tickOddPositions();
}

void TickButtonStrip::Button4Click()
{
    model_->removeTicked();
}

} // namespace pagula::joblist
