#pragma once

#include "app/BevelPanel.h"

class QLabel;
class QScrollArea;

namespace pagula
{
class LayoutPanel;
class GradientButton;
} // namespace pagula

namespace pagula::app
{

// The main window's left panel Panel1: the scroll box ScrollBox1 holding the layout settings
// with the page schematic, the hidden white picture `bmp` and the generate button GradBtn9.
class LeftPanel : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Width = 223;

    explicit LeftPanel(QWidget* parent = nullptr);

    LayoutPanel* layoutPanel() const { return layout_; }
    GradientButton* generateButton() const { return GradBtn9; }

private:
    QScrollArea* ScrollBox1;
    LayoutPanel* layout_;
    QLabel* bmp;
    GradientButton* GradBtn9;
};

} // namespace pagula::app
