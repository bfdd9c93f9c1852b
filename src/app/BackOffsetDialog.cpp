#include "app/BackOffsetDialog.h"

#include "app/BackOffsetSetting.h"
#include "compose/BackPlacement.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{

QDoubleSpinBox* offsetBox(const QString& name, double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-compose::MaxBackOffsetMm, compose::MaxBackOffsetMm);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" мм"));
    box->setValue(value);
    return box;
}

} // namespace

BackOffsetDialog::BackOffsetDialog(QPointF offsetMm, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("backOffsetDialog"));
    setWindowTitle(QStringLiteral("Сдвиг обратной стороны"));
    auto* text = new QLabel(
        QStringLiteral("Насколько сдвинуть всё содержимое обратной стороны, как её видно на "
                       "листе. Значения читаются по листу калибровки."),
        this);
    text->setWordWrap(true);
    right_ = offsetBox(QStringLiteral("offsetRight"), offsetMm.x(), this);
    down_ = offsetBox(QStringLiteral("offsetDown"), offsetMm.y(), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Вправо (X):"), right_);
    form->addRow(QStringLiteral("Вниз (Y):"), down_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
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
