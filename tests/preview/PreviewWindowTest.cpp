#include "preview/ui/PreviewWindow.h"
#include "common/ErrorText.h"
#include "imaging/ImageIO.h"
#include "preview/CorruptJpeg.h"
#include "preview/PreparedPreview.h"
#include "preview/PreviewFakes.h"
#include "support/TestSupport.h"
#include "widgets/ErrorReport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace pagula;
using namespace pagula::preview;
using namespace pagula::preview::fakes;
using pagula::joblist::JobEntry;

namespace
{
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0);

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

struct PreviewWindowTest : ::testing::Test {
    QTemporaryDir dir;
    FakeProfiles profiles;
    PreviewWindow form;
    QStringList reports;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setCropProfiles(&profiles);
        widgets::ErrorReport::setHook([this](const QString& text) { reports << text; });
    }
    void TearDown() override { widgets::ErrorReport::setHook({}); }

    QString picture(const QString& name, QSize size, QRgb colour)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(name);
        test::savePicture(img, path, "BMP");
        return path;
    }
    QComboBox* zoom() { return form.findChild<QComboBox*>(QStringLiteral("zoomBox")); }
    QScrollArea* scrollBox() { return form.findChild<QScrollArea*>(QStringLiteral("scrollArea")); }
    QWidget* pictureView() { return form.findChild<QWidget*>(QStringLiteral("pictureView")); }
    void guarded(const QString& entry)
    {
        widgets::runGuarded(&form, [&] { form.showEntry(JobEntry::fromText(entry)); });
    }
};
} // namespace

TEST_F(PreviewWindowTest, StartsAsDescribed)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Предварительный просмотр"));
    // Above its owner only, not above every other program.
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isWindow());
    EXPECT_FALSE(form.isVisible());
    ASSERT_NE(zoom(), nullptr);
    EXPECT_FALSE(zoom()->isEditable());
    EXPECT_EQ(zoom()->count(), 11);
    EXPECT_EQ(zoom()->itemText(0), QStringLiteral("По размеру окна"));
    EXPECT_EQ(zoom()->itemText(1), QStringLiteral("10%"));
    EXPECT_EQ(zoom()->itemText(10), QStringLiteral("100%"));
    EXPECT_EQ(zoom()->maxVisibleItems(), 11);
    EXPECT_EQ(zoom()->currentIndex(), 0);
    auto* label = form.findChild<QWidget*>(QStringLiteral("zoomCaption"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->property("text").toString(), QStringLiteral("Масштаб:"));
    EXPECT_NE(form.findChild<QWidget*>(QStringLiteral("zoomStrip")), nullptr);
    ASSERT_NE(pictureView(), nullptr);
    EXPECT_TRUE(pictureView()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(form.sourcePicture().isNull());
}

TEST_F(PreviewWindowTest, ZoomedCopiesHaveTruncatedSizesAtTheTopLeft)
{
    const QString big = picture(QStringLiteral("big.bmp"), {1000, 800}, kBlue);
    const QString odd = picture(QStringLiteral("odd.bmp"), {999, 555}, kBlue);
    const struct {
        const QString* path;
        int zoom;
        QSize expected;
    } cases[] = {{&big, 3, {300, 240}}, {&big, 10, {1000, 800}}, {&odd, 1, {99, 55}}};
    for (const auto& c : cases) {
        zoom()->setCurrentIndex(c.zoom);
        form.showEntry(JobEntry::fromText(*c.path + QLatin1Char('0')));
        EXPECT_EQ(form.shownBitmap().size(), c.expected);
        EXPECT_EQ(pictureView()->geometry(), QRect(QPoint(0, 0), c.expected));
        EXPECT_EQ(scrollBox()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        EXPECT_EQ(form.sourcePicture().size(), c.path == &big ? QSize(1000, 800) : QSize(999, 555));
    }
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(PreviewWindowTest, APhotoAboveTheDecodingLimitShowsAtEveryZoomWhoseCopyFits)
{
    // 70 megapixels in colour: a full-size decode would exceed the limit, the composition
    // places it from a reduced one.
    const QRgb photo = qRgb(200, 60, 40);
    const auto nearPhoto = [photo](QRgb c) {
        return std::abs(qRed(c) - qRed(photo)) <= 6 && std::abs(qGreen(c) - qGreen(photo)) <= 6 &&
               std::abs(qBlue(c) - qBlue(photo)) <= 6;
    };
    const QString big = dir.filePath(QStringLiteral("photo.jpg"));
    test::writeFlatJpeg(big, {10000, 7000}, photo);
    const QString small = picture(QStringLiteral("small.bmp"), {300, 200}, kBlue);

    // A zoom that cannot hold the new picture refuses it; the previous one stays.
    zoom()->setCurrentIndex(10);
    form.showEntry(JobEntry::fromText(small + QLatin1Char('0')));
    guarded(big + QLatin1Char('1'));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("Масштаб 100%"))) << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains(QStringLiteral("10000 x 7000"))) << reports[0].toStdString();
    EXPECT_EQ(form.pictureSize(), QSize(300, 200));
    EXPECT_EQ(form.shownBitmap().size(), QSize(300, 200));
    EXPECT_EQ(form.shownBitmap().pixel(150, 100), kBlue);

    // Sizes and bands are measured on the picture's own size, whatever size it is held at.
    reports.clear();
    profiles.one = {10, 0, 20, 0};
    zoom()->setCurrentIndex(1);
    form.showEntry(JobEntry::fromText(big + QLatin1Char('1')));
    EXPECT_EQ(form.pictureSize(), QSize(10000, 7000));
    EXPECT_LT(form.sourcePicture().width(), 10000);
    QImage shown = form.shownBitmap();
    ASSERT_EQ(shown.size(), QSize(1000, 700));
    EXPECT_EQ(shown.pixel(50, 400), kGreen); // left band: 100 pixels
    EXPECT_TRUE(nearPhoto(shown.pixel(101, 400)));
    EXPECT_EQ(shown.pixel(500, 100), kGreen); // top band: 140 pixels
    EXPECT_TRUE(nearPhoto(shown.pixel(500, 141)));
    EXPECT_TRUE(nearPhoto(shown.pixel(999, 699)));

    // 90 %: 9000 x 6300 fits; 100 %: 10000 x 7000 does not, and 90 % stays chosen and shown.
    zoom()->setCurrentIndex(9);
    EXPECT_EQ(pictureView()->size(), QSize(9000, 6300));
    EXPECT_TRUE(reports.isEmpty()) << reports.join(';').toStdString();
    zoom()->setCurrentIndex(10);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("Масштаб 100%")));
    EXPECT_EQ(zoom()->currentIndex(), 9);
    EXPECT_EQ(pictureView()->size(), QSize(9000, 6300));

    // Fit to the window holds any picture.
    reports.clear();
    form.resize(400, 500);
    zoom()->setCurrentIndex(0);
    EXPECT_TRUE(reports.isEmpty());
    shown = form.shownBitmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(shown.width() / 10 - 2, shown.height() / 2), kGreen);
    EXPECT_TRUE(nearPhoto(shown.pixel(shown.width() / 2, shown.height() / 2)));
}

