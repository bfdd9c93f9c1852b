#pragma once

#include "document/PictureFormat.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QScrollBar;

namespace pagula::app
{

// The picture adjustments and output options of the main window's top strip: the colour type
// group, the brightness and contrast bars with their percentage labels, the frame lines box and
// the two-sided box. The generation reads them live.
class AdjustmentsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AdjustmentsPanel(QWidget* parent = nullptr);

    int brightness() const;                // 0..100
    int contrast() const;                  // 0..100
    document::ColorType colorType() const; // "Авто", "Оттенки серого" or "Черно/белое"

    QGroupBox* colorFormatGroup() const { return colorFormatGroup_; }
    QButtonGroup* colorFormatItems() const { return colorItems_; }
    QScrollBar* brightnessBar() const { return brightnessBar_; }
    QScrollBar* contrastBar() const { return contrastBar_; }
    QLabel* brightnessLabel() const { return brightnessLabel_; }
    QLabel* contrastLabel() const { return contrastLabel_; }
    QCheckBox* frameBox() const { return frameBox_; }
    QCheckBox* twoSideBox() const { return twoSideBox_; }

    // The scroll bars' position changes: their labels show the position and "%".
    void onBrightnessMoved();
    void onContrastMoved();

    static QString percentText(int position);

private:
    QScrollBar* addScrollBar(const char* name);

    QGroupBox* colorFormatGroup_;
    QButtonGroup* colorItems_;
    QLabel* brightnessCaption_;
    QScrollBar* brightnessBar_;
    QLabel* brightnessLabel_;
    QLabel* contrastCaption_;
    QScrollBar* contrastBar_;
    QLabel* contrastLabel_;
    QCheckBox* frameBox_;
    QCheckBox* twoSideBox_;
};

} // namespace pagula::app
