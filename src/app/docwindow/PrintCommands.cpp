// The document window's printing: "Печать..." and "Печать обеих сторон...", the print dialog,
// the second pass of two-sided printing by hand, and what the print service makes of the jobs.
#include "app/docwindow/DocumentWindow.h"

#include "app/docwindow/ExportProgress.h"
#include "app/docwindow/PrintJobWatch.h"
#include "document/PrintExport.h"
#include "widgets/ErrorReport.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>

namespace pagula::docwindow
{

namespace
{

constexpr int StatusMessageMilliseconds = 8000;

// Keeps a widget hidden: Qt's print dialog shows its parts again as it comes up and as the
// printer changes.
class KeptHidden : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QWidget*>(watched)->hide();
        return false;
    }
};

// Choices of Qt's print dialog that the program's prints do not offer: every print is of
// whole documents (no page range, no odd or even pages only, no reversed order); a
// two-sided print chooses its sides itself.
void hideDialogChoices(QPrintDialog& dialog, bool twoSided)
{
    QStringList names{QStringLiteral("gbPrintRange"), QStringLiteral("reverse")};
    if (twoSided)
        names << QStringLiteral("duplex");
    auto* keeper = new KeptHidden(&dialog);
    for (const QString& name : names) {
        if (auto* widget = dialog.findChild<QWidget*>(name)) {
            widget->hide();
            widget->installEventFilter(keeper);
        }
    }
}

QString jobStateText(const document::JobState& state)
{
    switch (state.stage) {
    case document::JobState::Waiting:
        return QCoreApplication::translate("PrintCommands", "Задание ждёт очереди на принтере.");
    case document::JobState::Printing:
        return QCoreApplication::translate("PrintCommands", "Принтер печатает лицевые стороны...");
    case document::JobState::Stopped:
        return QCoreApplication::translate("PrintCommands", "Принтер остановлен: %1")
            .arg(state.reason);
    case document::JobState::Completed:
        return QCoreApplication::translate("PrintCommands", "Лицевые стороны напечатаны.");
    case document::JobState::Cancelled:
    case document::JobState::Aborted:
    case document::JobState::Unknown:
        break;
    }
    return {};
}

} // namespace

void DocumentWindow::preparePrinter(QPrinter& printer, const QString& docName) const
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(docName);
    printer.setCreator(QStringLiteral("Pagula"));
}

bool DocumentWindow::print()
{
    if (sheetSides_)
        return printTwoSided(std::make_shared<document::TwoSidedJob>(*document_),
                             suggestedBaseName());
    if (busy_)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, suggestedBaseName());
    if (!askPrinter(printer, false) || !checkPaper(printer))
        return false;
    const std::shared_ptr<const document::Document> document = document_;
    const std::optional<document::ExportResult> result =
        runPrint([document, &printer](const document::ProgressCallback& p) {
            return document::printDocument(*document, printer, {}, p);
        });
    if (!result)
        return false;
    followJob(printer, *result);
    return true;
}

bool DocumentWindow::printBothSides()
{
    if (!back_)
        return false;
    return printTwoSided(std::make_shared<document::TwoSidedJob>(*document_, *back_),
                         bothSidesBase());
}

bool DocumentWindow::printTwoSided(std::shared_ptr<const document::TwoSidedJob> job,
                                   const QString& docName)
{
    if (busy_)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, docName);
    printer.setDuplex(QPrinter::DuplexLongSide);
    if (!askPrinter(printer, true) || !checkPaper(printer))
        return false;
    // The export is synchronous: the documents and the job outlive it.
    if (document::twoSidedModeFor(printer) == document::TwoSidedMode::Duplex) {
        const std::optional<document::ExportResult> result =
            runPrint([&printer, job](const document::ProgressCallback& p) {
                return document::printDuplex(*job, printer, {}, p);
            });
        if (!result)
            return false;
        followJob(printer, *result);
        return true;
    }

    const std::optional<document::ExportResult> fronts =
        runPrint([&printer, job](const document::ProgressCallback& p) {
            return document::printFronts(*job, printer, {}, p);
        });
    if (!fronts)
        return false;
    PrintJobWatch* frontsWatch = followJob(printer, *fronts);
    const std::optional<document::StackReturn> stack =
        askReturnStack(job->sheetCount(), frontsWatch);
    // A fronts job that the service cancelled has been reported; its backs would only
    // print on blank sheets.
    if (!stack || (frontsWatch && frontsWatch->state().failed()))
        return false;
    const std::optional<document::ExportResult> backs =
        runPrint([&printer, job, s = *stack](const document::ProgressCallback& p) {
            return document::printBacks(*job, s, printer, {}, p);
        });
    if (!backs)
        return false;
    followJob(printer, *backs);
    return true;
}

bool DocumentWindow::checkPaper(const QPrinter& printer)
{
    if (document::takesA4(printer))
        return true;
    widgets::ErrorReport::show(
        this,
        QCoreApplication::translate(
            "PrintCommands", "Принтер «%1» не печатает на листах A4, а страницы Pagula "
                             "печатаются только на A4 в натуральную величину. Выберите другой "
                             "принтер или добавьте этому формат A4 в его настройках.")
            .arg(printer.printerName()));
    return false;
}

