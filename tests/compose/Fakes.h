#pragma once

// Plain-data stand-ins for the main window, the progress dialog and the word processor, so the
// composition can be driven and its result read back as text.

#include "common/Error.h"
#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "document/Engine.h"

#include <QMap>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace pagula::compose::test {

struct FakeSettings : CompositionSettings {
    bool twoSide = false;
    QStringList ticked;
    int cols = 3, rowCount = 3;
    double cellW = 64.3, cellH = 90.0;
    int mLeft = 7, mRight = 10, mTop = 7, mBottom = 20;
    int gutter = 6;
    int side = GutterLeft;
    QPointF offset; // mm
    int bright = 50, contr = 50, colorFmt = 1;
    bool frameOn = true;
    CropProfile profile1, profile2;
    std::vector<int> gutterSideWrites;

    bool twoSided() override { return twoSide; }
    QStringList tickedEntries() override { return ticked; }
    int columns() override { return cols; }
    int rows() override { return rowCount; }
    double cellWidth() override { return cellW; }
    double cellHeight() override { return cellH; }
    int marginLeft() override { return mLeft; }
    int marginRight() override { return mRight; }
    int marginTop() override { return mTop; }
    int marginBottom() override { return mBottom; }
    int gutterSize() override { return gutter; }
    int gutterSide() override { return side; }
    QPointF backOffset() override { return offset; }
    void setGutterSide(int s) override
    {
        side = s;
        gutterSideWrites.push_back(s);
    }
    int brightness() override { return bright; }
    int contrast() override { return contr; }
    int colorFormat() override { return colorFmt; }
    bool frame() override { return frameOn; }
    CropProfile cropProfile(int p) override { return p == 1 ? profile1 : profile2; }
};

struct FakeDialog : ProgressDialog {
    bool visible = false;
    CancelFlag flag;
    QStringList statuses;
    int shows = 0, closes = 0;

    void setStatus(const QString& t) override { statuses << t; }
    void show() override
    {
        flag.shown(visible);
        visible = true;
        ++shows;
    }
    void close() override
    {
        visible = false;
        ++closes;
    }
    void repaint() override {}
    int cancelFlag() const override { return flag.value(); }
};

struct FakeHost : CompositionHost {
    int minimum = -1, maximum = -1, position = -1;
    std::vector<int> positions;
    std::vector<int> maxima;
    QStringList errors, messages, informations;
    std::function<void()> onProcessEvents;
    int pumps = 0;

    void setProgressRange(int lo, int hi) override
    {
        minimum = lo;
        maximum = hi;
        maxima.push_back(hi);
    }
    void setProgressPosition(int p) override
    {
        position = p;
        positions.push_back(p);
    }
    void repaintProgress() override {}
    void processEvents() override
    {
        ++pumps;
        if (onProcessEvents)
            onProcessEvents();
    }
    void showError(const QString& t) override { errors << t; }
    void showMessage(const QString& t) override { messages << t; }
    void showInformation(const QString& t) override { informations << t; }
};

// Records what a word processor would hold: per document its margins and content.
class RecordingEngine : public document::Engine {
public:
    struct Picture {
        QString path;
        bool linked = false, stored = true;
        QSizeF own{100, 100}; // points at 100 %
        double width = 0, height = 0;
        bool scaleReset = false;
        float brightness = -1, contrast = -1;
        int colorType = 0;
        std::map<document::CropSide, float> crops;
        QString edges; // letters t, l, b, r in the order set
    };
    struct Item {
        char mark = 0; // 0 for a picture, else the control character
        int picture = -1;
    };
    struct Doc {
        float top = -1, left = -1, bottom = -1, right = -1;
        std::vector<Item> items;
        std::vector<Picture> pictures;
    };

    std::vector<Doc> docs;
    QStringList calls; // application-level operations in order
    QMap<QString, QSizeF> ownSizes; // file name -> own size in points
    QStringList missing;            // file names whose insertion fails
    bool failConnect = false;
    int rangeStart = 0, rangeEnd_ = 0;

