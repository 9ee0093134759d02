// The simple preview window (offscreen): pages shown while they are made, the page position,
// reuse for the next report, cancel on close; and clicking the print origin again.
#include "PrintingFixture.h"

#include "printing/PrintOrigin.h"
#include "printing/PrintingRun.h"
#include "printing/ui/PrintOriginClick.h"
#include "printing/ui/SimplePreviewWindow.h"
#include "reports/ui/ReportPageView.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class PreviewWindowTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_preview"); }
    static void TearDownTestSuite() { endSuite(); }
};

TEST_F(PreviewWindowTest, TheListingIsShownInTheReusedChildWindowAndRefreshedThroughTheButton)
{
    SimpleReportPreviewer simple;
    designer.setPreviewer(&simple);
    QPushButton bIzpis("Izpis");
    int clicks = 0;
    GenerationCriteria criteria;
    criteria.DatumKont = QDate::currentDate();
    QObject::connect(&bIzpis, &QPushButton::clicked, [&] {
        ++clicks;
        bIzpisClick(designer, &bIzpis, criteria);
    });

    bIzpis.click();
    SimplePreviewWindow* window = simple.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return window->generator() && window->generator()->isFinished(); }));
    ASSERT_FALSE(window->generator()->hasFailed()) << window->generator()->errorMessage().toStdString();
    const int pages = window->pageView()->pageCount();
    ASSERT_GE(pages, 1);
    EXPECT_EQ(window->pageText(), "Stran 1 od " + QString::number(pages));
    EXPECT_TRUE(window->progressText().isEmpty());
    window->pageView()->lastPage();
    EXPECT_EQ(window->pageText(), QString("Stran %1 od %1").arg(pages));
    EXPECT_TRUE(window->windowTitle().contains("Izpis")) << window->windowTitle().toStdString();

    // The preview's refresh clicks the origin again: the run is repeated in the same window.
    ASSERT_TRUE(clickPrintOrigin());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(simple.window(), window);
    ASSERT_TRUE(waitFor([&] { return window->generator()->isFinished(); }));
    EXPECT_EQ(window->pageView()->pageCount(), pages);
    EXPECT_EQ(window->pageText(), "Stran 1 od " + QString::number(pages));
    EXPECT_EQ(boxes.texts(), (QStringList{"Ali res želiš izpisati dokumente ?", "Ali res želiš izpisati dokumente ?"}));

    window->close();
    EXPECT_TRUE(waitFor([&] { return simple.window() == nullptr; }));
}

TEST_F(PreviewWindowTest, ClosingTheWindowWhileThePagesAreMadeCancelsTheRun)
{
    SimpleReportPreviewer simple;
    designer.setPreviewer(&simple);
    GenerationCriteria criteria;
    criteria.DatumKont = QDate::currentDate();
    QObject origin;
    ASSERT_TRUE(bIzpisClick(designer, &origin, criteria));
    QPointer<SimplePreviewWindow> window = simple.window();
    ASSERT_TRUE(window);
    QPointer<ReportGenerator> generator = window->generator();
    window->close();
    EXPECT_TRUE(waitFor([&] { return !window && !generator; }));
    QApplication::processEvents();
}

TEST(PrintOriginClick, ButtonsAndMenuItemsAreClickedThePlaceholderIsNot)
{
    setPrintOrigin(nullptr);
    EXPECT_FALSE(clickPrintOrigin());
    QPushButton button;
    int pressed = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++pressed; });
    setPrintOrigin(&button);
    EXPECT_TRUE(clickPrintOrigin());
    EXPECT_EQ(pressed, 1);
    QAction item("Izpis");
    int triggered = 0;
    QObject::connect(&item, &QAction::triggered, [&] { ++triggered; });
    setPrintOrigin(&item);
    EXPECT_TRUE(clickPrintOrigin());
    EXPECT_EQ(triggered, 1);
    QObject other;
    setPrintOrigin(&other);
    EXPECT_FALSE(clickPrintOrigin());
    {
        QPushButton gone;
        setPrintOrigin(&gone);
    }
    EXPECT_EQ(PrintOrigin(), printOriginPlaceholder());
    EXPECT_FALSE(clickPrintOrigin());
}

} // namespace
