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

// The main window's left panel: a scroll box holding the layout settings with the page
// schematic, the hidden white picture `bmp` and the generate button.
class LeftPanel : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Width = 223;

    explicit LeftPanel(QWidget* parent = nullptr);

    LayoutPanel* layoutPanel() const { return layout_; }
    GradientButton* generateButton() const { return generateButton_; }

private:
    QScrollArea* settingsScroll_;
    LayoutPanel* layout_;
    QLabel* bmp;
    GradientButton* generateButton_;
};

} // namespace pagula::app