    void connect() override
    {
        calls << QStringLiteral("connect");
        if (failConnect)
            throw pagula::Error(QStringLiteral("no application"));
    }
    void disableOptions() override { calls << QStringLiteral("options"); }
    void setCaption(const QString& c) override { calls << QStringLiteral("caption ") + c; }
    void showAndActivate() override { calls << QStringLiteral("show"); }
    void releaseApplication() override { calls << QStringLiteral("releaseApp"); }
    void addDocument() override
    {
        calls << QStringLiteral("addDocument");
        docs.emplace_back();
        rangeStart = rangeEnd_ = 0;
    }
    void releaseDocument() override { calls << QStringLiteral("releaseDoc"); }
    void setTopMargin(float v) override { doc().top = v; }
    void setLeftMargin(float v) override { doc().left = v; }
    void setBottomMargin(float v) override { doc().bottom = v; }
    void setRightMargin(float v) override { doc().right = v; }
    void selectWholeDocument() override
    {
        rangeStart = 0;
        rangeEnd_ = int(doc().items.size());
    }
    int rangeEnd() override { return rangeEnd_; }
    void setRange(int s, int e) override
    {
        rangeStart = s;
        rangeEnd_ = e;
    }
    void insertAfter(const QString& text) override
    {
        for (QChar c : text)
            doc().items.push_back(Item{char(c.unicode()), -1});
        rangeEnd_ = int(doc().items.size());
    }
    void addPicture(const QString& path, bool link, bool store) override
    {
        if (missing.contains(path))
            throw pagula::Error(QStringLiteral("Cannot insert picture %1: Cannot open file %1").arg(path));
        Picture p;
        p.path = path;
        p.linked = link;
        p.stored = store;
        p.own = ownSizes.value(path, QSizeF(100, 100));
        p.width = p.own.width() * 0.5; // inserted scaled, as a large picture would be
        p.height = p.own.height() * 0.5;
        doc().pictures.push_back(p);
        doc().items.push_back(Item{0, int(doc().pictures.size()) - 1});
    }
    int pictureCount() override { return int(doc().pictures.size()); }
    void setScaleHeight(int n, float v) override
    {
        pic(n).height = pic(n).own.height() * v / 100.0;
        pic(n).scaleReset = true;
    }
    void setScaleWidth(int n, float v) override { pic(n).width = pic(n).own.width() * v / 100.0; }
    float width(int n) override { return float(pic(n).width); }
    float height(int n) override { return float(pic(n).height); }
    void setWidth(int n, float v) override { pic(n).width = v; }
    void setHeight(int n, float v) override { pic(n).height = v; }
    void setBrightness(int n, float v) override { pic(n).brightness = v; }
    void setContrast(int n, float v) override { pic(n).contrast = v; }
    void setColorType(int n, document::ColorType t) override { pic(n).colorType = int(t); }
    void setCrop(int n, document::CropSide side, float v) override { pic(n).crops[side] = v; }
    void setBorder(int n, document::BorderEdge e, int style, int width) override
    {
        if (style != document::LineStyleSingle || width != document::LineWidthQuarterPoint)
            throw pagula::Error(QStringLiteral("unexpected border"));
        pic(n).edges += QString("tlbr").at(int(e) - 1);
    }

    Doc& doc()
    {
        if (docs.empty())
            throw pagula::Error(QStringLiteral("no document"));
        return docs.back();
    }
    Picture& pic(int n)
    {
        if (n < 1 || n > int(doc().pictures.size()))
            throw pagula::Error(QStringLiteral("no picture %1").arg(n));
        return doc().pictures[size_t(n - 1)];
    }

    // The content of document d as text: each picture as its file's base name (a filler as F)
    // with its edges, marks as "|" (paragraph), "/" (line break), "#" (page break).
    QString dump(size_t d, const QString& fillerPath) const;
};

} // namespace pagula::compose::test
