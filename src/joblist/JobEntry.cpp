#include "joblist/JobEntry.h"

namespace pagula::joblist
{

bool isCropCode(QChar c)
{
    return c == NoCrop || c == CropProfile1 || c == CropProfile2;
}

QString entryPath(const QString& entry)
{
    return entry.left(entry.size() - 1);
}

QChar entryCropCode(const QString& entry)
{
    return entry.isEmpty() ? QChar() : entry.back();
}

int entryCropNumber(const QString& entry)
{
    const QChar c = entryCropCode(entry);
    return isCropCode(c) ? c.unicode() - '0' : 0;
}

QString withCropCode(const QString& entry, QChar code)
{
    QString result = entry;
    if (result.isEmpty())
        result.append(code);
    else
        result.back() = code;
    return result;
}

QString makeEntry(const QString& path, QChar code)
{
    return path + code;
}

QString blankEntry()
{
    return makeEntry(BlankMarker, NoCrop);
}

bool containsBlankMarker(const QString& entry)
{
    return entry.contains(BlankMarker);
}

QString filePathIn(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool hasLineBreak(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            return true;
    }
    return false;
}

QString tickedCountText(int count)
{
    return QStringLiteral("Выбрано файлов: ") + QString::number(count);
}

} // namespace pagula::joblist
