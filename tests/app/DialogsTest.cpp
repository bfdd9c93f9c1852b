#include "ProgramFixture.h"

#include "app/AboutDialog.h"
#include "app/BackOffsetDialog.h"
#include "app/BevelPanel.h"
#include "app/GenerationProgressDialog.h"
#include "widgets/GradientButton.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace pagula;
using namespace pagula::app;
using namespace pagula::app::test;

namespace
{

QPoint screenCentre()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

void pressButton(widgets::GradientButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// The common shape of both dialogs: borderless, fixed client size, a header strip with a bold
// caption, one 110 x 15 button centred horizontally.
void expectDialogShape(QWidget& dialog, QSize client, const char* windowText, const char* header,
                       const char* headerName, widgets::GradientButton* button, const char* caption)
{
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.windowType(), Qt::Dialog);
    EXPECT_EQ(dialog.size(), client);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(windowText));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(182, 196, 231));
    auto* strip = dialog.findChild<BevelPanel*>(QString::fromLatin1(headerName));
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->caption(), QString::fromUtf8(header));
    EXPECT_TRUE(strip->font().bold());
    EXPECT_EQ(strip->height(), 18);
    EXPECT_EQ(strip->color(), QColor(210, 219, 240));
    EXPECT_EQ(button->objectName(), QStringLiteral("dialogButton"));
    EXPECT_EQ(button->caption(), QString::fromUtf8(caption));
    EXPECT_EQ(button->size(), QSize(110, 15));
    EXPECT_EQ(button->beginColor(), widgets::kWhite);
    EXPECT_EQ(button->endColor(), widgets::kNavy);
    EXPECT_FALSE(button->showFocus());
    const QRect inDialog(button->mapTo(&dialog, QPoint()), button->size());
    EXPECT_EQ(inDialog.left(), (client.width() - 110) / 2);
    EXPECT_LE(inDialog.bottom(), client.height() - 3);
}

} // namespace

TEST(ProgressDialog, ShapeAndPlace)
{
    GenerationProgressDialog form;
    expectDialogShape(form, {250, 66}, "Формирование документа....", "Формирование документа....",
                      "headerPanel", form.cancelButton(), "Отмена");
    form.setStatus(QStringLiteral("Формирование обратной стороны..."));
    EXPECT_EQ(form.statusLabel()->text(), QStringLiteral("Формирование обратной стороны..."));
    EXPECT_EQ(form.statusLabel()->height(), 16);
    EXPECT_TRUE(form.statusLabel()->wordWrap());
    EXPECT_EQ(form.statusLabel()->alignment(), Qt::AlignCenter);
    form.showDialog();
    EXPECT_EQ(form.geometry().center(), screenCentre());
}

TEST(ProgressDialog, CancelFlagIsArmedByAShowFromHiddenAndClearedByCancel)
{
    GenerationProgressDialog form;
    int cancels = 0;
    QObject::connect(&form, &GenerationProgressDialog::cancelled, [&] { ++cancels; });
    EXPECT_FALSE(form.isVisible());

    // Shown from hidden: armed. Not modal.
    form.showDialog();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.cancelFlag(), 8);

    // "Отмена" twice: 0 both times, the run is told each time, and the dialog stays up.
    pressButton(form.cancelButton());
    EXPECT_EQ(form.cancelFlag(), 0);
    EXPECT_TRUE(form.isVisible());
    pressButton(form.cancelButton());
    EXPECT_EQ(form.cancelFlag(), 0);
    EXPECT_EQ(cancels, 2);
    EXPECT_TRUE(form.isVisible());

    // Showing a dialog that is up does not re-arm it.
    form.showDialog();
    EXPECT_EQ(form.cancelFlag(), 0);

    // Closed, it keeps its flag; the next show from hidden arms it again.
    form.hide();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.cancelFlag(), 0);
    form.showDialog();
    EXPECT_EQ(form.cancelFlag(), 8);
}

