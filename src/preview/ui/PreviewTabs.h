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

namespace pagula::preview
{

// The preview tab set `previewTabs` for the main window's bottom strip: tab "Просмотр" with
// the `previewBox` switch and the previous/next buttons, tab "Переход" with the `navigateGroup`
// choice. The main window connects it to a PreviewController (see PreviewWiring.h).
class PreviewTabs : public QTabWidget, public PreviewControls
{
    Q_OBJECT
public:
    explicit PreviewTabs(QWidget* parent = nullptr);

    // PreviewControls
    bool previewTicked() const override;
    NavigateMode navigateMode() const override;

    void setPreviewTicked(bool ticked);
    // The icons of the two tabs (42 and 37 of the main window's icon list).
    void setTabIcons(const QIcon& viewTab, const QIcon& navigateTab);

    QCheckBox* previewBox() const { return previewBox_; }
    widgets::GradientButton* previousButton() const { return previousButton_; }
    widgets::GradientButton* nextButton() const { return nextButton_; }
    QGroupBox* navigateGroup() const { return navigateGroup_; }

private:
    QWidget* viewTab_;
    QWidget* navigateTab_;
    QCheckBox* previewBox_;
    widgets::GradientButton* previousButton_;
    widgets::GradientButton* nextButton_;
    QGroupBox* navigateGroup_;
    QButtonGroup* navigateItems_;
};

} // namespace pagula::preview
