#include "app/TwoSidedCommands.h"

#include "app/BackOffsetDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QWidget>

namespace pagula::app
{

TwoSidedCommands::TwoSidedCommands(QWidget* mainWindow, QCheckBox* twoSideBox) : QObject(mainWindow)
{
    offset_ = new QAction(QStringLiteral("Сдвиг обратной стороны..."), mainWindow);
    offset_->setObjectName(QStringLiteral("backOffsetAction"));
    offset_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(offset_, &QAction::triggered, mainWindow, [mainWindow] { editBackOffset(mainWindow); });

    calibration_ = new QAction(QStringLiteral("Лист калибровки двусторонней печати"), mainWindow);
    calibration_->setObjectName(QStringLiteral("calibrationSheetAction"));
    calibration_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    connect(calibration_, &QAction::triggered, this, &TwoSidedCommands::calibrationSheetRequested);

    mainWindow->addAction(offset_);
    mainWindow->addAction(calibration_);
    twoSideBox->setContextMenuPolicy(Qt::ActionsContextMenu);
    twoSideBox->addAction(offset_);
    twoSideBox->addAction(calibration_);
    twoSideBox->setToolTip(QStringLiteral("Правая кнопка мыши: сдвиг обратной стороны, лист "
                                          "калибровки"));
}

} // namespace pagula::app
