#pragma once

#include "app/BevelPanel.h"

namespace pagula
{
class TGradBtn;
}

namespace pagula::joblist
{
class TickButtonStrip;
}

namespace pagula::app
{

class AdjustmentsPanel;

// The top strip Panel8 of the right panel: the job list's display columns, ticked count and
// tick buttons, the About button "?" (GradBtn3) at the right end, and under them the picture
// adjustments and output options.
class CommandStrip : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Height = 96;

    CommandStrip(joblist::TickButtonStrip* tickButtons, QWidget* parent = nullptr);

    AdjustmentsPanel* adjustments() const { return adjustments_; }
    TGradBtn* aboutButton() const { return GradBtn3; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* content_;
    AdjustmentsPanel* adjustments_;
    TGradBtn* GradBtn3;
};

} // namespace pagula::app