std::optional<document::ExportResult> DocumentWindow::runPrint(
    std::function<document::ExportResult(const document::ProgressCallback&)> work)
{
    std::optional<document::ExportResult> result;
    busy_ = true;
    try {
        result = runWithProgress(this, QCoreApplication::translate("PrintCommands", "Печать"),
                                 std::move(work));
    } catch (const document::PrintRefused& refused) {
        widgets::ErrorReport::show(
            this, QCoreApplication::translate(
                      "PrintCommands", "Принтер «%1» не принял задание: %2\nНичего не напечатано.")
                      .arg(refused.queue(), refused.reason()));
    } catch (const common::Error& e) {
        widgets::ErrorReport::show(this, e.message());
    } catch (const std::exception& e) {
        widgets::ErrorReport::show(this, QString::fromLocal8Bit(e.what()));
    }
    busy_ = false;
    if (!result || result->cancelled)
        return std::nullopt;
    return result;
}

PrintJobWatch* DocumentWindow::followJob(const QPrinter& printer,
                                         const document::ExportResult& result)
{
    if (result.printJob <= 0) {
        statusBar()->showMessage(
            QCoreApplication::translate("PrintCommands", "Напечатано страниц: %1")
                .arg(result.pagesWritten),
            StatusMessageMilliseconds);
        return nullptr;
    }
    const QString queue = printer.printerName();
    const int job = result.printJob;
    const int pages = result.pagesWritten;
    statusBar()->showMessage(
        QCoreApplication::translate("PrintCommands",
                                    "Отправлено на принтер «%1»: страниц %2 (задание %3)")
            .arg(queue)
            .arg(pages)
            .arg(job),
        StatusMessageMilliseconds);
    auto* watch = new PrintJobWatch(job, this);
    connect(watch, &PrintJobWatch::ended, this,
            [this, queue, job, pages](const document::JobState& state) {
                const QString reason =
                    state.reason.isEmpty()
                        ? QCoreApplication::translate("PrintCommands", "не сообщена")
                        : state.reason;
                if (state.stage == document::JobState::Completed)
                    statusBar()->showMessage(QCoreApplication::translate(
                                                 "PrintCommands", "Напечатано на «%1»: страниц %2 "
                                                                  "(задание %3)")
                                                 .arg(queue)
                                                 .arg(pages)
                                                 .arg(job),
                                             StatusMessageMilliseconds);
                else if (state.stage == document::JobState::Cancelled)
                    widgets::ErrorReport::show(
                        this, QCoreApplication::translate(
                                  "PrintCommands", "Задание %1 на принтере «%2» отменено, листы не "
                                                   "напечатаны.\nПричина: %3")
                                  .arg(job)
                                  .arg(queue, reason));
                else
                    widgets::ErrorReport::show(
                        this, QCoreApplication::translate(
                                  "PrintCommands", "Задание %1 на принтере «%2» прервано службой "
                                                   "печати, листы не напечатаны.\nПричина: %3")
                                  .arg(job)
                                  .arg(queue, reason));
            });
    return watch;
}

bool DocumentWindow::askPrinter(QPrinter& printer, bool twoSided)
{
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(twoSided
                              ? QCoreApplication::translate("PrintCommands", "Двусторонняя печать")
                              : QCoreApplication::translate("PrintCommands", "Печать"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies);
    hideDialogChoices(dialog, twoSided);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<document::StackReturn> DocumentWindow::askReturnStack(int sheets,
                                                                    PrintJobWatch* fronts)
{
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("Pagula"),
        QCoreApplication::translate(
            "PrintCommands",
            "Лицевые стороны отправлены на принтер (листов: %1). Когда они напечатаются, "
            "возьмите всю стопку из выходного лотка, не меняя порядка листов, и вложите её в "
            "лоток подачи:\n"
            "• чистой стороной туда, где принтер печатает (в кассете лазерного принтера "
            "обычно вниз, в заднем или ручном лотке — вверх);\n"
            "• верхним краем страниц вперёд, в принтер — тем краем, которым листы выходили.")
            .arg(sheets),
        QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("returnStackBox"));
    const QString hint = QCoreApplication::translate(
        "PrintCommands",
        "Если для этого стопку пришлось перевернуть, сверху лежит лист 1; если она "
        "легла как была, сверху последний лист. Как это устроено у вашего "
        "принтера, один раз покажет «Пробная двусторонняя печать» (правая кнопка "
        "мыши на «Двусторонняя печать» в главном окне).");
    box.setInformativeText(hint);
    QPushButton* turned = box.addButton(
        QCoreApplication::translate("PrintCommands", "Стопка перевёрнута: печатать обороты"),
        QMessageBox::AcceptRole);
    turned->setObjectName(QStringLiteral("stackTurnedOverButton"));
    QPushButton* asItLay = box.addButton(
        QCoreApplication::translate("PrintCommands", "Стопка как была: печатать обороты"),
        QMessageBox::AcceptRole);
    asItLay->setObjectName(QStringLiteral("stackAsItLayButton"));
    QPushButton* cancel = box.addButton(QCoreApplication::translate("PrintCommands", "Отмена"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(turned);
    box.setEscapeButton(cancel);
    if (fronts) {
        const auto show = [&box, hint](const document::JobState& state) {
            const QString line = jobStateText(state);
            box.setInformativeText(line.isEmpty() ? hint : hint + QStringLiteral("\n\n") + line);
        };
        show(fronts->state());
        connect(fronts, &PrintJobWatch::changed, &box, show);
        // The fronts will not come: nothing to turn.
        connect(fronts, &PrintJobWatch::ended, &box, [&box](const document::JobState& state) {
            if (state.failed())
                box.done(QMessageBox::Cancel);
        });
    }
    box.exec();
    if (box.clickedButton() == turned)
        return document::StackReturn::TurnedOver;
    if (box.clickedButton() == asItLay)
        return document::StackReturn::AsItLay;
    return std::nullopt;
}

} // namespace pagula::docwindow
