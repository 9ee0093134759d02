// The pending documents' statements as one batch: rows of all documents in shared statements, each
// document's template update after all lines, headers last; its length known before it is written.
#include "generation/PendingBatch.h"

#include <gtest/gtest.h>

namespace {

PendingDocument document(const QString& key, const QString& templateKey, int lines)
{
    PendingDocument d;
    d.headerTable = "Promet";
    d.lineTable = "PrometPoz";
    d.key = key;
    d.templateKey = templateKey;
    d.templateDate = "2004/03/31";
    for (int p = 1; p <= lines; ++p)
        d.lines.push_back(sqlRowOf({QString("Kljuc"), key, QString("Poz"), p}));
    d.header = sqlRowOf({QString("Kljuc"), key, QString("Prejemnik"), QString("Kupec d'Or")});
    return d;
}

PendingGroup group(std::vector<PendingDocument> documents)
{
    PendingGroup g;
    g.documents = std::move(documents);
    return g;
}

} // namespace

TEST(PendingBatch, DocumentsShareStatementsInTheirOrder)
{
    struct Case {
        const char* what;
        std::vector<PendingGroup> groups;
        const char* expected;
    };
    const Case cases[] = {
        {"nothing", {}, ""},
        {"one document",
         {group({document("041000001", "04G100001", 2)})},
         "INSERT INTO PrometPoz(Kljuc,Poz) VALUES ('041000001',1),('041000001',2); "
         "UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G100001'; "
         "INSERT INTO Promet(Kljuc,Prejemnik) VALUES ('041000001','Kupec d''Or'); "},
        {"a partner-type template's two documents and another template",
         {group({document("041000001", "04G100001", 1), document("041000002", "04G100001", 1)}),
          group({document("041000003", "04G1'2", 0)})},
         "INSERT INTO PrometPoz(Kljuc,Poz) VALUES ('041000001',1),('041000002',1); "
         "UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G100001'; "
         "UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G100001'; "
         "UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G1''2'; "
         "INSERT INTO Promet(Kljuc,Prejemnik) VALUES ('041000001','Kupec d''Or'),('041000002','Kupec d''Or'),"
         "('041000003','Kupec d''Or'); "},
    };
    for (const Case& c : cases) {
        PendingBatch batch;
        for (const PendingGroup& g : c.groups) {
            batch.add(g);
            EXPECT_EQ(batch.length(), batch.text().size()) << c.what;
        }
        EXPECT_EQ(batch.text(), QString(c.expected)) << c.what;
        EXPECT_EQ(batch.isEmpty(), c.groups.empty()) << c.what;
        batch.clear();
        EXPECT_EQ(batch.text(), QString()) << c.what;
        EXPECT_EQ(batch.length(), 0) << c.what;
    }
    EXPECT_EQ(PendingBatch::textOf(group({document("041000009", "04G100009", 1)})),
              "INSERT INTO PrometPoz(Kljuc,Poz) VALUES ('041000009',1); "
              "UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G100009'; "
              "INSERT INTO Promet(Kljuc,Prejemnik) VALUES ('041000009','Kupec d''Or'); ");
}
