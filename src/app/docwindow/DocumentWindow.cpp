#include "app/docwindow/DocumentWindow.h"

#include "app/docwindow/ExportProgress.h"
#include "app/docwindow/OpenInLibreOffice.h"
#include "app/docwindow/PageView.h"
#include "app/docwindow/SuggestedNames.h"
#include "app/docwindow/ZoomSetting.h"

#include "common/Paths.h"
#include "document/OdtExport.h"
#include "widgets/ErrorReport.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <QCoreApplication>
#include <algorithm>

namespace pagula::docwindow
{

namespace
{

constexpr int StatusMessageMilliseconds = 8000;
constexpr int ListedFailuresAtMost = 20;

// Where the next file dialog opens: where the user saved last, in any document window.
QString& lastSaveDirectory()
{
    static QString directory;
    return directory;
}

QString startDirectory()
{
    if (!lastSaveDirectory().isEmpty() && QDir(lastSaveDirectory()).exists())
        return lastSaveDirectory();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

// Test platforms have no native dialogs; the widget dialog is the one tests can drive.
bool useNativeDialogs()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

DocumentWindow::DocumentWindow(std::shared_ptr<document::Document> document, const QString& label,
                               document::PictureSource::Decoder decoder)
    : document_(std::move(document)), label_(label)
{
    setObjectName(QStringLiteral("documentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(titleFor(label));

    view_ = new PageView(document_, std::move(decoder), this);
    setCentralWidget(view_);
    buildActions();
    buildToolBar();
    buildStatusBar();

    connect(view_, &PageView::currentPageChanged, this, &DocumentWindow::showPage);
    connect(view_, &PageView::zoomChanged, this, &DocumentWindow::showZoom);
    connect(view_, &PageView::failuresChanged, this, &DocumentWindow::showFailures);
    showPage(view_->currentPage());
    showZoom(view_->zoom());

    // Wide enough for a page at its real size; as tall as the screen allows.
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const int width = view_->pageGeometry().pageSize().width() + 2 * PageViewGeometry::Gap +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 40;
    resize(std::min(width, available.width()), available.height() * 9 / 10);
    view_->setFocus();
}

DocumentWindow::~DocumentWindow() = default;

QString DocumentWindow::titleFor(const QString& label, int run)
{
    if (run > 0 && label.isEmpty())
        return QCoreApplication::translate("DocumentWindow", "Pagula - документ %1").arg(run);
    if (run > 0)
        return QCoreApplication::translate("DocumentWindow", "Pagula - документ %1, %2")
            .arg(run)
            .arg(label);
    if (label.isEmpty())
        return QStringLiteral("Pagula");
    return QStringLiteral("Pagula - %1").arg(label);
}

void DocumentWindow::setRunNumber(int run)
{
    run_ = run;
    setWindowTitle(titleFor(label_, run_));
}

void DocumentWindow::setSheetSides()
{
    sheetSides_ = true;
}

QString DocumentWindow::suggestedBaseName() const
{
    return docwindow::suggestedBaseName(
        pictureFolder(*document_, QFileInfo(common::fillerPicturePath()).absolutePath()), label_);
}

QString DocumentWindow::suggestedFolder() const
{
    const QString folder =
        pictureFolder(*document_, QFileInfo(common::fillerPicturePath()).absolutePath());
    return !folder.isEmpty() && QDir(folder).exists() ? folder : startDirectory();
}

void DocumentWindow::showAndActivate()
{
    show();
    raise();
    activateWindow();
}

void DocumentWindow::buildActions()
{
    auto makeAction = [this](const QString& name, const QString& text,
                             const QList<QKeySequence>& keys) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        action->setIconText(text); // tool buttons would drop the "..." otherwise
        action->setShortcuts(keys);
        addAction(action); // shortcuts work in the whole window
        return action;
    };

    saveAction_ = makeAction(QStringLiteral("saveAsAction"),
                             QCoreApplication::translate("DocumentWindow", "Сохранить как..."),
                             {QKeySequence(Qt::CTRL | Qt::Key_S)});
    saveAction_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(saveAction_, &QAction::triggered, this, [this] { saveAs(); });

    savePngAction_ = makeAction(
        QStringLiteral("savePngAction"),
        QCoreApplication::translate("DocumentWindow", "Сохранить страницы как PNG..."), {});
    connect(savePngAction_, &QAction::triggered, this, [this] { savePagesAsPng(); });

    printAction_ = makeAction(QStringLiteral("printAction"),
                              QCoreApplication::translate("DocumentWindow", "Печать..."),
                              {QKeySequence(Qt::CTRL | Qt::Key_P)});
    printAction_->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    connect(printAction_, &QAction::triggered, this, [this] { print(); });

    libreOffice_ = libreOfficeProgram();
    if (!libreOffice_.isEmpty()) {
        libreOfficeAction_ =
            makeAction(QStringLiteral("openInLibreOfficeAction"),
                       QCoreApplication::translate("DocumentWindow", "Открыть в LibreOffice"), {});
        connect(libreOfficeAction_, &QAction::triggered, this, [this] { openInLibreOffice(); });
    }

    previousAction_ = makeAction(
        QStringLiteral("previousPageAction"),
        QCoreApplication::translate("DocumentWindow", "Предыдущая страница"), {Qt::Key_PageUp});
    previousAction_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    connect(previousAction_, &QAction::triggered, this,
            [this] { view_->goToPage(view_->currentPage() - 1); });

    nextAction_ = makeAction(QStringLiteral("nextPageAction"),
                             QCoreApplication::translate("DocumentWindow", "Следующая страница"),
                             {Qt::Key_PageDown});
    nextAction_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    connect(nextAction_, &QAction::triggered, this,
            [this] { view_->goToPage(view_->currentPage() + 1); });

    firstAction_ = makeAction(QStringLiteral("firstPageAction"),
                              QCoreApplication::translate("DocumentWindow", "Первая страница"),
                              {Qt::Key_Home});
    connect(firstAction_, &QAction::triggered, this, [this] { view_->goToPage(0); });

    lastAction_ = makeAction(QStringLiteral("lastPageAction"),
                             QCoreApplication::translate("DocumentWindow", "Последняя страница"),
                             {Qt::Key_End});
    connect(lastAction_, &QAction::triggered, this,
            [this] { view_->goToPage(view_->pageCount() - 1); });

    zoomInAction_ = makeAction(
        QStringLiteral("zoomInAction"), QCoreApplication::translate("DocumentWindow", "Увеличить"),
        {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomInAction_, &QAction::triggered, view_, &PageView::zoomIn);

    zoomOutAction_ = makeAction(QStringLiteral("zoomOutAction"),
                                QCoreApplication::translate("DocumentWindow", "Уменьшить"),
                                {QKeySequence(QKeySequence::ZoomOut)});
    connect(zoomOutAction_, &QAction::triggered, view_, &PageView::zoomOut);

    closeAction_ = makeAction(QStringLiteral("closeWindowAction"),
                              QCoreApplication::translate("DocumentWindow", "Закрыть"),
                              {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)});
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);

    realSizeAction_ = makeAction(QStringLiteral("realSizeAction"),
                                 QCoreApplication::translate("DocumentWindow", "Реальный размер"),
                                 {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(realSizeAction_, &QAction::triggered, this, [this] {
        view_->setZoom({ZoomMode::Percent, 100.0});
    });
}

void DocumentWindow::buildToolBar()
{
    // Two bars: the document's commands and the page moves with the zoom. They share a row
    // where the window is wide enough and take two rows where it is not (fitToolBars), so no
    // command hides behind the bar's "more" button.
    const auto makeBar = [this](const QString& title, const QString& name) {
        QToolBar* bar = addToolBar(title);
        bar->setObjectName(name);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
        return bar;
    };
    QToolBar* bar = makeBar(QCoreApplication::translate("DocumentWindow", "Документ"),
                            QStringLiteral("documentToolBar"));
    bar->addAction(saveAction_);
    bar->addAction(printAction_);
    if (libreOfficeAction_)
        bar->addAction(libreOfficeAction_);
    bar->addAction(savePngAction_);

    pageBar_ = makeBar(QCoreApplication::translate("DocumentWindow", "Страницы"),
                       QStringLiteral("pageToolBar"));
    pageBar_->addAction(previousAction_);
    pageNumber_ = new QSpinBox(pageBar_);
    pageNumber_->setObjectName(QStringLiteral("pageNumber"));
    pageNumber_->setRange(1, std::max(1, view_->pageCount()));
    pageNumber_->setKeyboardTracking(false); // go when the number is complete
    pageNumber_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pageNumber_->setAlignment(Qt::AlignRight);
    pageNumber_->setToolTip(QCoreApplication::translate("DocumentWindow", "Номер страницы"));
    pageBar_->addWidget(pageNumber_);
    connect(pageNumber_, &QSpinBox::valueChanged, this,
            [this](int number) { view_->goToPage(number - 1); });

    pageCountLabel_ = new QLabel(
        QCoreApplication::translate("DocumentWindow", " из %1 ").arg(view_->pageCount()), pageBar_);
    pageCountLabel_->setObjectName(QStringLiteral("pageCountLabel"));
    pageBar_->addWidget(pageCountLabel_);
    pageBar_->addAction(nextAction_);
    // Toolbar buttons for page moves show their icons only.
    pageBar_->widgetForAction(previousAction_)
        ->setProperty("toolButtonStyle", Qt::ToolButtonIconOnly);
    pageBar_->widgetForAction(nextAction_)->setProperty("toolButtonStyle", Qt::ToolButtonIconOnly);
    pageBar_->addSeparator();

    zoomBox_ = new QComboBox(pageBar_);
    zoomBox_->setObjectName(QStringLiteral("zoom"));
    zoomBox_->setEditable(true);
    zoomBox_->setInsertPolicy(QComboBox::NoInsert);
    zoomBox_->addItems(zoomChoiceTexts());
    zoomBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    zoomBox_->setToolTip(QCoreApplication::translate("DocumentWindow", "Масштаб"));
    pageBar_->addWidget(zoomBox_);
    connect(zoomBox_, &QComboBox::activated, this,
            [this](int index) { view_->setZoom(zoomChoice(index)); });
    connect(zoomBox_->lineEdit(), &QLineEdit::editingFinished, this,
            &DocumentWindow::applyTypedZoom);
}

void DocumentWindow::fitToolBars()
{
    auto* commands = findChild<QToolBar*>(QStringLiteral("documentToolBar"));
    if (!commands || !pageBar_)
        return;
    const int needed = commands->sizeHint().width() + pageBar_->sizeHint().width();
    const bool apart = toolBarBreak(pageBar_);
    if (needed > width() && !apart)
        insertToolBarBreak(pageBar_);
    else if (needed <= width() && apart)
        removeToolBarBreak(pageBar_);
}

void DocumentWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitToolBars();
}

void DocumentWindow::buildStatusBar()
{
    failureLine_ = new QLabel(this);
    failureLine_->setObjectName(QStringLiteral("failureLine"));
    failureLine_->hide();
    statusBar()->addWidget(failureLine_);
}

void DocumentWindow::showPage(int page)
{
    const QSignalBlocker blocker(pageNumber_);
    pageNumber_->setValue(page + 1);
    previousAction_->setEnabled(page > 0);
    firstAction_->setEnabled(page > 0);
    nextAction_->setEnabled(page + 1 < view_->pageCount());
    lastAction_->setEnabled(page + 1 < view_->pageCount());
}

void DocumentWindow::showZoom(const Zoom& zoom)
{
    const QSignalBlocker blocker(zoomBox_);
    const QString text = zoomText(zoom);
    const int index = zoomBox_->findText(text);
    if (index >= 0)
        zoomBox_->setCurrentIndex(index);
    zoomBox_->setEditText(text);
}

void DocumentWindow::applyTypedZoom()
{
    if (const std::optional<Zoom> typed = parseZoom(zoomBox_->currentText()))
        view_->setZoom(*typed);
    else
        showZoom(view_->zoom()); // back to what is shown
}

void DocumentWindow::showFailures(int count)
{
    failureLine_->setText(
        QCoreApplication::translate("DocumentWindow", "Не удалось показать рисунков: %1")
            .arg(count));
    QStringList lines;
    for (const document::PictureFailure& failure : view_->failures()) {
        if (lines.size() == ListedFailuresAtMost) {
            lines.append(QStringLiteral("…"));
            break;
        }
        lines.append(QStringLiteral("%1: %2").arg(failure.path, failure.reason));
    }
    failureLine_->setToolTip(lines.join(QLatin1Char('\n')));
    failureLine_->setVisible(count > 0);
}

bool DocumentWindow::saveAs()
{
    return exportTo(QCoreApplication::translate("DocumentWindow", "Сохранить как"),
                    documentSaveFormats(), true);
}

bool DocumentWindow::savePagesAsPng()
{
    return exportTo(QCoreApplication::translate("DocumentWindow", "Сохранить страницы как PNG"),
                    pageImageFormats(), false);
}

bool DocumentWindow::exportTo(const QString& title, const QList<SaveFormat>& formats,
                              bool marksSaved)
{
    if (busy_)
        return false;
    const std::optional<SaveTarget> target =
        askSaveTarget(title, formats, QDir(suggestedFolder()).filePath(suggestedBaseName()));
    if (!target)
        return false;
    const std::shared_ptr<const document::Document> document = document_;
    const QString name = suggestedBaseName();
    const std::optional<document::ExportResult> result = runExport(
        QCoreApplication::translate("DocumentWindow", "Сохранение"),
        [document, target, name](const document::ProgressCallback& p) {
            return target->format.write(*document, target->path, name, p);
        },
        target->format.progressUnit);
    if (!result || result->cancelled)
        return false;
    if (marksSaved)
        savedPath_ = target->path;
    statusBar()->showMessage(QCoreApplication::translate("DocumentWindow", "Сохранено: %1")
                                 .arg(QDir::toNativeSeparators(target->path)),
                             StatusMessageMilliseconds);
    return true;
}

bool DocumentWindow::openInLibreOffice()
{
    if (busy_ || libreOffice_.isEmpty())
        return false;
    QString path;
    if (!widgets::runGuarded(this, [&] { path = newTemporaryOdt(); }))
        return false;
    // Pictures stay linked: LibreOffice reads them from their files, as the document does.
    const std::shared_ptr<const document::Document> document = document_;
    const std::optional<document::ExportResult> result = runExport(
        QCoreApplication::translate("DocumentWindow", "Подготовка для LibreOffice"),
        [document, path](const document::ProgressCallback& p) {
            return document::saveOdt(*document, path, {}, p);
        },
        QCoreApplication::translate("DocumentWindow", "шаг"));
    if (!result || result->cancelled) {
        QFile::remove(path);
        return false;
    }
    if (!startLibreOffice(libreOffice_, path)) {
        widgets::ErrorReport::show(this, QStringLiteral("Cannot start %1").arg(libreOffice_));
        return false;
    }
    statusBar()->showMessage(
        QCoreApplication::translate("DocumentWindow", "Открыто в LibreOffice: %1")
            .arg(QDir::toNativeSeparators(path)),
        StatusMessageMilliseconds);
    return true;
}

std::optional<document::ExportResult> DocumentWindow::runExport(
    const QString& action,
    std::function<document::ExportResult(const document::ProgressCallback&)> work,
    const QString& unit)
{
    busy_ = true;
    std::optional<document::ExportResult> result;
    widgets::runGuarded(this,
                        [&] { result = runWithProgress(this, action, std::move(work), unit); });
    busy_ = false;
    return result;
}

std::optional<SaveTarget> DocumentWindow::askSaveTarget(const QString& title,
                                                        const QList<SaveFormat>& formats,
                                                        const QString& suggested)
{
    if (formats.isEmpty())
        return std::nullopt;
    QFileDialog dialog(this, title);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !useNativeDialogs());
    dialog.setNameFilters(saveFilters(formats));
    dialog.selectNameFilter(formats.first().filter);
    // The dialog adds the suffix before it asks about replacing a file, so ask it to.
    dialog.setDefaultSuffix(formats.first().suffix);
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        for (const SaveFormat& format : formats) {
            if (format.filter == filter)
                dialog.setDefaultSuffix(format.suffix);
        }
    });
    dialog.setDirectory(QFileInfo(suggested).absolutePath());
    dialog.selectFile(suggested + QLatin1Char('.') + formats.first().suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    lastSaveDirectory() = QFileInfo(chosen).absolutePath();
    return resolveSaveTarget(chosen, dialog.selectedNameFilter(), formats);
}

DocumentWindow::CloseAnswer DocumentWindow::askSaveBeforeClose()
{
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QCoreApplication::translate(
                        "DocumentWindow", "Документ не сохранён. Сохранить его перед закрытием?"),
                    QMessageBox::NoButton, this);
    QPushButton* save = box.addButton(QCoreApplication::translate("DocumentWindow", "Сохранить"),
                                      QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("DocumentWindow", "Не сохранять"),
                      QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("DocumentWindow", "Отмена"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return CloseAnswer::Save;
    if (box.clickedButton() == discard)
        return CloseAnswer::Discard;
    return CloseAnswer::Cancel;
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (busy_) {
        event->ignore();
        return;
    }
    if (!isSaved()) {
        switch (askSaveBeforeClose()) {
        case CloseAnswer::Save:
            if (!saveAs()) {
                event->ignore();
                return;
            }
            break;
        case CloseAnswer::Discard:
            break;
        case CloseAnswer::Cancel:
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace pagula::docwindow
