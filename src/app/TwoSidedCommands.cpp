#include "app/TwoSidedCommands.h"

#include "app/BackOffsetDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QWidget>

namespace pagula::app
{

TwoSidedCommands::TwoSidedCommands(QWidget* mainWindow, QCheckBox* twoSideBox) : QObject(mainWindow)
{
    offset_ = new QAction(
        QCoreApplication::translate("TwoSidedCommands", "Сдвиг обратной стороны..."), mainWindow);
    offset_->setObjectName(QStringLiteral("backOffsetAction"));
    offset_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(offset_, &QAction::triggered, mainWindow, [mainWindow] { editBackOffset(mainWindow); });

    calibration_ = new QAction(
        QCoreApplication::translate("TwoSidedCommands", "Лист калибровки двусторонней печати"),
        mainWindow);
    calibration_->setObjectName(QStringLiteral("calibrationSheetAction"));
    calibration_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    connect(calibration_, &QAction::triggered, this, &TwoSidedCommands::calibrationSheetRequested);

    sidesTest_ = new QAction(
        QCoreApplication::translate("TwoSidedCommands", "Пробная двусторонняя печать"), mainWindow);
    sidesTest_->setObjectName(QStringLiteral("sidesTestAction"));
    sidesTest_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(sidesTest_, &QAction::triggered, this, &TwoSidedCommands::sidesTestRequested);

    for (QAction* action : {offset_, calibration_, sidesTest_}) {
        mainWindow->addAction(action);
        twoSideBox->addAction(action);
    }
    twoSideBox->setContextMenuPolicy(Qt::ActionsContextMenu);
    twoSideBox->setToolTip(QCoreApplication::translate(
        "TwoSidedCommands", "Правая кнопка мыши: сдвиг обратной стороны, лист "
                            "калибровки, пробная двусторонняя печать"));
}

} // namespace pagula::app
