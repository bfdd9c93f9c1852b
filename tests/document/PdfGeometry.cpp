#include "PdfGeometry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTransform>

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

namespace pagula::document::test
{

namespace
{

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A PDF object: a number, name, string, array, dictionary, reference or keyword.
struct Value {
    enum Type { Null, Number, Name, String, Array, Dict, Ref, Keyword } type = Null;
    double number = 0.0;
    QByteArray text; // name (without '/'), string bytes or keyword
    QList<Value> items;
    std::map<QByteArray, Value> dict;
    int ref = -1;

    static Value of(Type type, double number = 0.0, QByteArray text = {})
    {
        Value v;
        v.type = type;
        v.number = number;
        v.text = std::move(text);
        return v;
    }

    const Value* get(const QByteArray& key) const
    {
        const auto it = dict.find(key);
        return it == dict.end() ? nullptr : &it->second;
    }
};

bool isWhite(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c)
{
    return isWhite(c) || c == '/' || c == '[' || c == ']' || c == '<' || c == '>' || c == '(' ||
           c == ')' || c == '{' || c == '}' || c == '%';
}

// Reads values from PDF syntax: objects in the file, operands in content streams.
class Lexer
{
public:
    Lexer(const QByteArray& data, qsizetype pos = 0) : d_(data), p_(pos) {}

    qsizetype pos() const { return p_; }
    bool atEnd()
    {
        skipSpace();
        return p_ >= d_.size();
    }

    void skipSpace()
    {
        while (p_ < d_.size()) {
            if (isWhite(d_[p_])) {
                ++p_;
            } else if (d_[p_] == '%') {
                while (p_ < d_.size() && d_[p_] != '\n' && d_[p_] != '\r')
                    ++p_;
            } else {
                break;
            }
        }
    }

    Value value()
    {
        skipSpace();
        if (p_ >= d_.size())
            throw Failure("unexpected end");
        const char c = d_[p_];
        if (c == '/') {
            ++p_;
            return Value::of(Value::Name, 0, word());
        }
        if (c == '(')
            return Value::of(Value::String, 0, literalString());
        if (c == '<' && p_ + 1 < d_.size() && d_[p_ + 1] == '<')
            return dictionary();
        if (c == '<') {
            const qsizetype end = d_.indexOf('>', p_);
            if (end < 0)
                throw Failure("unterminated hex string");
            Value v =
                Value::of(Value::String, 0, QByteArray::fromHex(d_.mid(p_ + 1, end - p_ - 1)));
            p_ = end + 1;
            return v;
        }
        if (c == '[') {
            ++p_;
            Value v = Value::of(Value::Array);
            while (true) {
                skipSpace();
                if (p_ < d_.size() && d_[p_] == ']') {
                    ++p_;
                    return v;
                }
                v.items.append(value());
            }
        }
        if (c == ']' || c == '>' || c == ')')
            throw Failure("unexpected delimiter");
        const QByteArray w = word();
        if (w.isEmpty())
            throw Failure("empty token");
        bool ok = false;
        const double n = w.toDouble(&ok);
        if (!ok)
            return Value::of(Value::Keyword, 0, w);
        // "a b R" is a reference.
        const qsizetype save = p_;
        skipSpace();
        const QByteArray second = peekWord();
        if (!second.isEmpty() && second.toInt(&ok) >= 0 && ok) {
            p_ += second.size();
            skipSpace();
            if (peekWord() == "R") {
                p_ += 1;
                Value r = Value::of(Value::Ref);
                r.ref = int(n);
                return r;
            }
        }
        p_ = save;
        return Value::of(Value::Number, n);
    }

    QByteArray word()
    {
        const qsizetype start = p_;
        while (p_ < d_.size() && !isDelimiter(d_[p_]))
            ++p_;
        return d_.mid(start, p_ - start);
    }

