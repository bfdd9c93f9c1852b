// The front window's commands for both sides of a two-sided run.
#include "app/docwindow/DocumentWindow.h"

#include "app/docwindow/SuggestedNames.h"
#include "common/Paths.h"
#include "document/PdfExport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <QCoreApplication>
#include <algorithm>

namespace pagula::docwindow
{

namespace
{
constexpr int StatusMessageMilliseconds = 8000;
}

void DocumentWindow::setBackSide(std::shared_ptr<const document::Document> back)
{
    if (back_ || !back)
        return;
    back_ = std::move(back);
    saveBothAction_ = new QAction(
        QCoreApplication::translate("BothSidesCommands", "Сохранить обе стороны в PDF..."), this);
    saveBothAction_->setObjectName(QStringLiteral("saveBothSidesAction"));
    saveBothAction_->setIconText(saveBothAction_->text()); // tool buttons drop "..." otherwise
    connect(saveBothAction_, &QAction::triggered, this, [this] { saveBothSides(); });
    printBothAction_ = new QAction(
        QCoreApplication::translate("BothSidesCommands", "Печать обеих сторон..."), this);
    printBothAction_->setObjectName(QStringLiteral("printBothSidesAction"));
    printBothAction_->setIconText(printBothAction_->text());
    connect(printBothAction_, &QAction::triggered, this, [this] { printBothSides(); });
    addAction(saveBothAction_);
    addAction(printBothAction_);
    if (auto* bar = findChild<QToolBar*>(QStringLiteral("documentToolBar"))) {
        QAction* before = bar->actions().value(2); // after "Сохранить как..." and "Печать..."
        bar->insertAction(before, saveBothAction_);
        bar->insertAction(before, printBothAction_);
        // Wide enough for the commands, where the screen allows.
        const int wanted = bar->sizeHint().width();
        const int room = screen() ? screen()->availableGeometry().width() : wanted;
        if (!isMaximized() && wanted > width())
            resize(std::min(wanted, room), height());
    }
    fitToolBars();
}

QString DocumentWindow::bothSidesBase() const
{
    return docwindow::suggestedBaseName(
        pictureFolder(*document_, QFileInfo(common::fillerPicturePath()).absolutePath()), {});
}

bool DocumentWindow::saveBothSides()
{
    if (busy_ || !back_)
        return false;
    SaveFormat pdf;
    pdf.filter = QCoreApplication::translate("BothSidesCommands", "Документ PDF (*.pdf)");
    pdf.suffix = QStringLiteral("pdf");
    const QString name = bothSidesBase();
    const std::optional<SaveTarget> target = askSaveTarget(
        QCoreApplication::translate("BothSidesCommands", "Сохранить обе стороны в PDF"), {pdf},
        QDir(suggestedFolder()).filePath(name));
    if (!target)
        return false;
    const auto front = document_;
    const auto back = back_;
    const QString path = target->path;
    const std::optional<document::ExportResult> result =
        runExport(QCoreApplication::translate("BothSidesCommands", "Сохранение"),
                  [front, back, path, name](const auto& p) {
                      document::PdfOptions options;
                      options.title = name;
                      return document::saveInterleavedPdf(*front, *back, path, options, p);
                  });
    if (!result || result->cancelled)
        return false;
    statusBar()->showMessage(QCoreApplication::translate("BothSidesCommands", "Сохранено: %1")
                                 .arg(QDir::toNativeSeparators(path)),
                             StatusMessageMilliseconds);
    return true;
}

} // namespace pagula::docwindow
