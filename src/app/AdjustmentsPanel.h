#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QScrollBar;

namespace pagula::app
{

// The picture adjustments and output options of the main window's top strip: the colour type
// ColorFormat, brightness ScrollBar1 and contrast ScrollBar2 with their percentage labels, the
// frame lines box Frame and the two-sided box TwoSide. The generation reads them live.
class AdjustmentsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AdjustmentsPanel(QWidget* parent = nullptr);

    int brightness() const; // 0..100
    int contrast() const;   // 0..100
    int colorFormat() const; // 0 "Авто", 1 "Оттенки серого", 2 "Черно/белое"

    QGroupBox* colorFormatGroup() const { return ColorFormat; }
    QButtonGroup* colorFormatItems() const { return colorItems_; }
    QScrollBar* brightnessBar() const { return ScrollBar1; }
    QScrollBar* contrastBar() const { return ScrollBar2; }
    QLabel* brightnessLabel() const { return Label14; }
    QLabel* contrastLabel() const { return Label15; }
    QCheckBox* frameBox() const { return Frame; }
    QCheckBox* twoSideBox() const { return TwoSide; }

    // The scroll bars' position changes: their labels show the position and "%".
    void ScrollBar1Change();
    void ScrollBar2Change();

    static QString percentText(int position);

private:
    QScrollBar* addScrollBar(const char* name);

    QGroupBox* ColorFormat;
    QButtonGroup* colorItems_;
    QLabel* Label12;
    QScrollBar* ScrollBar1;
    QLabel* Label14;
    QLabel* Label13;
    QScrollBar* ScrollBar2;
    QLabel* Label15;
    QCheckBox* Frame;
    QCheckBox* TwoSide;
};

} // namespace pagula::app