    // Skips an inline image's data up to its "EI".
    void skipInlineImage()
    {
        while (p_ + 2 < d_.size()) {
            if (isWhite(d_[p_]) && d_[p_ + 1] == 'E' && d_[p_ + 2] == 'I' &&
                (p_ + 3 >= d_.size() || isDelimiter(d_[p_ + 3]))) {
                p_ += 3;
                return;
            }
            ++p_;
        }
        p_ = d_.size();
    }

private:
    QByteArray peekWord() const
    {
        qsizetype q = p_;
        while (q < d_.size() && !isDelimiter(d_[q]))
            ++q;
        return d_.mid(p_, q - p_);
    }

    QByteArray literalString()
    {
        QByteArray out;
        int depth = 0;
        ++p_;
        while (p_ < d_.size()) {
            const char c = d_[p_++];
            if (c == '\\' && p_ < d_.size()) {
                out.append(d_[p_++]);
            } else if (c == '(') {
                ++depth;
                out.append(c);
            } else if (c == ')') {
                if (depth-- == 0)
                    return out;
                out.append(c);
            } else {
                out.append(c);
            }
        }
        throw Failure("unterminated string");
    }

    Value dictionary()
    {
        p_ += 2;
        Value v = Value::of(Value::Dict);
        while (true) {
            skipSpace();
            if (p_ + 1 < d_.size() && d_[p_] == '>' && d_[p_ + 1] == '>') {
                p_ += 2;
                return v;
            }
            const Value key = value();
            if (key.type != Value::Name)
                throw Failure("dictionary key is not a name");
            v.dict[key.text] = value();
        }
    }

    const QByteArray& d_;
    qsizetype p_;
};

// The objects of a PDF file, found by scanning for "n g obj" and read when asked for.
class PdfFile
{
public:
    explicit PdfFile(QByteArray data) : data_(std::move(data))
    {
        // Objects start on a line of their own; a later definition replaces an earlier one.
        static const QRegularExpression header(
            QStringLiteral("(?:^|(?<=[\\r\\n]))(\\d+)\\s+\\d+\\s+obj\\b"));
        const QString latin = QString::fromLatin1(data_);
        auto it = header.globalMatch(latin);
        while (it.hasNext()) {
            const auto m = it.next();
            offsets_[m.captured(1).toInt()] = m.capturedEnd();
        }
    }

    const Value& object(int number)
    {
        const auto cached = objects_.find(number);
        if (cached != objects_.end())
            return cached->second.value;
        const auto at = offsets_.find(number);
        if (at == offsets_.end())
            throw Failure("missing object");
        Lexer lexer(data_, at->second);
        Entry entry;
        entry.value = lexer.value();
        lexer.skipSpace();
        if (data_.mid(lexer.pos(), 6) == "stream") {
            qsizetype start = lexer.pos() + 6;
            if (data_[start] == '\r')
                ++start;
            if (data_[start] == '\n')
                ++start;
            const Value* length = entry.value.get("Length");
            const qsizetype size = length ? qsizetype(resolve(*length).number) : -1;
            entry.stream = size >= 0 ? data_.mid(start, size)
                                     : data_.mid(start, data_.indexOf("endstream", start) - start);
            entry.hasStream = true;
        }
        return objects_.emplace(number, std::move(entry)).first->second.value;
    }

    const Value& resolve(const Value& v) { return v.type == Value::Ref ? object(v.ref) : v; }

    // The decoded stream of an object (Flate or none).
    QByteArray stream(int number)
    {
        object(number);
        const Entry& entry = objects_.at(number);
        if (!entry.hasStream)
            throw Failure("not a stream");
        const Value* filter = entry.value.get("Filter");
        if (!filter)
            return entry.stream;
        const Value& f = resolve(*filter);
        const QByteArray name =
            f.type == Value::Array && !f.items.isEmpty() ? f.items[0].text : f.text;
        if (name != "FlateDecode")
            throw Failure("unsupported filter " + name.toStdString());
        // qUncompress takes zlib data behind a four-byte size hint; it grows past a low hint.
        QByteArray framed(4, '\0');
        const quint32 hint = quint32(entry.stream.size()) * 4 + 1024;
        framed[0] = char(hint >> 24);
        framed[1] = char(hint >> 16);
        framed[2] = char(hint >> 8);
        framed[3] = char(hint);
        framed += entry.stream;
        const QByteArray inflated = qUncompress(framed);
        if (inflated.isEmpty() && !entry.stream.isEmpty())
            throw Failure("cannot inflate a stream");
        return inflated;
    }

