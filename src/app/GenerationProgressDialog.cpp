#include "app/GenerationProgressDialog.h"

#include "app/BevelPanel.h"
#include "app/DialogParts.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShowEvent>

namespace pagula::app
{

namespace
{
const char* const Title =
    QT_TRANSLATE_NOOP("GenerationProgressDialog", "Формирование документа....");
constexpr QSize ClientSize(250, 66);
} // namespace

GenerationProgressDialog::GenerationProgressDialog(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progressDialog"));
    const QString title = QCoreApplication::translate("GenerationProgressDialog", Title);
    setUpBorderlessDialog(*this, ClientSize, title);

    bodyPanel_ = addDialogPanel(*this, "bodyPanel");
    bodyPanel_->setBevels(BevelPanel::Bevel::Space, BevelPanel::Bevel::Lowered);
    headerPanel_ = addHeaderStrip(*bodyPanel_, "headerPanel", title);

    const int d = bodyPanel_->bevelDepth();
    statusLabel_ = new QLabel(bodyPanel_);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    statusLabel_->setAlignment(Qt::AlignCenter);
    statusLabel_->setWordWrap(true);
    statusLabel_->setGeometry(d, headerPanel_->geometry().bottom() + 3, bodyPanel_->width() - 2 * d,
                              16);

    dialogButton_ =
        addDialogButton(*bodyPanel_, "dialogButton",
                        QCoreApplication::translate("GenerationProgressDialog", "Отмена"),
                        ClientSize.height() - 15 - 7);
    connect(dialogButton_, &widgets::GradientButton::clicked, this,
            [this] { widgets::runGuarded(this, [this] { cancel(); }); });
}

void GenerationProgressDialog::armCancelFlag()
{
    flag_.arm();
}

void GenerationProgressDialog::cancel()
{
    flag_.cancel();
    emit cancelled();
}

void GenerationProgressDialog::showDialog()
{
    if (!isVisible())
        centreOnScreen(*this);
    show();
    raise();
}

void GenerationProgressDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window system's own show (un-minimising) is not the program showing the dialog.
    if (!event->spontaneous())
        armCancelFlag();
}

void GenerationProgressDialog::setStatus(const QString& text)
{
    statusLabel_->setText(text);
}

} // namespace pagula::app
