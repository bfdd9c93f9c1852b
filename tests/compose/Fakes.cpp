#include "Fakes.h"

#include <QFileInfo>

namespace pagula::compose::test
{

CompositionSettings FakeSettings::value() const
{
    CompositionSettings s;
    s.twoSided = twoSide;
    for (const QString& t : ticked)
        s.ticked.append(joblist::JobEntry::fromText(t));
    s.columns = cols;
    s.rows = rowCount;
    s.cellWidth = cellW;
    s.cellHeight = cellH;
    s.marginLeft = mLeft;
    s.marginRight = mRight;
    s.marginTop = mTop;
    s.marginBottom = mBottom;
    s.gutterSize = gutter;
    s.gutterSide = side;
    s.backOffset = offset;
    s.brightness = bright;
    s.contrast = contr;
    s.colorType = chosenColorType;
    s.frame = frameOn;
    s.profile1 = profile1;
    s.profile2 = profile2;
    return s;
}

void FakeEvents::progressed(int p)
{
    position = p;
    positions.push_back(p);
    if (p == 0)
        return;
    if (afterCell)
        afterCell();
    if (channel && settings)
        channel->publish(settings->value());
}

PreparedPicture fakePicture(const PictureTask& task)
{
    return {task, QSizeF(100, 100), {}};
}

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