    std::optional<int> rootPages()
    {
        static const QRegularExpression root(QStringLiteral("/Root\\s+(\\d+)\\s+\\d+\\s+R"));
        const auto m = root.match(QString::fromLatin1(data_.right(4096)));
        if (m.hasMatch()) {
            const Value& catalog = object(m.captured(1).toInt());
            if (const Value* pages = catalog.get("Pages"))
                return pages->ref;
        }
        for (const auto& [number, offset] : offsets_) {
            const Value& v = object(number);
            const Value* type = v.get("Type");
            if (type && type->text == "Catalog" && v.get("Pages"))
                return v.get("Pages")->ref;
        }
        return std::nullopt;
    }

private:
    struct Entry {
        Value value;
        QByteArray stream;
        bool hasStream = false;
    };

    QByteArray data_;
    std::map<int, qsizetype> offsets_;
    std::map<int, Entry> objects_;
};

// Runs a content stream and records images and strokes.
class ContentReader
{
public:
    ContentReader(PdfFile& file, PdfPage& page) : file_(file), page_(page) {}

    void run(const QByteArray& content, const Value& resources, const QTransform& ctm,
             const QRectF& clip, int depth = 0)
    {
        if (depth > 8)
            throw Failure("forms nested too deep");
        struct State {
            QTransform ctm;
            QRectF clip;
            double lineWidth = 1.0;
        };
        QList<State> stack;
        State gs{ctm, clip, 1.0};
        QList<Value> operands;
        QList<QLineF> path;
        QPointF current, start;
        std::optional<QRectF> pendingClip;
        QList<QRectF> rects;

        Lexer lexer(content);
        while (!lexer.atEnd()) {
            const Value v = lexer.value();
            if (v.type != Value::Keyword) {
                operands.append(v);
                continue;
            }
            const QByteArray& op = v.text;
            const auto num = [&](int i) { return i < operands.size() ? operands[i].number : 0.0; };
            if (op == "q") {
                stack.append(gs);
            } else if (op == "Q") {
                if (!stack.isEmpty())
                    gs = stack.takeLast();
            } else if (op == "cm") {
                gs.ctm = QTransform(num(0), num(1), num(2), num(3), num(4), num(5)) * gs.ctm;
            } else if (op == "w") {
                gs.lineWidth = num(0);
            } else if (op == "m") {
                current = start = QPointF(num(0), num(1));
            } else if (op == "l") {
                const QPointF to(num(0), num(1));
                path.append(QLineF(current, to));
                current = to;
            } else if (op == "c" || op == "v" || op == "y") {
                current = QPointF(num(operands.size() - 2), num(operands.size() - 1));
            } else if (op == "h") {
                if (current != start)
                    path.append(QLineF(current, start));
                current = start;
            } else if (op == "re") {
                rects.append(QRectF(num(0), num(1), num(2), num(3)).normalized());
            } else if (op == "W" || op == "W*") {
                QRectF bounds;
                for (const QRectF& r : rects)
                    bounds |= gs.ctm.mapRect(r);
                for (const QLineF& l : path)
                    bounds |= gs.ctm.mapRect(QRectF(l.p1(), l.p2()).normalized());
                pendingClip = bounds;
            } else if (op == "S" || op == "s") {
                const double scale = std::sqrt(std::abs(gs.ctm.determinant()));
                for (const QLineF& l : path)
                    page_.strokes.append({gs.ctm.map(l), gs.lineWidth * scale});
            }
            if (op == "n" || op == "S" || op == "s" || op == "f" || op == "F" || op == "f*" ||
                op == "B" || op == "B*" || op == "b" || op == "b*") {
                if (pendingClip)
                    gs.clip = gs.clip.intersected(*pendingClip);
                pendingClip.reset();
                path.clear();
                rects.clear();
            } else if (op == "Do" && !operands.isEmpty()) {
                draw(operands.last().text, resources, gs.ctm, gs.clip, depth);
            } else if (op == "BI") {
                lexer.skipInlineImage();
            }
            operands.clear();
        }
    }

private:
    void draw(const QByteArray& name, const Value& resources, const QTransform& ctm,
              const QRectF& clip, int depth)
    {
        const Value* xobjects = resources.get("XObject");
        if (!xobjects)
            return;
        const Value* entry = file_.resolve(*xobjects).get(name);
        if (!entry || entry->type != Value::Ref)
            return;
        const Value& object = file_.object(entry->ref);
        const Value* subtype = object.get("Subtype");
        if (subtype && subtype->text == "Image") {
            const QRectF box = ctm.mapRect(QRectF(0, 0, 1, 1));
            page_.images.append(box.intersected(clip));
        } else if (subtype && subtype->text == "Form") {
            QTransform matrix;
            if (const Value* m = object.get("Matrix"); m && m->items.size() == 6)
                matrix = QTransform(m->items[0].number, m->items[1].number, m->items[2].number,
                                    m->items[3].number, m->items[4].number, m->items[5].number);
            const Value* inner = object.get("Resources");
            run(file_.stream(entry->ref), inner ? file_.resolve(*inner) : resources, matrix * ctm,
                clip, depth + 1);
        }
    }

