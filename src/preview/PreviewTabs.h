#pragma once

#include "preview/PreviewPorts.h"

#include <QTabWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QIcon;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::preview {

// The preview tab set `previewTabs` for the main window's bottom strip: tab "Просмотр" with
// the `Preview` switch and the previous/next buttons, tab "Переход" with the `Navigate`
// choice. The main window connects it to a PreviewController (see PreviewWiring.h).
class PreviewTabs : public QTabWidget, public PreviewControls {
    Q_OBJECT
public:
    explicit PreviewTabs(QWidget* parent = nullptr);

    // PreviewControls
    bool previewTicked() const override;
    NavigateMode navigateMode() const override;

    void setPreviewTicked(bool ticked);
    // The icons of the two tabs (42 and 37 of the main window's icon list).
    void setTabIcons(const QIcon& viewTab, const QIcon& navigateTab);

    QCheckBox* previewBox() const { return Preview; }
    widgets::GradientButton* previousButton() const { return previousButton_; }
    widgets::GradientButton* nextButton() const { return nextButton_; }
    QGroupBox* navigateGroup() const { return Navigate; }

private:
    QWidget* viewTab_;
    QWidget* navigateTab_;
    QCheckBox* Preview;
    widgets::GradientButton* previousButton_;
    widgets::GradientButton* nextButton_;
    QGroupBox* Navigate;
    QButtonGroup* navigateItems_;
};

} // namespace pagula::preview
