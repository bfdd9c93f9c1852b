#include "compose/CompositionRun.h"
#include "Fakes.h"
#include "compose/EntryOrder.h"
#include "compose/FillerPicture.h"
#include "compose/PicturePipeline.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

using namespace pagula::compose;
using namespace pagula::compose::test;
using pagula::joblist::JobEntry;

namespace
{

QStringList numbered(int count)
{
    QStringList l;
    for (int k = 1; k <= count; ++k)
        l << QStringLiteral("/p/%1.jpg0").arg(k);
    return l;
}

struct RunFixture {
    QTemporaryDir dir;
    QString filler = dir.filePath(QStringLiteral("Pagula-tmp.bmp"));
    FakeSettings settings;
    FakeEvents events;
    RecordingBuilder builder;
    std::atomic<bool> cancel{false};
    PictureStep step = fakePicture;
    int lookAhead = 1;
    CompositionResult result;

    void run(const QString& fillerPath = {})
    {
        const CompositionRequest request{
            settings.value(), fillerPath.isEmpty() ? filler : fillerPath, step, lookAhead};
        SettingsChannel channel(request.settings);
        events.settings = &settings;
        events.channel = &channel;
        result = runComposition(request, builder, events, cancel, &channel);
        events.channel = nullptr;
    }
    std::vector<DocumentRole> roles() const
    {
        std::vector<DocumentRole> r;
        for (const ComposedDocument& d : result.documents)
            r.push_back(d.role);
        return r;
    }
    QString doc(size_t d) const { return builder.dump(d, filler); }
};

} // namespace

TEST(CompositionRun, OneSidedDocumentWithMarginsStatusAndEndState)
{
    RunFixture r;
    r.settings.ticked = numbered(4);
    r.settings.gutter = 0;
    r.run();

    ASSERT_EQ(r.builder.docs.size(), 1u);
    EXPECT_EQ(r.doc(0), QStringLiteral("1:tl 2:tlb 3:tlbr | 4:tlbr"));
    const QMarginsF& m = r.builder.docs[0].margins;
    EXPECT_DOUBLE_EQ(m.top(), 19.845);
    EXPECT_DOUBLE_EQ(m.left(), 19.845);
    EXPECT_DOUBLE_EQ(m.bottom(), 45.36);
    EXPECT_DOUBLE_EQ(m.right(), 17.01);
    EXPECT_EQ(r.roles(), std::vector<DocumentRole>{DocumentRole::Single});
    EXPECT_EQ(r.events.stages, (std::vector<Stage>{Stage::Preparing, Stage::OneSided}));
    EXPECT_FALSE(r.result.failure || r.result.cancelled || r.result.refused);
}

TEST(CompositionRun, TwoSidedAlternatesEntriesPadsAndMirrorsTheBack)
{
    const struct {
        int count, columns;
        const char* front;
        const char* back;
    } cases[] = {
        {7, 3, "1:tl 3:tlb 5:tlbr | 7:tlbr", "6:tlb 4:tlb 2:tlbr |"},
        {8, 3, "1:tl 3:tlb 5:tlbr | 7:tlbr", "6:tl 4:tl 2:tlr | F:tlb F:tlb 8:tlbr |"},
        {5, 1, "1:tlr | 3:tlr | 5:tlbr |", "2:tlr | 4:tlbr |"},
        {8, 4, "1:tlb 3:tlb 5:tlb 7:tlbr |", "8:tlb 6:tlb 4:tlb 2:tlbr |"},
        {0, 3, "", ""},
    };
    for (const auto& c : cases) {
        RunFixture r;
        r.settings.twoSide = true;
        r.settings.gutter = 0;
        r.settings.cols = c.columns;
        r.settings.ticked = numbered(c.count);
        r.run();
        ASSERT_EQ(r.builder.docs.size(), 2u);
        EXPECT_EQ(r.doc(0), QString::fromUtf8(c.front)) << c.count << "x" << c.columns;
        EXPECT_EQ(r.doc(1), QString::fromUtf8(c.back)) << c.count << "x" << c.columns;
        EXPECT_EQ(r.roles(), (std::vector<DocumentRole>{DocumentRole::Front, DocumentRole::Back}));
    }
}

