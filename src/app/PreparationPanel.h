#pragma once

#include "imaging/PagePreparation.h"

#include <QGroupBox>

class QCheckBox;

namespace pagula::app
{

// The group "Подготовка страниц": what is done to each page before its crop (page outline,
// straightening, even paper), one switch for all three, and whether pictures keep their
// proportions in the cells. All off at start; the generation reads them live.
class PreparationPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit PreparationPanel(QWidget* parent = nullptr);

    imaging::PreparationOptions preparation() const;
    bool keepProportions() const;

    QCheckBox* findPageBox() const { return findPageBox_; }
    QCheckBox* straightenBox() const { return straightenBox_; }
    QCheckBox* evenBackgroundBox() const { return evenBackgroundBox_; }
    // Checked when all three are, partly when some are; a click turns all three on or off.
    QCheckBox* allBox() const { return allBox_; }
    QCheckBox* keepProportionsBox() const { return keepProportionsBox_; }

private:
    QCheckBox* addBox(const QString& text, const char* name);
    void showAllState();

    QCheckBox* findPageBox_;
    QCheckBox* straightenBox_;
    QCheckBox* evenBackgroundBox_;
    QCheckBox* allBox_;
    QCheckBox* keepProportionsBox_;
};

} // namespace pagula::app
