#include "ReportTestSupport.h"

#include "reports/ui/ReportPageView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace reporttest;

// The view follows a report that is still being generated in slices, pages through it and
// zooms; the page count it reports grows to the final count.
TEST(ReportPageView, FollowsAGrowingReportAndPagesAndZooms)
{
    ReportDataSources sources;
    sources.add(listingRows(60, 20));
    ReportGenerator generator(listingDefinition(), sources, ReportContext());
    generator.setSliceMilliseconds(1);
    ReportPageView view;
    view.resize(800, 600);
    view.show();
    view.setReport(&generator.prepared());
    QObject::connect(&generator, &ReportGenerator::pageReady, &view, &ReportPageView::pageAdded);
    QSignalSpy pages(&view, &ReportPageView::pageChanged);
    QSignalSpy done(&generator, &ReportGenerator::finished);
    QSignalSpy progress(&generator, &ReportGenerator::progress);
    generator.start();
    EXPECT_TRUE(generator.isRunning());
    // Usable while pages arrive: the first page shows before the run ends.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.currentPage() == 1 || done.count() == 1; }, 10000));
    EXPECT_TRUE(done.count() == 0 || generator.prepared().pageCount() > 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 30000));
    view.refresh();
    const int count = generator.prepared().pageCount();
    EXPECT_GT(count, 20);
    EXPECT_EQ(view.pageCount(), count);
    EXPECT_GE(progress.count(), 3);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages.last().at(1).toInt(), count);

    view.lastPage();
    EXPECT_EQ(view.currentPage(), count);
    view.nextPage();
    EXPECT_EQ(view.currentPage(), count);
    view.prevPage();
    EXPECT_EQ(view.currentPage(), count - 1);
    QTest::keyClick(&view, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(view.currentPage(), 1);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.currentPage(), 2);
    view.setCurrentPage(1000);
    EXPECT_EQ(view.currentPage(), count);

    QSignalSpy zoom(&view, &ReportPageView::zoomChanged);
    view.setZoomPercent(150);
    EXPECT_EQ(view.zoomPercent(), 150);
    view.zoomToWidth();
    const int width = view.zoomPercent();
    view.zoomWholePage();
    EXPECT_LT(view.zoomPercent(), width);   // a 800 x 600 view: the whole page is smaller
    EXPECT_EQ(zoom.count(), 3);
    view.setZoomPercent(5000);
    EXPECT_EQ(view.zoomPercent(), 400);

    // What the view paints is the page: some dark pixels of text inside the white page.
    view.setZoomPercent(100);
    const QImage shot = view.viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            dark += qGray(shot.pixel(x, y)) < 60;
    EXPECT_GT(dark, 50);
}

TEST(ReportPageView, CancelStopsTheRunAndKeepsThePagesMade)
{
    ReportDataSources sources;
    sources.add(listingRows(200, 20));
    ReportGenerator generator(listingDefinition(), sources, ReportContext());
    generator.setSliceMilliseconds(1);
    QSignalSpy done(&generator, &ReportGenerator::finished);
    QSignalSpy ready(&generator, &ReportGenerator::pageReady);
    generator.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() >= 2; }, 20000));
    generator.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 5000));
    EXPECT_TRUE(done.first().at(0).toBool());
    EXPECT_TRUE(generator.wasCancelled());
    EXPECT_FALSE(generator.prepared().isComplete());
    EXPECT_GE(generator.prepared().pageCount(), 2);
    EXPECT_LT(generator.prepared().pageCount(), 100);
}
