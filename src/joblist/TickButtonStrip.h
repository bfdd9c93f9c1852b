#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;

namespace pagula
{
class GradientButton;
class UpDown;
} // namespace pagula

namespace pagula::joblist
{

class JobListModel;

// The strip above the job list: the display column count (Label8, Edit11, UpDown9), the ticked
// count Label11 and the six tick buttons in two framed rows of three.
class TickButtonStrip : public QWidget
{
    Q_OBJECT
public:
    explicit TickButtonStrip(JobListModel* model, QWidget* parent = nullptr);

    QLabel* countLabel() const { return label11_; }
    QLineEdit* columnsEdit() const { return edit11_; }
    UpDown* columnsSpin() const { return upDown9_; }
    // By object name: GradBtn2, GradBtn4 .. GradBtn8.
    GradientButton* button(const QString& objectName) const;

    // The tick buttons' handlers.
    void Button2Click(); // "Выделить все"
    void Button7Click(); // "Сброс"
    void Button3Click(); // "Инвертировать"
    void Button5Click(); // "Четные"
    void Button6Click(); // "Нечетные"
    void Button4Click(); // "Удалить"

signals:
    // The display column count chosen with UpDown9 (1 to 3).
    void displayColumnsChanged(int columns);

private:
    GradientButton* addButton(const QString& name, const QString& caption, const QPoint& at,
                              void (TickButtonStrip::*handler)());
    void Edit11Change();

    JobListModel* model_;
    QLabel* label8_;
    QLineEdit* edit11_;
    UpDown* upDown9_;
    QLabel* label11_;
    QFrame* bevel1_;
    QFrame* bevel2_;
};

} // namespace pagula::joblist
