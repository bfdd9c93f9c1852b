#include "cli/TerminalText.h"

#include <QList>

namespace pagula::cli
{

namespace
{

bool needsEscape(char32_t c)
{
    // C0, DEL and C1 controls, and the format characters that reorder or hide text.
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return true;
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

QString escaped(char32_t c)
{
    switch (c) {
    case 0x1B:
        return QStringLiteral("\\e");
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c <= 0xFF)
        return QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

} // namespace

QString terminalSafe(const QString& text, int maxLength)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (needsEscape(c))
            out += escaped(c);
        else
            out += QString::fromUcs4(&c, 1);
    }
    if (maxLength > 3 && out.size() > maxLength) {
        const qsizetype head = (maxLength - 3) / 2;
        const qsizetype tail = maxLength - 3 - head;
        // Never split a surrogate pair.
        qsizetype h = head;
        if (h > 0 && out.at(h - 1).isHighSurrogate())
            --h;
        qsizetype t = out.size() - tail;
        if (t < out.size() && out.at(t).isLowSurrogate())
            ++t;
        out = out.left(h) + QStringLiteral("...") + out.mid(t);
    }
    return out;
}

QString shownName(const QString& name)
{
    return terminalSafe(name, 160);
}

} // namespace pagula::cli
