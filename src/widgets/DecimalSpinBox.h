#pragma once

#include <QDoubleSpinBox>

namespace pagula::widgets
{

// A number box for lengths that takes '.' and ',' alike as the decimal separator ("2,5" and
// "2.5" are both 2.5), so that neither is taken for a thousands separator. Anything that is no
// such number cannot be typed; a number outside the range or with too many decimals leaves the
// box without acceptable input (hasAcceptableInput()), for the dialog to say so.
class DecimalSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit DecimalSpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;

private:
    QString numberPart(const QString& text) const;
};

} // namespace pagula::widgets