TEST(AboutDialog, ShapeAndCredits)
{
    AboutDialog form;
    expectDialogShape(form, {235, 127}, "О программе", "О программе...", "headerPanel",
                      form.okButton(), "Ok");
    QLabel* credits = form.creditsLabel();
    EXPECT_EQ(credits->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(credits->font().pixelSize(), 13);
    EXPECT_EQ(credits->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(credits->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(credits->wordWrap());
    EXPECT_EQ(credits->height(), 80);
    EXPECT_TRUE(credits->text().contains(QStringLiteral("Pagula")));
    // The wrapped text fits its label, so nothing is cut off.
    const QRect needed = QFontMetrics(credits->font())
                             .boundingRect(QRect(0, 0, credits->width(), 1000),
                                           Qt::AlignCenter | Qt::TextWordWrap, credits->text());
    EXPECT_LE(needed.height(), credits->height());
    // It ends above the button.
    EXPECT_LT(credits->geometry().bottom(), form.okButton()->geometry().top());
}

namespace
{
using AboutModality = ProgramFixture;
} // namespace

TEST_F(AboutModality, BlocksTheMainWindowUntilOkAndOpensAgain)
{
    const QStringList names = makeJpegs(2);
    browseTo(dir.path(), names);
    addFiles(0, 1);
    auto* untickAll = control<widgets::GradientButton>("untickAllButton");
    auto* tickAll = control<widgets::GradientButton>("tickAllButton");
    auto* count = control<QLabel>("tickedCountLabel");
    press(untickAll);
    ASSERT_EQ(count->text(), QStringLiteral("Выбрано файлов: 0"));

    AboutDialog& about = program->aboutDialog();
    // A press on "Выделить все" that goes through the window system, as the user's does. Each
    // at another point, so that two of them never make a double click.
    int clicks = 0;
    const auto clickTickAll = [&] {
        const QPoint at(10 + 20 * (clicks++ % 4), tickAll->height() / 2);
        QTest::mouseClick(main().windowHandle(), Qt::LeftButton, {}, tickAll->mapTo(&main(), at));
    };
    int opened = 0;
    const auto whileOpen = [&] {
        auto* poll = new QTimer(&about);
        QObject::connect(poll, &QTimer::timeout, &about, [&, poll] {
            if (!about.isVisible())
                return;
            poll->deleteLater();
            ++opened;
            EXPECT_EQ(QApplication::activeModalWidget(), &about);
            EXPECT_LE((about.geometry().center() - screenCentre()).manhattanLength(), 2);
            clickTickAll();
            EXPECT_EQ(count->text(), QStringLiteral("Выбрано файлов: 0"));
            pressButton(about.okButton());
        });
        poll->start(5);
    };

    whileOpen();
    press(main().aboutButton()); // returns when "Ok" has closed the dialog
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Closed, the main window reacts again.
    clickTickAll();
    EXPECT_EQ(count->text(), QStringLiteral("Выбрано файлов: 2"));

    press(untickAll);
    whileOpen();
    press(main().aboutButton());
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(about.isVisible());
}

// Typed into "Вправо (X)": both decimal separators read as one; other texts cannot be typed or
// leave OK disabled with the reason shown.
TEST(BackOffsetDialog, ReadsEitherDecimalSeparatorAndRefusesOtherTexts)
{
    struct Case {
        const char* typed;
        bool acceptable;
        double right; // what OK stores
    };
    const Case cases[] = {
        {"2,5", true, 2.5}, {"2.5", true, 2.5},   {"-1,5", true, -1.5},
        {"30", true, 30.0}, {"2,", false, 0.0},   {"45", false, 0.0},
        {"-", false, 0.0},  {"2,5,5", true, 2.5}, // the second separator cannot be typed
        {"x1", true, 1.0},                        // nor can a letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        BackOffsetDialog dialog({0.0, 0.5});
        auto* right = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("offsetRight"));
        ASSERT_NE(right, nullptr);
        right->clear();
        QTest::keyClicks(right, QString::fromUtf8(c.typed));
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        EXPECT_EQ(ok->isEnabled(), c.acceptable);
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("offsetProblem"))->isHidden(),
                  c.acceptable);
        dialog.accept();
        EXPECT_EQ(dialog.result(), c.acceptable ? QDialog::Accepted : QDialog::Rejected);
        if (c.acceptable) {
            EXPECT_EQ(dialog.offset(), QPointF(c.right, 0.5));
        }
    }
}
