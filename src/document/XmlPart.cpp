#include "document/XmlPart.h"

#include "common/Error.h"

namespace pagula::document
{

QXmlStreamWriter& XmlPart::start(const char* rootName,
                                 std::initializer_list<std::pair<const char*, QString>> namespaces,
                                 std::optional<bool> standalone)
{
    if (standalone)
        w_.writeStartDocument(QStringLiteral("1.0"), *standalone);
    else
        w_.writeStartDocument();
    w_.writeStartElement(QLatin1String(rootName));
    for (const auto& [prefix, uri] : namespaces)
        w_.writeAttribute(*prefix ? QStringLiteral("xmlns:") + QLatin1String(prefix)
                                  : QStringLiteral("xmlns"),
                          uri);
    return w_;
}

QByteArray XmlPart::finish()
{
    w_.writeEndDocument();
    if (w_.hasError())
        throw common::Error(QStringLiteral("Cannot write the document's XML"));
    return bytes_;
}

} // namespace pagula::document