    PdfFile& file_;
    PdfPage& page_;
};

void collectPages(PdfFile& file, int node, QList<int>& pages, int depth = 0)
{
    if (depth > 16)
        throw Failure("page tree too deep");
    const Value& v = file.object(node);
    const Value* type = v.get("Type");
    if (type && type->text == "Page") {
        pages.append(node);
        return;
    }
    const Value* kids = v.get("Kids");
    if (!kids)
        return;
    for (const Value& kid : file.resolve(*kids).items)
        collectPages(file, kid.ref, pages, depth + 1);
}

} // namespace

PdfGeometry readPdfGeometry(const QString& path)
{
    PdfGeometry geometry;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        geometry.error = QStringLiteral("cannot open %1").arg(path);
        return geometry;
    }
    try {
        PdfFile file(f.readAll());
        const std::optional<int> root = file.rootPages();
        if (!root)
            throw Failure("no page tree");
        QList<int> pageObjects;
        collectPages(file, *root, pageObjects);
        for (int number : pageObjects) {
            const Value& page = file.object(number);
            const Value* box = page.get("MediaBox");
            if (!box)
                box = file.object(*root).get("MediaBox");
            if (!box)
                throw Failure("page without a media box");
            const QList<Value>& b = file.resolve(*box).items;
            PdfPage result;
            result.size = QSizeF(b.value(2).number - b.value(0).number,
                                 b.value(3).number - b.value(1).number);

            QByteArray content;
            if (const Value* contents = page.get("Contents")) {
                if (contents->type == Value::Ref && file.resolve(*contents).type != Value::Array) {
                    content = file.stream(contents->ref);
                } else {
                    for (const Value& part : file.resolve(*contents).items)
                        content += file.stream(part.ref) + '\n';
                }
            }
            const Value* resources = page.get("Resources");
            // Page space has its origin at the bottom left; ours at the top left.
            const QTransform flip(1, 0, 0, -1, 0, result.size.height());
            ContentReader reader(file, result);
            reader.run(content, resources ? file.resolve(*resources) : Value{}, flip,
                       QRectF(QPointF(0, 0), result.size).adjusted(-1e6, -1e6, 1e6, 1e6));
            geometry.pages.append(result);
        }
    } catch (const Failure& e) {
        geometry.error = QString::fromStdString(e.what());
    }
    return geometry;
}

} // namespace pagula::document::test
