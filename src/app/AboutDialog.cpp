#include "app/AboutDialog.h"

#include "app/BevelPanel.h"
#include "app/DialogParts.h"
#include "common/Fonts.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCoreApplication>
#include <QLabel>

namespace pagula::app
{

namespace
{
constexpr QSize ClientSize(235, 127);
constexpr int CreditsHeight = 80;
} // namespace

QString AboutDialog::creditsText()
{
    return QCoreApplication::translate(
               "AboutDialog", "Pagula %1\n"
                              "Печать шпаргалок: сканы и фотографии страниц ложатся на лист A4 "
                              "мелкими ячейками, готовыми к резке и переплёту.")
        .arg(QStringLiteral(PAGULA_VERSION));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setUpBorderlessDialog(*this, ClientSize,
                          QCoreApplication::translate("AboutDialog", "О программе"));
    setModal(true);

    bodyPanel_ = addDialogPanel(*this, "bodyPanel");
    bodyPanel_->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered);
    headerPanel_ = addHeaderStrip(*bodyPanel_, "headerPanel",
                                  QCoreApplication::translate("AboutDialog", "О программе..."));

    const int d = bodyPanel_->bevelDepth();
    creditsLabel_ = new QLabel(creditsText(), bodyPanel_);
    creditsLabel_->setObjectName(QStringLiteral("creditsLabel"));
    creditsLabel_->setFont(common::pixelFont(QStringLiteral("Arial"), 13));
    QPalette black = creditsLabel_->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    creditsLabel_->setPalette(black);
    creditsLabel_->setAlignment(Qt::AlignCenter);
    creditsLabel_->setWordWrap(true);
    creditsLabel_->setGeometry(d + 4, headerPanel_->geometry().bottom() + 1,
                               bodyPanel_->width() - 2 * d - 8, CreditsHeight);

    dialogButton_ = addDialogButton(*bodyPanel_, "dialogButton", QStringLiteral("Ok"),
                                    ClientSize.height() - 15 - 8);
    connect(dialogButton_, &widgets::GradientButton::clicked, this,
            [this] { widgets::runGuarded(this, [this] { onOkClicked(); }); });
}

int AboutDialog::showModal()
{
    centreOnScreen(*this);
    return exec();
}

void AboutDialog::onOkClicked()
{
    accept();
}

} // namespace pagula::app
