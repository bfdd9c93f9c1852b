#include "joblist/ui/TickButtonStrip.h"

#include "common/Fonts.h"
#include "joblist/JobListModel.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QCoreApplication>
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
    : QWidget(parent), model_(model),
      listColumnsCaption_(
          new QLabel(QCoreApplication::translate("TickButtonStrip", "Кол-во колонок:"), this)),
      listColumnsEdit_(new QLineEdit(this)), listColumnsSpin_(new widgets::UpDown(this)),
      tickedCountLabel_(new QLabel(this)), firstRowFrame_(new QFrame(this)),
      secondRowFrame_(new QFrame(this))
{
    setObjectName(QStringLiteral("tickButtonStrip"));
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));

    listColumnsCaption_->setObjectName(QStringLiteral("listColumnsCaption"));
    listColumnsCaption_->setGeometry(6, 8, 86, 14);

    listColumnsEdit_->setObjectName(QStringLiteral("listColumnsEdit"));
    listColumnsEdit_->setReadOnly(true);
    listColumnsEdit_->setFrame(false);
    listColumnsEdit_->setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11, true));
    listColumnsEdit_->setGeometry(94, 6, 20, 18);
    listColumnsSpin_->setObjectName(QStringLiteral("listColumnsSpin"));
    listColumnsSpin_->move(116, 4);
    listColumnsSpin_->setRange(1, 3);
    listColumnsSpin_->setPosition(1);
    connect(listColumnsEdit_, &QLineEdit::textChanged, this, &TickButtonStrip::onListColumnsEdited);
    listColumnsSpin_->setAssociate(listColumnsEdit_);

    tickedCountLabel_->setObjectName(QStringLiteral("tickedCountLabel"));
    tickedCountLabel_->setGeometry(6, 30, 140, 14);
    QPalette blue = tickedCountLabel_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    tickedCountLabel_->setPalette(blue);
    tickedCountLabel_->setText(model_->tickedCountLabel());
    connect(model_, &JobListModel::tickedCountLabelChanged, tickedCountLabel_, &QLabel::setText);

    const int rowWidth = 3 * ButtonWidth + 2 * Gap + 2 * Gap;
    for (QFrame* bevel : {firstRowFrame_, secondRowFrame_}) {
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        bevel->lower();
    }
    firstRowFrame_->setObjectName(QStringLiteral("firstRowFrame"));
    firstRowFrame_->setGeometry(ButtonsLeft - Gap, 2, rowWidth, ButtonHeight + 2 * Gap);
    secondRowFrame_->setObjectName(QStringLiteral("secondRowFrame"));
    secondRowFrame_->setGeometry(ButtonsLeft - Gap, 2 + ButtonHeight + 3 * Gap, rowWidth,
                                 ButtonHeight + 2 * Gap);

    const int row1 = 2 + Gap;
    const int row2 = row1 + ButtonHeight + 3 * Gap;
    const auto col = [](int i) { return ButtonsLeft + i * (ButtonWidth + Gap); };
    addButton(QStringLiteral("tickAllButton"),
              QCoreApplication::translate("TickButtonStrip", "Выделить все"), {col(0), row1},
              &TickButtonStrip::tickAll);
    addButton(QStringLiteral("untickAllButton"),
              QCoreApplication::translate("TickButtonStrip", "Сброс"), {col(1), row1},
              &TickButtonStrip::untickAll);
    addButton(QStringLiteral("removeTickedButton"),
              QCoreApplication::translate("TickButtonStrip", "Удалить"), {col(2), row1},
              &TickButtonStrip::removeTicked);
    addButton(QStringLiteral("invertTicksButton"),
              QCoreApplication::translate("TickButtonStrip", "Инвертировать"), {col(0), row2},
              &TickButtonStrip::invertTicks);
    addButton(QStringLiteral("tickEvenButton"),
              QCoreApplication::translate("TickButtonStrip", "Четные"), {col(1), row2},
              &TickButtonStrip::tickEven);
    addButton(QStringLiteral("tickOddButton"),
              QCoreApplication::translate("TickButtonStrip", "Нечетные"), {col(2), row2},
              &TickButtonStrip::tickOdd);

    setMinimumSize(ButtonsLeft - Gap + rowWidth + 2, row2 + ButtonHeight + Gap + 4);
}

widgets::GradientButton* TickButtonStrip::addButton(const QString& name, const QString& caption,
                                                    const QPoint& at,
                                                    void (TickButtonStrip::*handler)())
{
    auto* b = new widgets::GradientButton(this);
    b->setObjectName(name);
    b->setCaption(caption);
    widgets::applyButtonLook(*b, widgets::ButtonLook::Command);
    b->setGeometry(QRect(at, QSize(ButtonWidth, ButtonHeight)));
    connect(b, &widgets::GradientButton::clicked, this, handler);
    return b;
}

widgets::GradientButton* TickButtonStrip::button(const QString& objectName) const
{
    return findChild<widgets::GradientButton*>(objectName, Qt::FindDirectChildrenOnly);
}

void TickButtonStrip::onListColumnsEdited()
{
    emit displayColumnsChanged(listColumnsSpin_->position());
}

void TickButtonStrip::tickAll()
{
    model_->tickAll();
}

void TickButtonStrip::untickAll()
{
    model_->untickAll();
}

void TickButtonStrip::invertTicks()
{
    model_->invertTicks();
}

void TickButtonStrip::tickEven()
{
    model_->tickEvenPositions();
}

void TickButtonStrip::tickOdd()
{
    model_->tickOddPositions();
}

void TickButtonStrip::removeTicked()
{
    model_->removeTicked();
}

} // namespace pagula::joblist
