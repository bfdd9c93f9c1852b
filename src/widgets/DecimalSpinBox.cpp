#include "widgets/DecimalSpinBox.h"

#include "common/Conversions.h"
#include "common/Error.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace pagula::widgets
{

DecimalSpinBox::DecimalSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    setLocale(QLocale::c());
    setGroupSeparatorShown(false);
}

QString DecimalSpinBox::numberPart(const QString& text) const
{
    QString number = text;
    if (!prefix().isEmpty() && number.startsWith(prefix()))
        number.remove(0, prefix().size());
    if (!suffix().isEmpty() && number.endsWith(suffix()))
        number.chop(suffix().size());
    return number.trimmed();
}

QValidator::State DecimalSpinBox::validate(QString& input, int& /*pos*/) const
{
    static const QRegularExpression shape(QStringLiteral("^[+-]?[0-9]*([.,][0-9]*)?$"));
    const QString number = numberPart(input);
    const QRegularExpressionMatch match = shape.match(number);
    if (!match.hasMatch())
        return QValidator::Invalid;
    const QString fraction = match.captured(1);
    if (fraction.size() > decimals() + 1)
        return QValidator::Invalid;
    bool ok = false;
    QString c = number;
    const double value = QLocale::c().toDouble(c.replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok || fraction.size() == 1) // "", "-", "2," are on their way to a number
        return QValidator::Intermediate;
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

double DecimalSpinBox::valueFromText(const QString& text) const
{
    try {
        return common::parseTypedDecimal(numberPart(text));
    } catch (const common::Error&) {
        return value();
    }
}

QString DecimalSpinBox::textFromValue(double value) const
{
    return QLocale::c().toString(value, 'f', decimals());
}

} // namespace pagula::widgets