TEST(CompositionRun, TwoSidedSequenceOfStepsAndMessage)
{
    RunFixture r;
    r.settings.twoSide = true;
    r.settings.ticked = numbered(2);
    r.run();
    EXPECT_EQ(r.result.documents.size(), 2u);
    EXPECT_EQ(r.events.stages, (std::vector<Stage>{Stage::Preparing, Stage::Front, Stage::Back}));
    // The back side's strips stand on the right while it is built, which is reported.
    EXPECT_EQ(r.doc(1), QStringLiteral("F:tlb F:tlb F:tlb F:tlb 2:tlbr F:tbr |"));
    EXPECT_EQ(r.events.mirrorings, (std::vector<bool>{true, false}));
}

TEST(CompositionRun, BackSideGetsBlankPaddingAsFillerCells)
{
    RunFixture r;
    r.settings.twoSide = true;
    r.settings.gutter = 0;
    r.settings.ticked = numbered(4); // back: 2, 4 + one blank -> mirrored blank, 4, 2
    r.run();
    EXPECT_EQ(r.doc(1), QStringLiteral("F:tlb 4:tlb 2:tlbr |"));
    const auto& blank = r.builder.docs[1].cells[0];
    EXPECT_EQ(blank.path, r.filler);
    EXPECT_TRUE(blank.adjustments.has_value()); // placed as a picture cell
}

TEST(CompositionRun, CancelInTheFrontEndsTheRunWithoutABackSide)
{
    RunFixture r;
    r.settings.twoSide = true;
    r.settings.gutter = 0;
    r.settings.ticked = numbered(12);
    r.events.afterCell = [&] {
        if (r.builder.docs.size() == 1 && r.builder.docs[0].cells.size() == 2)
            r.cancel = true;
    };
    r.run();
    EXPECT_EQ(r.doc(0), QStringLiteral("1:tl 3:tl"));
    EXPECT_EQ(r.builder.docs.size(), 1u);
    EXPECT_EQ(r.roles(), std::vector<DocumentRole>{DocumentRole::Front});
    EXPECT_TRUE(r.result.cancelled);
    EXPECT_FALSE(r.result.failure);
}

TEST(CompositionRun, PicturesComeInListOrderAndACancelStopsEachWorkerWithinAPicture)
{
    RunFixture r;
    r.settings.gutter = 0;
    r.settings.ticked = numbered(40);
    r.lookAhead = 0; // the pipeline's own, on every core
    std::atomic<int> started{0};
    std::atomic<int> startedAfterCancel{0};
    // Odd pictures take longer, so the workers finish them out of order.
    r.step = [&](const PictureTask& task) {
        ++started;
        if (r.cancel)
            ++startedAfterCancel;
        QThread::usleep(QFileInfo(task.path).completeBaseName().toInt() % 2 ? 3000 : 300);
        return fakePicture(task);
    };
    r.events.afterCell = [&] {
        if (r.events.position == 11) // picture 10 placed
            r.cancel = true;
    };
    r.run();
    EXPECT_EQ(r.doc(0), QStringLiteral("1:tl 2:tl 3:tlr | 4:tl 5:tl 6:tlr | 7:tlb 8:tlb 9:tlbr | "
                                       "10:tl"));
    EXPECT_TRUE(r.result.cancelled);
    EXPECT_LE(startedAfterCancel.load(), QThread::idealThreadCount());
    // The filler, the ten placed and at most the look-ahead prepared in vain.
    EXPECT_LE(started.load(), 1 + 10 + PicturePipeline::defaultLookAhead());
}

TEST(CompositionRun, FailureEndsTheRunKeepsWhatWasPlacedAndShowsIt)
{
    RunFixture r;
    r.settings.twoSide = true;
    r.settings.gutter = 0;
    r.settings.side = GutterSide::Right;
    r.settings.ticked = numbered(6);
    r.builder.missing << QStringLiteral("/p/4.jpg"); // second entry of the back side
    r.run();

    ASSERT_TRUE(r.result.failure);
    EXPECT_TRUE(r.result.failure->contains(QStringLiteral("/p/4.jpg")));
    EXPECT_EQ(r.doc(1), QStringLiteral("6:tlb")); // mirrored: 6, 4, 2
    EXPECT_EQ(r.events.mirrorings, (std::vector<bool>{true, false}));
    // The front and what was placed of the back.
    EXPECT_EQ(r.roles(), (std::vector<DocumentRole>{DocumentRole::Front, DocumentRole::Back}));
}

