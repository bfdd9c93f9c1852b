#include "common/BookPages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRandomGenerator>
#include <QStringList>

namespace pagula::bench
{

namespace
{

constexpr double mmPerInch = 25.4;
// Margins (mm): the print is a block of about 100 x 158 mm, close to a cell's proportions.
constexpr double marginSide = 24.0;
constexpr double marginTop = 22.0;
constexpr double marginBottom = 30.0;
constexpr double fontPoints = 10.5;
constexpr double lineSpacing = 1.22;

const char* const vocabulary[] = {
    "the",       "of",        "and",       "to",         "in",        "a",         "is",
    "that",      "for",       "it",        "as",         "was",       "with",      "be",
    "by",        "on",        "not",       "he",         "this",      "are",       "or",
    "his",       "from",      "at",        "which",      "but",       "have",      "an",
    "had",       "they",      "you",       "were",       "their",     "one",       "all",
    "we",        "can",       "her",       "has",        "there",     "been",      "if",
    "more",      "when",      "will",      "would",      "who",       "so",        "no",
    "river",     "mountain",  "village",   "morning",    "evening",   "window",    "garden",
    "letter",    "question",  "answer",    "journey",    "history",   "country",   "people",
    "children",  "teacher",   "student",   "library",    "chapter",   "ancient",   "modern",
    "simple",    "careful",   "quickly",   "slowly",     "together",  "between",   "without",
    "although",  "because",   "therefore", "however",    "perhaps",   "certainly", "possible",
    "important", "different", "necessary", "beautiful",  "difficult", "remember",  "consider",
    "describe",  "discover",  "continue",  "understand", "follow",    "believe",   "return",
    "travelled", "measured",  "observed",  "explained",  "written",   "printed",   "carried",
    "opened",    "closed",    "winter",    "summer",     "autumn",    "spring",    "harbour",
    "market",    "bridge",    "castle",    "forest",     "meadow",    "valley",    "island",
    "captain",   "merchant",  "doctor",    "farmer",     "soldier",   "painter",   "engineer",
    "number",    "figure",    "surface",   "pressure",   "weather",   "distance",  "silence",
    "light",     "shadow",    "colour",    "paper",      "stone",     "water",     "iron",
    "small",     "large",     "long",      "short",      "early",     "late",      "quiet",
    "bright",    "heavy",     "narrow",    "broad",      "strange",   "familiar",  "gentle",
    "found",     "made",      "gave",      "took",       "kept",      "left",      "brought",
    "thought",   "said",      "knew",      "saw",        "heard",     "felt",      "turned",
    "seven",     "twelve",    "hundred",   "thousand",   "first",     "second",    "third",
    "always",    "never",     "often",     "again",      "almost",    "enough",    "rather",
    "along",     "across",    "behind",    "beyond",     "under",     "above",     "within",
    "road",      "house",     "table",     "chair",      "door",      "wall",      "field",
    "ship",      "train",     "station",   "church",     "school",    "street",    "city",
};
constexpr int vocabularySize = int(sizeof(vocabulary) / sizeof(vocabulary[0]));

QString sentence(QRandomGenerator& random)
{
    const int words = 6 + int(random.bounded(12));
    QString s;
    for (int i = 0; i < words; ++i) {
        QString word = QString::fromLatin1(vocabulary[random.bounded(vocabularySize)]);
        if (i == 0)
            word[0] = word[0].toUpper();
        s += word;
        if (i + 1 < words)
            s += random.bounded(9) == 0 ? QStringLiteral(", ") : QStringLiteral(" ");
    }
    return s + (random.bounded(7) == 0 ? QStringLiteral(";") : QStringLiteral("."));
}

} // namespace

BookPage makeBookPage(int number, double dpi)
{
    const double pxPerMm = dpi / mmPerInch;
    QImage page(int(bookPageWidthMm * pxPerMm + 0.5), int(bookPageHeightMm * pxPerMm + 0.5),
                QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(int(fontPoints / 72.0 * dpi + 0.5));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font);
    const double left = marginSide * pxPerMm;
    const double width = (bookPageWidthMm - 2 * marginSide) * pxPerMm;
    const double lineHeight = font.pixelSize() * lineSpacing;
    const double bottom = (bookPageHeightMm - marginBottom) * pxPerMm;
    const double indent = 4.0 * pxPerMm;
    const double space = metrics.horizontalAdvance(QLatin1Char(' '));

    QRandomGenerator random(quint32(1000 + number));
    QStringList read;
    double baseline = marginTop * pxPerMm + metrics.ascent();
    while (baseline <= bottom) {
        // One paragraph of three to seven sentences, justified, its first line indented.
        QStringList words;
        const int sentences = 3 + int(random.bounded(5));
        for (int i = 0; i < sentences; ++i)
            words += sentence(random).split(QLatin1Char(' '));
        int next = 0;
        bool firstLine = true;
        while (next < words.size() && baseline <= bottom) {
            const double room = width - (firstLine ? indent : 0.0);
            QStringList line;
            double used = 0.0;
            while (next < words.size()) {
                const double w = metrics.horizontalAdvance(words[next]);
                if (!line.isEmpty() && used + space + w > room)
                    break;
                used += (line.isEmpty() ? 0.0 : space) + w;
                line << words[next++];
            }
            const bool lastOfParagraph = next == words.size();
            const double gap = lastOfParagraph || line.size() < 2
                                   ? space
                                   : (room - used) / (line.size() - 1) + space;
            double x = left + (firstLine ? indent : 0.0);
            for (const QString& word : line) {
                painter.drawText(QPointF(x, baseline), word);
                x += metrics.horizontalAdvance(word) + gap;
            }
            read << line;
            baseline += lineHeight;
            firstLine = false;
        }
    }
    painter.end();
    return {page.convertToFormat(QImage::Format_Grayscale8), read.join(QLatin1Char(' '))};
}

} // namespace pagula::bench
