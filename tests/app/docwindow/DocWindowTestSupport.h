#pragma once

#include "document/Document.h"
#include "document/PictureSource.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace pagula::docwindow::test
{

// Saves a small PNG of one colour and returns its path.
QString saveSolidPicture(const QString& path, QColor color, QSize size = {24, 24});

// A document made through the built-in engine the way the composition makes it: 20 pt
// margins, every picture inserted at the end and sized to `cell`, a paragraph mark after
// every `columns` pictures.
std::shared_ptr<document::Document> gridDocument(const QStringList& paths, int columns,
                                                 QSizeF cell);

// Nine pictures of distinct colours on one page, three by three.
struct ColourGrid {
    QStringList paths;
    QList<QColor> colours;
};
ColourGrid makeColourGrid(const QString& folder, int pictures = 9);
constexpr double GridCellWidth = 180.0;
constexpr double GridCellHeight = 260.0;

// A decoder that records which files it was asked for (from any thread) and that can be held
// shut, so a test can tell what was rendered and keep the worker busy while it acts.
class RecordingDecoder
{
public:
    document::PictureSource::Decoder decoder();
    QStringList decodedPaths() const;
    void clear();
    void hold();
    void release();
    // Whether a decode is waiting at the gate.
    bool isHeld() const;
    // Waits until a decode is waiting at the gate (true) or a timeout, without processing
    // events.
    bool waitUntilHeld(int milliseconds);

private:
    struct State {
        mutable std::mutex mutex;
        std::condition_variable changed;
        QStringList paths;
        bool holding = false;
        int waiting = 0;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace pagula::docwindow::test