TEST_F(PreviewWindowTest, FitToWindowStretchesToTheAreaAndFollowsResizes)
{
    const QString path = picture(QStringLiteral("a.bmp"), {1000, 800}, kBlue);
    form.resize(400, 500);
    form.show();
    form.showEntry(JobEntry::fromText(path + QLatin1Char('0')));
    QApplication::processEvents();
    EXPECT_EQ(scrollBox()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(scrollBox()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(pictureView()->size(), scrollBox()->viewport()->size());
    EXPECT_EQ(form.shownBitmap().size(), scrollBox()->viewport()->size());

    form.resize(300, 350);
    QApplication::processEvents();
    EXPECT_EQ(form.shownBitmap().size(), scrollBox()->viewport()->size());
    EXPECT_EQ(countColour(form.shownBitmap(), kBlue),
              form.shownBitmap().width() * form.shownBitmap().height());
}

TEST_F(PreviewWindowTest, ProfileOneBandsLandOnTheExactPixels)
{
    const QString path = picture(QStringLiteral("a.bmp"), {1000, 800}, kBlue);
    profiles.one = {10, 0, 20, 5};
    zoom()->setCurrentIndex(3);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('1')));
    const QImage shown = form.shownBitmap();
    ASSERT_EQ(shown.size(), QSize(300, 240));
    const struct {
        int x, y;
        QRgb colour;
    } probes[] = {
        {0, 0, kBlack},    {150, 20, kGreen},  {150, 47, kBlack},  {150, 48, kBlue},
        {15, 48, kBlack},  {15, 100, kGreen},  {29, 100, kBlack},  {30, 100, kBlue},
        {150, 227, kBlue}, {150, 228, kBlack}, {150, 235, kGreen}, {150, 239, kBlack},
        {299, 100, kBlue}, // no right band
    };
    for (const auto& p : probes)
        EXPECT_EQ(shown.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST_F(PreviewWindowTest, TheEntrysCropCodeChoosesTheBands)
{
    const QString path = picture(QStringLiteral("a.bmp"), {200, 100}, kBlue);
    profiles.one = {10, 0, 0, 0};
    profiles.two = {0, 20, 0, 0};
    zoom()->setCurrentIndex(10);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('0')));
    EXPECT_EQ(countColour(form.shownBitmap(), kGreen), 0);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('1')));
    EXPECT_EQ(form.shownBitmap().pixel(5, 50), kGreen);
    EXPECT_EQ(form.shownBitmap().pixel(190, 50), kBlue);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('2')));
    EXPECT_EQ(form.shownBitmap().pixel(5, 50), kBlue);
    EXPECT_EQ(form.shownBitmap().pixel(190, 50), kGreen);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('0')));
    EXPECT_EQ(countColour(form.shownBitmap(), kGreen), 0);
}

