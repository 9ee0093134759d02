#include "ReportTestSupport.h"

#include "reports/ReportPrinting.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

PreparedReport run(const ReportDefinition& def, std::shared_ptr<ReportDataSource> rows, ReportContext context = {})
{
    ReportDataSources sources;
    sources.add(std::move(rows));
    ReportGenerator g(def, sources, context);
    const bool ok = g.runToEnd();
    EXPECT_TRUE(ok) << g.errorMessage().toStdString();
    return g.takePrepared();
}

}   // namespace

TEST(ReportLayout, ListingPdfHasPageCountAndNamesWithCaron)
{
    ReportContext ctx;
    ctx.companyName = QStringLiteral("Podjetje Čuk d.o.o.");
    ctx.setCriterion(QStringLiteral("Obdobje"), QStringLiteral("09.12.2026"));
    const PreparedReport r = run(listingDefinition(), listingRows(12, 20), ctx);
    ASSERT_GT(r.pageCount(), 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("izpis.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(r, pdf, &error)) << error.toStdString();
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Stran 1 od %1").arg(r.pageCount()))) << text.left(2000).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Čebelarstvo Žužek d.o.o.")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.234,50")));
    if (qEnvironmentVariableIsSet("OBDRAC_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("OBDRAC_KEEP_PDF"));
}
