#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;

namespace pagula::widgets
{
class GradientButton;
class UpDown;
} // namespace pagula::widgets

namespace pagula::joblist
{

class JobListModel;

// The strip above the job list: the display column count (listColumnsCaption, listColumnsEdit,
// listColumnsSpin), the ticked count tickedCountLabel and the six tick buttons in two framed rows
// of three.
class TickButtonStrip : public QWidget
{
    Q_OBJECT
public:
    explicit TickButtonStrip(JobListModel* model, QWidget* parent = nullptr);

    QLabel* countLabel() const { return tickedCountLabel_; }
    QLineEdit* columnsEdit() const { return listColumnsEdit_; }
    widgets::UpDown* columnsSpin() const { return listColumnsSpin_; }
    // By object name: tickAllButton, untickAllButton .. tickOddButton.
    widgets::GradientButton* button(const QString& objectName) const;

    // The tick buttons' handlers.
    void tickAll();      // "Выделить все"
    void untickAll();    // "Сброс"
    void invertTicks();  // "Инвертировать"
    void tickEven();     // "Четные"
    void tickOdd();      // "Нечетные"
    void removeTicked(); // "Удалить"

signals:
    // The display column count chosen with listColumnsSpin (1 to 3).
    void displayColumnsChanged(int columns);

private:
    widgets::GradientButton* addButton(const QString& name, const QString& caption,
                                       const QPoint& at, void (TickButtonStrip::*handler)());
    void onListColumnsEdited();

    JobListModel* model_;
    QLabel* listColumnsCaption_;
    QLineEdit* listColumnsEdit_;
    widgets::UpDown* listColumnsSpin_;
    QLabel* tickedCountLabel_;
    QFrame* firstRowFrame_;
    QFrame* secondRowFrame_;
};

} // namespace pagula::joblist