TEST_F(PreviewWindowTest, AZoomChangeReadsTheCurrentPercentagesButNotTheFile)
{
    const QString path = picture(QStringLiteral("a.bmp"), {1000, 800}, kBlue);
    profiles.one = {10, 0, 0, 0};
    zoom()->setCurrentIndex(3);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('1')));
    EXPECT_EQ(form.shownBitmap().pixel(100, 100), kBlue);

    profiles.one.left = 50;
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(form.shownBitmap().pixel(100, 100), kBlue); // old bands until re-rendered
    zoom()->setCurrentIndex(5);
    EXPECT_EQ(form.shownBitmap().size(), QSize(500, 400));
    EXPECT_EQ(form.shownBitmap().pixel(200, 200), kGreen);
    EXPECT_EQ(form.shownBitmap().pixel(260, 200), kBlue);
    zoom()->setCurrentIndex(3);
    EXPECT_EQ(form.shownBitmap().pixel(100, 100), kGreen);
    EXPECT_TRUE(reports.isEmpty()) << reports.join(';').toStdString();
}

TEST_F(PreviewWindowTest, ABlankEntryKeepsThePictureButItsCodeIsRemembered)
{
    const QString path = picture(QStringLiteral("a.bmp"), {300, 200}, kBlue);
    profiles.one = {10, 10, 10, 10};
    zoom()->setCurrentIndex(10);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('1')));
    const QImage before = form.shownBitmap();
    form.showEntry(JobEntry::fromText(QStringLiteral("(пустая страница)0")));
    EXPECT_EQ(form.shownBitmap(), before);
    EXPECT_EQ(form.rememberedCropCode(), 0);
    EXPECT_EQ(form.sourcePicture().size(), QSize(300, 200));
    EXPECT_TRUE(reports.isEmpty());

    // A picture in a folder named like the marker is a picture.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("(пустая страница)")));
    const QString inFolder = picture(QStringLiteral("(пустая страница)/b.bmp"), {120, 80}, kGreen);
    form.showEntry(JobEntry{inFolder, 0});
    EXPECT_EQ(form.sourcePicture().size(), QSize(120, 80));
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(PreviewWindowTest, FailuresAreReportedAndKeepThePreviousPicture)
{
    const QString good = picture(QStringLiteral("good.bmp"), {120, 80}, kRed);
    zoom()->setCurrentIndex(10);
    form.showEntry(JobEntry::fromText(good + QLatin1Char('0')));
    const QImage before = form.shownBitmap();

    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    const QString corrupt = dir.filePath(QStringLiteral("corrupt.jpg"));
    const QString decoderText = test::writeCorruptJpeg(corrupt);
    const QString tga = dir.filePath(QStringLiteral("picture.tga"));
    test::savePicture(QImage(10, 10, QImage::Format_RGB32), tga, "PNG");

    const struct {
        QString entry;
        QString report;
        int code;
    } cases[] = {
        {missing + "1",
         common::errorReportText(
             QStringLiteral("Cannot open file %1: No such file or directory").arg(missing)),
         1},
        {corrupt + "2", common::errorReportText(decoderText), 2},
        {tga + "1", QStringLiteral("Unknown picture file extension (.tga)"), 1}, // ")" is below "."
    };
    for (const auto& c : cases) {
        reports.clear();
        guarded(c.entry);
        EXPECT_EQ(reports, QStringList{c.report});
        EXPECT_EQ(form.shownBitmap(), before);
        EXPECT_EQ(form.sourcePicture().pixel(0, 0), kRed);
        EXPECT_EQ(form.rememberedCropCode(), c.code);
    }
}

