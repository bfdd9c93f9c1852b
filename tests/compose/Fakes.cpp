#include "Fakes.h"

#include <QFileInfo>

namespace pagula::compose::test
{

QString RecordingBuilder::dump(size_t d, const QString& fillerPath) const
{
    QStringList out;
    for (const Item& item : docs.at(d).items) {
        if (item.mark != 0) {
            out << QString(QLatin1Char(item.mark));
            continue;
        }
        const document::Cell& c = docs.at(d).cells.at(size_t(item.cell));
        const QString name =
            c.path == fillerPath ? QStringLiteral("F") : QFileInfo(c.path).completeBaseName();
        QString edges;
        for (const auto& [on, letter] :
             {std::pair{c.edges.top, 't'}, std::pair{c.edges.left, 'l'},
              std::pair{c.edges.bottom, 'b'}, std::pair{c.edges.right, 'r'}})
            if (on)
                edges += QLatin1Char(letter);
        out << (edges.isEmpty() ? name : name + QLatin1Char(':') + edges);
    }
    return out.join(QLatin1Char(' '));
}

} // namespace pagula::compose::test
