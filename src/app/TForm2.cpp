#include "app/TForm2.h"

#include "app/BevelPanel.h"
#include "app/DialogParts.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QLabel>
#include <QShowEvent>

namespace pagula::app
{

namespace
{
const QString Title = QStringLiteral("Формирование документа....");
constexpr QSize ClientSize(250, 66);
} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setUpBorderlessDialog(*this, ClientSize, Title);

    Panel2 = addDialogPanel(*this, "Panel2");
    Panel2->setBevels(BevelPanel::Bevel::Space, BevelPanel::Bevel::Lowered);
    Panel1 = addHeaderStrip(*Panel2, "Panel1", Title);

    const int d = Panel2->bevelDepth();
    Label1 = new QLabel(Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setGeometry(d, Panel1->geometry().bottom() + 3, Panel2->width() - 2 * d, 16);

    GradBtn6 = addDialogButton(*Panel2, "GradBtn6", QStringLiteral("Отмена"),
                               ClientSize.height() - 15 - 7);
    connect(GradBtn6, &GradientButton::clicked, this,
            [this] { runGuarded(this, [this] { Button1Click(); }); });
}

void TForm2::FormShow()
{
    flag_.shown(/*wasVisible=*/false);
}

void TForm2::Button1Click()
{
    flag_.cancel();
}

void TForm2::showDialog()
{
    if (!isVisible())
        centreOnScreen(*this);
    show();
    raise();
}

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window system's own show (un-minimising) is not the program showing the dialog.
    if (!event->spontaneous())
        FormShow();
}

void TForm2::Port::setStatus(const QString& text)
{
    form_.Label1->setText(text);
}

void TForm2::Port::close()
{
    form_.hide();
}

void TForm2::Port::repaint()
{
    form_.repaint();
}

} // namespace pagula::app
