#include "common/Conversions.h"

#include "common/Error.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace pagula::common
{

namespace
{

[[noreturn]] void throwInt(const QString& text)
{
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

[[noreturn]] void throwFloat(const QString& text)
{
    throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - '0';
    const char16_t l = c.toLower().unicode();
    if (l >= u'a' && l <= u'f')
        return l - u'a' + 10;
    return -1;
}

} // namespace

int parseInteger(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        throwInt(text);
    long long value = 0;
    for (; i < n; ++i) {
        const int d =
            base == 16 ? hexValue(text[i]) : (isDigit(text[i]) ? text[i].unicode() - '0' : -1);
        if (d < 0)
            throwInt(text);
        value = value * base + d;
        if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL))
            throwInt(text);
    }
    if (negative)
        value = -value;
    if (base == 10 &&
        (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()))
        throwInt(text);
    // Hex texts wrap into the signed range, as a 32-bit register would hold them.
    return int(static_cast<unsigned int>(value));
}

double parseDecimal(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    const int n = int(t.size());
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        throwFloat(text);
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        int expDigits = 0;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            throwFloat(text);
    }
    if (i != n)
        throwFloat(text);
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        throwFloat(text);
    return v;
}

double parseTypedDecimal(const QString& text)
{
    QString t = text;
    if (t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.')))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    try {
        return parseDecimal(t);
    } catch (const Error&) {
        throwFloat(text);
    }
}

QString formatOneDecimal(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Round the 18-significant-digit decimal expansion, so that a value such as 48.25 goes up
    // exactly as its decimal text says, not as its binary neighbour would.
    // to_chars ignores the C locale, which Qt sets from the environment.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                   std::chars_format::scientific, 17);
    *res.ptr = '\0';
    // buf = "d.ddddddddddddddddde±XX"
    std::string mantissa;
    mantissa += buf[0];
    mantissa.append(buf + 2, 17);
    const int exponent = std::atoi(buf + 20);
    // Digits before the decimal point: exponent + 1. Keep one after it.
    const int keep = exponent + 2;
    std::string digits; // the integer value of |value| * 10, as decimal digits
    if (keep <= 0) {
        digits = (keep == 0 && mantissa[0] >= '5') ? "1" : "0";
    } else {
        std::string padded = mantissa;
        while (int(padded.size()) <= keep)
            padded += '0';
        digits = padded.substr(0, keep);
        if (padded[keep] >= '5') {
            int k = keep - 1;
            while (k >= 0 && digits[k] == '9')
                digits[k--] = '0';
            if (k < 0)
                digits.insert(digits.begin(), '1');
            else
                ++digits[k];
        }
    }
    while (digits.size() < 2)
        digits.insert(digits.begin(), '0');
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero) ? "-" : "";
    out += digits.substr(0, digits.size() - 1);
    out += '.';
    out += digits.back();
    return QString::fromLatin1(out.c_str());
}

int roundHalfEven(double value)
{
    const double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

} // namespace pagula::common
