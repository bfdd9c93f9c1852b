#include "app/BackOffsetDialog.h"

#include "app/BackOffsetSetting.h"
#include "compose/BackPlacement.h"
#include "widgets/DecimalSpinBox.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{

widgets::DecimalSpinBox* offsetBox(const QString& name, double value, QWidget* parent)
{
    auto* box = new widgets::DecimalSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-compose::MaxBackOffsetMm, compose::MaxBackOffsetMm);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QCoreApplication::translate("BackOffsetDialog", " мм"));
    box->setValue(value);
    return box;
}

} // namespace

BackOffsetDialog::BackOffsetDialog(QPointF offsetMm, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("backOffsetDialog"));
    setWindowTitle(QCoreApplication::translate("BackOffsetDialog", "Сдвиг обратной стороны"));
    auto* text =
        new QLabel(QCoreApplication::translate(
                       "BackOffsetDialog",
                       "Насколько сдвинуть всё содержимое обратной стороны, как её видно на "
                       "листе. Значения читаются по листу калибровки."),
                   this);
    text->setWordWrap(true);
    // Wide enough for the window title beside the window manager's buttons, which would
    // shorten it otherwise.
    text->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    right_ = offsetBox(QStringLiteral("offsetRight"), offsetMm.x(), this);
    down_ = offsetBox(QStringLiteral("offsetDown"), offsetMm.y(), this);
    auto* form = new QFormLayout;
    form->addRow(QCoreApplication::translate("BackOffsetDialog", "Вправо (X):"), right_);
    form->addRow(QCoreApplication::translate("BackOffsetDialog", "Вниз (Y):"), down_);
    problem_ =
        new QLabel(QCoreApplication::translate(
                       "BackOffsetDialog", "Введите число от %1 до %2 мм, например 2,5 или -1.5.")
                       .arg(-compose::MaxBackOffsetMm)
                       .arg(compose::MaxBackOffsetMm),
                   this);
    problem_->setObjectName(QStringLiteral("offsetProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #b00000;"));
    problem_->setWordWrap(true);
    problem_->hide();
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QDoubleSpinBox* box : {right_, down_})
        // Every keystroke, also those that leave no number yet (the box's own signal waits
        // for a number).
        connect(box->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
                &BackOffsetDialog::showInputState);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
}

void BackOffsetDialog::showInputState()
{
    const bool acceptable = right_->hasAcceptableInput() && down_->hasAcceptableInput();
    problem_->setVisible(!acceptable);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(acceptable);
}

void BackOffsetDialog::accept()
{
    // Interpreting a text that is no number would put the last value back in silence.
    if (!right_->hasAcceptableInput() || !down_->hasAcceptableInput())
        return;
    // The typed text, also when the box has not handed it over yet.
    right_->interpretText();
    down_->interpretText();
    QDialog::accept();
}

QPointF BackOffsetDialog::offset() const
{
    return {right_->value(), down_->value()};
}

void editBackOffset(QWidget* parent)
{
    BackOffsetDialog dialog(storedBackOffset(), parent);
    if (dialog.exec() == QDialog::Accepted)
        storeBackOffset(dialog.offset());
}

} // namespace pagula::app
