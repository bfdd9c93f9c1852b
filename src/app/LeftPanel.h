#pragma once

#include "app/BevelPanel.h"

class QLabel;
class QScrollArea;

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout
namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::app
{

// The main window's left panel: a scroll box holding the layout settings with the page
// schematic, the hidden white picture and the generate button.
class LeftPanel : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Width = 223;

    explicit LeftPanel(QWidget* parent = nullptr);

    layout::LayoutPanel* layoutPanel() const { return layout_; }
    widgets::GradientButton* generateButton() const { return generateButton_; }

private:
    QScrollArea* settingsScroll_;
    layout::LayoutPanel* layout_;
    QLabel* whitePicture_;
    widgets::GradientButton* generateButton_;
};

} // namespace pagula::app
