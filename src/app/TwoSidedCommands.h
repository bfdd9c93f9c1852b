#pragma once

#include <QObject>

class QAction;
class QCheckBox;
class QWidget;

namespace pagula::app
{

// The main window's commands for two-sided printing, offered on the "Двусторонняя печать"
// box's context menu and as shortcuts of the window: "Сдвиг обратной стороны...",
// "Лист калибровки двусторонней печати" and "Пробная двусторонняя печать".
class TwoSidedCommands : public QObject
{
    Q_OBJECT
public:
    TwoSidedCommands(QWidget* mainWindow, QCheckBox* twoSideBox);

    QAction* offsetAction() const { return offset_; }
    QAction* calibrationAction() const { return calibration_; }
    QAction* sidesTestAction() const { return sidesTest_; }

signals:
    void calibrationSheetRequested();
    void sidesTestRequested();

private:
    QAction* offset_;
    QAction* calibration_;
    QAction* sidesTest_;
};

} // namespace pagula::app
