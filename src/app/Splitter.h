#pragma once

#include <QSplitter>

namespace pagula::app
{

// A splitter whose handles are plain bars in the system's button-face colour, resizing live.
// Its panes cannot be collapsed away.
class Splitter : public QSplitter
{
    Q_OBJECT
public:
    static constexpr int HandleWidth = 2;

    explicit Splitter(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};

} // namespace pagula::app
