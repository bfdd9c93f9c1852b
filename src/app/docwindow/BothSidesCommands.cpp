// The front window's commands for both sides of a two-sided run.
#include "app/docwindow/DocumentWindow.h"

#include "document/PdfExport.h"

#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

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
    saveBothAction_ = new QAction(QStringLiteral("Сохранить обе стороны в PDF..."), this);
    saveBothAction_->setObjectName(QStringLiteral("saveBothSidesAction"));
    connect(saveBothAction_, &QAction::triggered, this, [this] { saveBothSides(); });
    printBothAction_ = new QAction(QStringLiteral("Печать обеих сторон..."), this);
    printBothAction_->setObjectName(QStringLiteral("printBothSidesAction"));
    connect(printBothAction_, &QAction::triggered, this, [this] { printBothSides(); });
    addAction(saveBothAction_);
    addAction(printBothAction_);
    if (auto* bar = findChild<QToolBar*>(QStringLiteral("documentToolBar"))) {
        QAction* before = bar->actions().value(2); // after "Сохранить как..." and "Печать..."
        bar->insertAction(before, saveBothAction_);
        bar->insertAction(before, printBothAction_);
    }
}

bool DocumentWindow::saveBothSides()
{
    if (busy_ || !back_)
        return false;
    SaveFormat pdf;
    pdf.filter = QStringLiteral("Документ PDF (*.pdf)");
    pdf.suffix = QStringLiteral("pdf");
    const std::optional<SaveTarget> target =
        askSaveTarget(QStringLiteral("Сохранить обе стороны в PDF"), {pdf});
    if (!target)
        return false;
    const auto front = document_;
    const auto back = back_;
    const QString path = target->path;
    const std::optional<document::ExportResult> result =
        runExport(QStringLiteral("Сохранение"), [front, back, path](const auto& p) {
            return document::saveInterleavedPdf(*front, *back, path, {}, p);
        });
    if (!result || result->cancelled)
        return false;
    statusBar()->showMessage(QStringLiteral("Сохранено: %1").arg(QDir::toNativeSeparators(path)),
                             StatusMessageMilliseconds);
    return true;
}

bool DocumentWindow::printBothSides()
{
    if (busy_ || !back_)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle());
    printer.setDuplex(QPrinter::DuplexLongSide);
    if (!askPrinter(printer))
        return false;
    // The export is synchronous: the documents and the job outlive it.
    const auto job = std::make_shared<document::TwoSidedJob>(*document_, *back_);
    int printed = 0;
    auto run = [&](std::function<document::ExportResult(const document::ProgressCallback&)> work) {
        const std::optional<document::ExportResult> result =
            runExport(QStringLiteral("Печать"), std::move(work));
        if (!result || result->cancelled)
            return false;
        printed += result->pagesWritten;
        return true;
    };
    if (document::twoSidedModeFor(printer) == document::TwoSidedMode::Duplex) {
        if (!run([&printer, job](const auto& p) {
                return document::printDuplex(*job, printer, {}, p);
            }))
            return false;
    } else {
        if (!run([&printer, job](const auto& p) {
                return document::printFronts(*job, printer, {}, p);
            }))
            return false;
        const std::optional<document::SheetStacking> stacking = askTurnStack(job->sheetCount());
        if (!stacking)
            return false;
        if (!run([&printer, job, s = *stacking](const auto& p) {
                return document::printBacks(*job, s, printer, {}, p);
            }))
            return false;
    }
    statusBar()->showMessage(QStringLiteral("Напечатано страниц: %1").arg(printed),
                             StatusMessageMilliseconds);
    return true;
}

std::optional<document::SheetStacking> DocumentWindow::askTurnStack(int sheets)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Pagula"),
                    QStringLiteral("Лицевые стороны напечатаны (листов: %1). Возьмите стопку из "
                                   "лотка, не меняя порядка листов, переверните её по длинному "
                                   "краю и вложите обратно в лоток подачи.")
                        .arg(sheets),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("turnStackBox"));
    box.setInformativeText(QStringLiteral("Как принтер выкладывает листы?"));
    QPushButton* faceDown =
        box.addButton(QStringLiteral("Лицом вниз: печатать обороты"), QMessageBox::AcceptRole);
    QPushButton* faceUp =
        box.addButton(QStringLiteral("Лицом вверх: печатать обороты"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(faceDown);
    box.exec();
    if (box.clickedButton() == faceDown)
        return document::SheetStacking::FaceDown;
    if (box.clickedButton() == faceUp)
        return document::SheetStacking::FaceUp;
    return std::nullopt;
}

} // namespace pagula::docwindow
