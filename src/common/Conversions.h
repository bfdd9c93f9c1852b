#pragma once

#include <QString>

namespace pagula::common
{

// Number texts as the user sees and types them: '.' is the only decimal separator, whatever
// the user's locale.

// Reads a whole number (leading blanks, an optional sign, decimal digits or '$'/0x hex).
// Throws Error("'%s' is not a valid integer value").
int parseInteger(const QString& text);

// Reads a real number (blanks around it, optional sign, digits with '.', optional exponent).
// Throws Error("'%s' is not a valid floating point value").
double parseDecimal(const QString& text);

// A number the user typed in the window: as parseDecimal, with the dot or the comma (the
// Russian decimal separator) as its one separator. No field takes thousands separators, so
// "2,5" is 2.5 in either language, never 25; "1,000.5" is an error.
// Throws Error("'%s' is not a valid floating point value") naming the text as typed.
double parseTypedDecimal(const QString& text);

// Fixed-point text with exactly one decimal, rounded half away from zero on the decimal
// expansion: 64.333… -> "64.3", 48.25 -> "48.3", 90 -> "90.0", -0.7 -> "-0.7".
QString formatOneDecimal(double value);

// Nearest integer, halves going to the even neighbour (64.5 -> 64, 65.5 -> 66).
int roundHalfEven(double value);

} // namespace pagula::common
