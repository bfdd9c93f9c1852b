#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

#include <initializer_list>
#include <optional>
#include <utility>

namespace pagula::document
{

// One XML part of a word-processor package, written into memory.
class XmlPart
{
public:
    XmlPart() : w_(&bytes_) {}
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    QXmlStreamWriter& operator*() { return w_; }
    QXmlStreamWriter* operator->() { return &w_; }

    // The XML declaration (with standalone="yes" or "no" when given) and the root element with
    // its namespace declarations; an empty prefix declares the default namespace.
    QXmlStreamWriter& start(const char* rootName,
                            std::initializer_list<std::pair<const char*, QString>> namespaces,
                            std::optional<bool> standalone = std::nullopt);

    // Closes every open element; throws pagula::common::Error when the writer failed.
    QByteArray finish();

private:
    QByteArray bytes_;
    QXmlStreamWriter w_;
};

inline void attr(QXmlStreamWriter& w, const char* name, const QString& value)
{
    w.writeAttribute(QLatin1String(name), value);
}

} // namespace pagula::document
