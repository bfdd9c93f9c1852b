#include "preview/ui/PreviewWiring.h"

#include "preview/PreviewController.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCheckBox>

namespace pagula::preview
{

void connectPreview(PreviewTabs& tabs, PreviewWindow& window, PreviewController& controller)
{
    PreviewTabs* t = &tabs;
    PreviewController* c = &controller;
    QObject::connect(tabs.previewBox(), &QCheckBox::toggled, t,
                     [t, c] { widgets::runGuarded(t->window(), [c] { c->onPreviewToggled(); }); });
    QObject::connect(tabs.previousButton(), &widgets::GradientButton::clicked, t,
                     [t, c] { widgets::runGuarded(t->window(), [c] { c->showPrevious(); }); });
    QObject::connect(tabs.nextButton(), &widgets::GradientButton::clicked, t,
                     [t, c] { widgets::runGuarded(t->window(), [c] { c->showNext(); }); });
    QObject::connect(&window, &PreviewWindow::previewUntickRequested, t,
                     [t] { t->setPreviewTicked(false); });
}

} // namespace pagula::preview
