#include "app/TForm3.h"

#include "app/BevelPanel.h"
#include "app/DialogParts.h"
#include "common/Fonts.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QLabel>

namespace pagula::app
{

namespace
{
constexpr QSize ClientSize(235, 127);
constexpr int CreditsHeight = 80;
} // namespace

QString TForm3::creditsText()
{
    return QStringLiteral("Pagula %1\n"
                          "Печать шпаргалок: сканы и фотографии страниц ложатся на лист A4 "
                          "мелкими ячейками, готовыми к резке и переплёту.")
        .arg(QStringLiteral(PAGULA_VERSION));
}

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setUpBorderlessDialog(*this, ClientSize, QStringLiteral("О программе"));
    setModal(true);

    Panel1 = addDialogPanel(*this, "Panel1");
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered);
    Panel2 = addHeaderStrip(*Panel1, "Panel2", QStringLiteral("О программе..."));

    const int d = Panel1->bevelDepth();
    Label1 = new QLabel(creditsText(), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pixelFont(QStringLiteral("Arial"), 13));
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setGeometry(d + 4, Panel2->geometry().bottom() + 1, Panel1->width() - 2 * d - 8,
                        CreditsHeight);

    GradBtn6 =
        addDialogButton(*Panel1, "GradBtn6", QStringLiteral("Ok"), ClientSize.height() - 15 - 8);
    connect(GradBtn6, &GradientButton::clicked, this,
            [this] { runGuarded(this, [this] { GradBtn6Click(); }); });
}

int TForm3::showModal()
{
    centreOnScreen(*this);
    return exec();
}

void TForm3::GradBtn6Click()
{
    accept();
}

} // namespace pagula::app
