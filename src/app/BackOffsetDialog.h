#pragma once

#include <QDialog>
#include <QPointF>

class QDoubleSpinBox;

namespace pagula::app
{

// "Сдвиг обратной стороны": the printer offset of the back side, X to the right and Y down
// as the back page is seen, in steps of 0.5 mm as the calibration sheet reads it.
class BackOffsetDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BackOffsetDialog(QPointF offsetMm, QWidget* parent = nullptr);

    QPointF offset() const;

private:
    QDoubleSpinBox* right_;
    QDoubleSpinBox* down_;
};

// Shows the dialog with the stored offset and stores what the user accepts.
void editBackOffset(QWidget* parent);

} // namespace pagula::app
