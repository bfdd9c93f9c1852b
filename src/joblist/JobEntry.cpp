#include "joblist/JobEntry.h"

#include "common/PictureAddress.h"
#include <QCoreApplication>

namespace pagula::joblist
{

bool isCropCode(QChar c)
{
    return c == NoCrop || c == CropProfile1 || c == CropProfile2;
}

QChar JobEntry::cropCode() const
{
    return cropProfile == 1 ? CropProfile1 : cropProfile == 2 ? CropProfile2 : NoCrop;
}

JobEntry JobEntry::withCropCode(QChar code) const
{
    return {path, isCropCode(code) ? code.unicode() - u'0' : 0};
}

QString JobEntry::shownText() const
{
    // The blank page's marker is what the list file holds; the list shows it in the user's
    // language.
    if (isBlank())
        return QCoreApplication::translate("JobEntry", "(пустая страница)");
    const common::PictureAddress address = common::PictureAddress::fromText(path);
    if (!address.isPage())
        return path;
    return QCoreApplication::translate("JobEntry", "%1, стр. %2")
        .arg(address.file)
        .arg(address.page);
}

QString JobEntry::text() const
{
    return path + cropCode();
}

JobEntry JobEntry::fromText(const QString& text)
{
    if (text.isEmpty() || !isCropCode(text.back()))
        return {text, 0};
    return {text.chopped(1), text.back().unicode() - u'0'};
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
    return QCoreApplication::translate("JobEntry", "Выбрано файлов: %1").arg(count);
}

} // namespace pagula::joblist
