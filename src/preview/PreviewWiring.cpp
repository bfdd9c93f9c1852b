#include "preview/PreviewWiring.h"

#include "preview/PreviewController.h"
#include "preview/PreviewTabs.h"
#include "preview/TForm4.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCheckBox>

namespace pagula::preview {

void connectPreview(PreviewTabs& tabs, TForm4& window, PreviewController& controller)
{
    PreviewTabs* t = &tabs;
    PreviewController* c = &controller;
    QObject::connect(tabs.previewBox(), &QCheckBox::toggled, t,
                     [t, c] { runGuarded(t->window(), [c] { c->PreviewClick(); }); });
    QObject::connect(tabs.previousButton(), &GradientButton::clicked, t,
                     [t, c] { runGuarded(t->window(), [c] { c->Button8Click(); }); });
    QObject::connect(tabs.nextButton(), &GradientButton::clicked, t,
                     [t, c] { runGuarded(t->window(), [c] { c->Button9Click(); }); });
    QObject::connect(&window, &TForm4::previewUntickRequested, t,
                     [t] { t->setPreviewTicked(false); });
}

} // namespace pagula::preview