TEST(CompositionRun, UnwritableFillerLocationFailsTheRunNamingTheFile)
{
    RunFixture r;
    const QString blocked = r.dir.filePath(QStringLiteral("no-such-folder/Pagula-tmp.bmp"));
    r.settings.ticked = numbered(2);
    r.run(blocked);
    ASSERT_TRUE(r.result.failure);
    EXPECT_TRUE(
        r.result.failure->startsWith(QStringLiteral("Cannot create file %1: ").arg(blocked)))
        << r.result.failure->toStdString();
    EXPECT_TRUE(r.builder.docs.empty());
    EXPECT_TRUE(r.result.documents.empty());
}

TEST(CompositionRun, TicksAreReadOncePerSide)
{
    RunFixture r;
    r.settings.twoSide = true;
    r.settings.gutter = 0;
    r.settings.ticked = numbered(4);
    r.events.afterCell = [&] { r.settings.ticked = numbered(6); };
    r.run();
    EXPECT_EQ(r.doc(0), QStringLiteral("1:tlb 3:tlbr"));
    EXPECT_EQ(r.doc(1), QStringLiteral("6:tlb 4:tlb 2:tlbr |"));
}

TEST(FillerPicture, IsTheWhiteOneBitBitmap)
{
    const QByteArray b = fillerPictureBytes();
    ASSERT_EQ(b.size(), 462);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(quint8(b[10]), 62); // pixel data offset
    EXPECT_EQ(quint8(b[28]), 1);  // bits per pixel
    EXPECT_EQ(b.mid(54, 8), QByteArray("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8));
    const QImage img = QImage::fromData(b, "BMP");
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(50, 50));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.bmp"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    writeFillerPicture(path); // replaces whatever was there
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), b);
}

TEST(EntryOrder, AlternatePadAndMirror)
{
    const auto entries = [](const QStringList& paths) {
        JobEntries l;
        for (const QString& p : paths)
            l.append({p, 1});
        return l;
    };
    const JobEntries six = entries({"a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(alternateEntries(six, 0), entries({"a", "c", "e"}));
    EXPECT_EQ(alternateEntries(six, 1), entries({"b", "d", "f"}));
    EXPECT_EQ(alternateEntries({}, 1), JobEntries{});

    JobEntries l = entries({"1", "2", "3", "4", "5"});
    padToWholeRows(l, 4);
    EXPECT_EQ(l.size(), 8);
    EXPECT_EQ(l.count(pagula::joblist::JobEntry::blank()), 3);
    mirrorRows(l, 4);
    EXPECT_EQ(l.mid(0, 4), entries({"4", "3", "2", "1"}));
    EXPECT_EQ(l.mid(4, 3), JobEntries(3, pagula::joblist::JobEntry::blank()));
    EXPECT_EQ(l.at(7), entries({"5"}).front());

    JobEntries one = entries({"x", "y"});
    padToWholeRows(one, 1);
    mirrorRows(one, 1);
    EXPECT_EQ(one, entries({"x", "y"}));
}

TEST(CompositionRun, SettingsThatCannotMakeAPageStopBeforeAnythingIsPlaced)
{
    const struct {
        const char* name;
        std::function<void(FakeSettings&)> edit;
        const char* message; // fragment: the setting and what it must be
    } cases[] = {
        {"margin", [](FakeSettings& s) { s.mLeft = 300; },
         "Отступ слева: 300 мм — на листе не остается места для ячеек. Допустимо от 0 до 199 мм."},
        {"strip", [](FakeSettings& s) { s.cellW = 5.0; }, "Ширина ячейки: 5 мм"},
        {"crop in use",
         [](FakeSettings& s) {
             s.profile2 = {0, 0, 50, 50};
         },
         "Обрезка профиля 2: 100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunFixture r;
        r.settings.ticked = QStringList{QStringLiteral("/a.jpg1"), QStringLiteral("/b.jpg2")};
        c.edit(r.settings);
        r.run();
        ASSERT_TRUE(r.result.failure);
        EXPECT_TRUE(r.result.refused);
        EXPECT_TRUE(r.result.failure->contains(QString::fromUtf8(c.message)))
            << r.result.failure->toStdString();
        EXPECT_TRUE(r.builder.docs.empty());
        EXPECT_TRUE(r.events.stages.empty());
        EXPECT_FALSE(QFile::exists(r.filler));
    }

    // A crop profile no entry uses does not stop the run.
    RunFixture r;
    r.settings.ticked = QStringList{QStringLiteral("/a.jpg0")};
    r.settings.profile2 = {100, 0, 0, 0};
    r.settings.gutter = 0;
    r.run();
    EXPECT_FALSE(r.result.failure);
    EXPECT_EQ(r.builder.docs.size(), 1u);
}
