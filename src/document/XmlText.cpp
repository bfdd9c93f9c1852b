#include "document/XmlText.h"

#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace pagula::document
{

QString fileUri(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        throw common::Error(
            QStringLiteral("Cannot link to picture \"%1\": not a file name").arg(xmlSafe(path)));
    // Made absolute by hand: QFileInfo would take a name starting with ':' for a resource.
    // Cleaned: a leading "//" would otherwise become a host name in the URI.
    const QString absolute = QDir::cleanPath(
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path);
    const QString uri = QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
    if (QUrl(uri).toLocalFile() == absolute)
        return uri;
    // QUrl garbles noncharacters outside the first plane (U+7FFFF turns into a lone surrogate),
    // which file names may hold: such a name is percent-encoded from its own bytes.
    return QStringLiteral("file://") +
           QString::fromLatin1(QFile::encodeName(absolute).toPercentEncoding("/"));
}

namespace
{
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}
} // namespace

QString xmlSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
        } else if (c.isSurrogate() || !isXmlChar(c.unicode())) {
            out.append(QChar::ReplacementCharacter);
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace pagula::document
