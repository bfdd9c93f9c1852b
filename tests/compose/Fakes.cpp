#include "Fakes.h"

#include "document/Engine.h"

#include <QFileInfo>

namespace pagula::compose::test {

QString RecordingEngine::dump(size_t d, const QString& fillerPath) const
{
    QStringList out;
    for (const Item& item : docs.at(d).items) {
        if (item.mark == char(document::ParagraphMark))
            out << QStringLiteral("|");
        else if (item.mark == char(document::LineBreak))
            out << QStringLiteral("/");
        else if (item.mark == char(document::PageBreak))
            out << QStringLiteral("#");
        else {
            const Picture& p = docs.at(d).pictures.at(size_t(item.picture));
            const QString name =
                p.path == fillerPath ? QStringLiteral("F") : QFileInfo(p.path).completeBaseName();
            out << (p.edges.isEmpty() ? name : name + QLatin1Char(':') + p.edges);
        }
    }
    return out.join(QLatin1Char(' '));
}

} // namespace pagula::compose::test
