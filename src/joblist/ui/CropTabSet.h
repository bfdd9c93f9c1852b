#pragma once

#include "joblist/CropMode.h"

#include <QTabWidget>
#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace pagula::widgets
{
class GradientButton;
class UpDown;
} // namespace pagula::widgets

namespace pagula::joblist
{

class JobListModel;

// The crop tab set cropTabs: the crop mode and the bulk crop commands on the first tab, the
// two crop profiles (four stepped percentages each) with their "Применить" buttons on the other
// two. The composition and the preview read the mode and the profiles live from here.
class CropTabSet : public QTabWidget
{
    Q_OBJECT
public:
    explicit CropTabSet(JobListModel* model, QWidget* parent = nullptr);

    CropMode cropMode() const;
    // Profile 1 (one-side, profileOneLeftSpin..profileOneBottomSpin) or profile 2 (two-side,
    // profileTwoLeftSpin..profileTwoBottomSpin).
    CropProfile profile(int number) const;
    // The eight spin buttons profileOneLeftSpin..profileTwoBottomSpin, index 0..7.
    widgets::UpDown* spin(int index) const { return spins_[static_cast<size_t>(index)]; }
    QLineEdit* spinEdit(int index) const { return edits_[static_cast<size_t>(index)]; }

    void cropAll();      // crop "Выделить все"
    void resetCrop();    // crop "Сброс"
    void applyProfile(); // "Применить" on either profile tab

signals:
    // "Применить": the preview shows the current entry again with the changed percentages.
    void previewRefreshRequested();

private:
    QWidget* buildModeTab();
    QWidget* buildProfileTab(const QString& name, int firstSpin, const QString& applyName);
    void addProfileValue(QWidget* tab, int spinIndex, const QString& valueName,
                         const QString& caption, const QPoint& at);
    widgets::GradientButton* addButton(QWidget* tab, const QString& name, const QString& caption,
                                       const QRect& geometry);

    JobListModel* model_;
    QRadioButton* cropType_ = nullptr;
    QRadioButton* twoSideMode_ = nullptr;
    std::array<widgets::UpDown*, 8> spins_{};
    std::array<QLineEdit*, 8> edits_{};
};

} // namespace pagula::joblist
