#pragma once

#include "app/BevelPanel.h"

class QScrollArea;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::joblist
{
class TickButtonStrip;
}

namespace pagula::app
{

class AdjustmentsPanel;

// The top strip of the right panel: the job list's display columns, ticked count and tick
// buttons, the About button "?" at the right end, and under them the picture
// adjustments and output options. Where the window is too narrow for them, the strip scrolls
// sideways and grows by the scroll bar's height.
class CommandStrip : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Height = 96;

    CommandStrip(joblist::TickButtonStrip* tickButtons, QWidget* parent = nullptr);

    AdjustmentsPanel* adjustments() const { return adjustments_; }
    widgets::GradientButton* aboutButton() const { return aboutButton_; }
    QScrollArea* scroller() const { return scroller_; }
    bool scrollsSideways() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollArea* scroller_;
    QWidget* content_;
    AdjustmentsPanel* adjustments_;
    widgets::GradientButton* aboutButton_;
};

} // namespace pagula::app
