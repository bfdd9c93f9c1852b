#pragma once

#include <QDialog>
#include <QPointF>

class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

namespace pagula::app
{

// "Сдвиг обратной стороны": the printer offset of the back side, X to the right and Y down
// as the back page is seen, in steps of 0.5 mm as the calibration sheet reads it. "2,5" and
// "2.5" both read 2.5 mm; what is no number in range keeps OK disabled and says why.
class BackOffsetDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BackOffsetDialog(QPointF offsetMm, QWidget* parent = nullptr);

    QPointF offset() const;

    void accept() override;

private:
    void showInputState();

    QDoubleSpinBox* right_;
    QDoubleSpinBox* down_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

// Shows the dialog with the stored offset and stores what the user accepts.
void editBackOffset(QWidget* parent);

} // namespace pagula::app