TEST_F(PreviewWindowTest, DraggingTowardsTheTopLeftScrollsTowardsTheBottomRight)
{
    const QString path = picture(QStringLiteral("a.bmp"), {1000, 800}, kBlue);
    form.resize(300, 300);
    form.show();
    zoom()->setCurrentIndex(10);
    form.showEntry(JobEntry::fromText(path + QLatin1Char('0')));
    QApplication::processEvents();
    QWidget* viewport = scrollBox()->viewport();
    QScrollBar* h = scrollBox()->horizontalScrollBar();
    QScrollBar* v = scrollBox()->verticalScrollBar();
    ASSERT_GT(h->maximum(), 300);
    ASSERT_GT(v->maximum(), 300);

    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    const QPoint corner(viewport->width() - 5, viewport->height() - 5);
    send(QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, corner - QPoint(100, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(h->value(), 100);
    EXPECT_EQ(v->value(), 50);
    send(QEvent::MouseMove, corner - QPoint(130, 60), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(h->value(), 130);
    EXPECT_EQ(v->value(), 60);

    // Without the left button held the picture stays; far moves stop at the ends.
    send(QEvent::MouseMove, QPoint(0, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(h->value(), 130);
    send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, QPoint(-3000, 4), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(h->value(), h->maximum());
    EXPECT_EQ(v->value(), 61);
}

TEST_F(PreviewWindowTest, APreparedPageIsShownWithItsOutlineOnTheOriginalAndItsCellResolution)
{
    // A white sheet on a dark table.
    QImage photo(600, 800, QImage::Format_RGB32);
    photo.fill(qRgb(60, 50, 40));
    for (int y = 120; y < 680; ++y)
        for (int x = 100; x < 500; ++x)
            photo.setPixel(x, y,
                           (y / 12) % 3 == 0 && x > 140 && x < 460 ? kBlack : qRgb(240, 240, 235));
    const QString path = dir.filePath(QStringLiteral("photo.bmp"));
    test::savePicture(photo, path, "BMP");

    FakePreparation preparation;
    preparation.preparation.cellMm = QSizeF(50.8, 67.7334);
    form.setPreparation(&preparation);
    auto* original = form.findChild<QCheckBox*>(QStringLiteral("originalBox"));
    ASSERT_NE(original, nullptr);

    guarded(path + QStringLiteral("0"));
    EXPECT_EQ(form.pictureSize(), QSize(600, 800)); // nothing asked: the picture as it is
    EXPECT_FALSE(original->isEnabled());
    EXPECT_TRUE(form.statusText().contains(QStringLiteral("300")))
        << form.statusText().toStdString();

    preparation.preparation.options.findPage = true;
    guarded(path + QStringLiteral("0"));
    ASSERT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
    // The print alone (320 x 560 pixels, less what the line pattern leaves), with a small pad.
    EXPECT_NEAR(form.pictureSize().width(), 335, 20);
    EXPECT_NEAR(form.pictureSize().height(), 545, 30);
    EXPECT_TRUE(original->isEnabled());
    const auto outlinePixels = [](const QImage& shown) {
        int n = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb c = shown.pixel(x, y);
                n += qRed(c) > 180 && qGreen(c) < 100 && qBlue(c) < 100;
            }
        return n;
    };
    zoom()->setCurrentIndex(10); // 100 %: the line at its own width
    original->setChecked(true);
    EXPECT_GT(outlinePixels(form.shownBitmap()), 100); // the outline drawn
    original->setChecked(false);
    EXPECT_EQ(outlinePixels(form.shownBitmap()), 0);

    // The resolution a cell gets: fitted by its filling direction, stretched by its poorer one.
    const struct {
        QSize pixels;
        QSizeF cellMm;
        bool fitted;
        int dpi;
        bool warns;
    } cells[] = {
        {{1000, 1400}, {50.8, 71.12}, true, 500, false},
        {{300, 300}, {50.8, 101.6}, false, 75, true},
        {{300, 300}, {50.8, 101.6}, true, 150, false},
    };
    for (const auto& c : cells) {
        const double dpi = cellDpi(c.pixels, c.cellMm, c.fitted);
        EXPECT_NEAR(dpi, c.dpi, 0.5);
        const QString text = cellDpiText(dpi);
        EXPECT_TRUE(text.contains(QString::number(c.dpi))) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("плохо")), c.warns) << text.toStdString();
    }
}
