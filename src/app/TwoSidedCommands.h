#pragma once

#include <QObject>

class QAction;
class QCheckBox;
class QWidget;

namespace pagula::app
{

// The main window's commands for two-sided printing, offered on the "Двусторонняя печать"
// box's context menu and as shortcuts of the window: "Сдвиг обратной стороны..." and
// "Лист калибровки двусторонней печати".
class TwoSidedCommands : public QObject
{
    Q_OBJECT
public:
    TwoSidedCommands(QWidget* mainWindow, QCheckBox* twoSideBox);

    QAction* offsetAction() const { return offset_; }
    QAction* calibrationAction() const { return calibration_; }

signals:
    void calibrationSheetRequested();

private:
    QAction* offset_;
    QAction* calibration_;
};

} // namespace pagula::app
