// The e-mail form: splitting of the address fields, the message handed to the mail program
// through a stand-in mail command, and the limits refused before anything is handed over.
#include "PreviewTestSupport.h"

#include "data/config/IniFile.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExternalProgram.h"
#include "printing/MailHandOver.h"
#include "printing/SendMailRules.h"
#include "printing/ui/TFormSendMail.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* text;
    QStringList addresses;
};

TEST(SendMail, SplitsAddressFieldsAtSemicolons)
{
    const SplitCase cases[] = {
        {"", {}},
        {"a@b.si", {"a@b.si"}},
        {"a@b.si;c@d.si", {"a@b.si", "c@d.si"}},
        {"a@b.si;", {"a@b.si"}},                       // a trailing ";" adds nobody
        {"a@b.si;;c@d.si", {"a@b.si", "", "c@d.si"}},   // two in a row: an empty address between
        {";a@b.si", {"", "a@b.si"}},
        {"a@b.si; c@d.si ", {"a@b.si", " c@d.si "}},    // blanks stay
        {";", {""}},
        {"a@b.si;;", {"a@b.si", ""}},
        {"Žan Čebelar <žan@čš.si>;x", {"Žan Čebelar <žan@čš.si>", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitMailAddresses(QString::fromUtf8(c.text)), c.addresses) << c.text;
}

TEST(SendMail, ToRecipientsComeBeforeCc)
{
    const MailMessage m = BuildMailMessage("a@b.si;c@d.si", "e@f.si", "S", "T", "/tmp/x/Vektor report.htm");
    using K = MailRecipient::Kind;
    const std::vector<MailRecipient> expected = {{K::To, "a@b.si"}, {K::To, "c@d.si"}, {K::Cc, "e@f.si"}};
    EXPECT_EQ(m.recipients, expected);
    EXPECT_EQ(m.attachmentName, "Vektor report.htm");
    EXPECT_EQ(m.attachmentPath, "/tmp/x/Vektor report.htm");
}

TEST(SendMail, ShowingTheFormTakesTheSubjectFromTheTitleAndAppliesWidths)
{
    TFormSendMail form("/tmp/Vektor report.htm", "27K-Izpis periodike");
    EXPECT_EQ(form.windowTitle(), "Vektor - elektronska pošta");
    EXPECT_EQ(form.Edit3()->text(), "Vektor report - 27K-Izpis periodike");
    EXPECT_EQ(form.Label2()->text(), "/tmp/Vektor report.htm");
    EXPECT_TRUE(form.Memo1()->toPlainText().isEmpty());
    form.show();
    EXPECT_EQ(form.focusWidget(), form.Edit1());
    form.resize(696, 450);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Edit1()->width(), 696 - 183);
    EXPECT_EQ(form.toolbarMiddle()->width(), 696 - 177);
    form.resize(300, 450);   // below the minimum width of the form
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Edit2()->width(), 200);
    EXPECT_EQ(MailFieldWidth(250), 200);
    EXPECT_EQ(MailToolbarMiddleWidth(376), 200);
    EXPECT_EQ(MailToolbarMiddleWidth(378), 201);
}

// The form with a stand-in mail program configured in the INI file.
class SendMailForm : public ::testing::Test {
protected:
    SendMailForm() : mailer(ws.dir(), "fake-mail")
    {
        IniFile(ws.iniPath()).writeString("Program", MailCommandKey, "\"" + mailer.path() + "\" --from-obdrac");
        QFile f(attachment);
        f.open(QIODevice::WriteOnly);
        f.write("<html>č</html>");
    }
    ScratchWorkstation ws;
    FakeProgram mailer;
    QString attachment = ws.dir().file("Vektor report.htm");
    ScriptedMessageBoxes boxes;
};

TEST_F(SendMailForm, EmptyToCopiesTheSubjectIntoTheTextAndStaysOpen)
{
    TFormSendMail form(attachment, "001-Računi");
    form.show();
    QTest::mouseClick(form.bPoslji(), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{"Vpišite naslovnika"});
    EXPECT_EQ(boxes.shown().at(0).kind, MsgKind::Error);
    EXPECT_EQ(form.Memo1()->toPlainText(), "Vektor report - 001-Računi");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(mailer.arguments(300));
}

TEST_F(SendMailForm, HandsEveryValueOverAsOneArgumentToTheConfiguredProgram)
{
    TFormSendMail form(attachment, "001-Računi");
    form.show();
    form.Edit1()->setText("ana@podjetje.si;janez@podjetje.si; rm -rf ~");
    form.Edit2()->setText("šef@podjetje.si");
    form.Memo1()->setPlainText("Pošiljam \"izpis\" $HOME `id`");
    QTest::mouseClick(form.bPoslji(), Qt::LeftButton);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const auto args = mailer.arguments();
    ASSERT_TRUE(args);
    const QStringList expected = {"--from-obdrac", "--utf8",
                                  "--to", "ana@podjetje.si", "--to", "janez@podjetje.si", "--to", " rm -rf ~",
                                  "--cc", "šef@podjetje.si",
                                  "--subject", "Vektor report - 001-Računi",
                                  "--body", "Pošiljam \"izpis\" $HOME `id`",
                                  "--attach", attachment};
    EXPECT_EQ(*args, expected);
    EXPECT_EQ(mailer.fileSeen(), QByteArray("<html>č</html>"));
}

TEST_F(SendMailForm, AMailProgramThatCannotBeStartedIsReportedAndTheFormStaysOpen)
{
    IniFile(ws.iniPath()).writeString("Program", MailCommandKey, ws.dir().file("no-such-mailer"));
    TFormSendMail form(attachment, "001-Računi");
    form.show();
    form.Edit1()->setText("ana@podjetje.si");
    QTest::mouseClick(form.bPoslji(), Qt::LeftButton);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Sporočila ni mogoče predati poštnemu programu.\r\n"));
    EXPECT_TRUE(boxes.texts()[0].contains("no-such-mailer"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Edit1()->text(), "ana@podjetje.si");
}

struct LimitCase {
    const char* what;
    QString to;
    QString subject;
    QString text;
    QString attachmentName;
    const char* messageStart;   // nullptr: accepted
};

TEST_F(SendMailForm, LimitsAreRefusedBeforeAnythingIsHandedOver)
{
    auto addresses = [](int n) {
        QStringList list;
        for (int i = 0; i < n; ++i)
            list << QString("u%1@podjetje.si").arg(i);
        return list.join(";");
    };
    const QString s255(255, u'č');
    const QString s256(256, u'č');
    const QString folder = ws.dir().path() + "/";
    // A file name of 255 characters fits the name but not the path; of 256, neither.
    const LimitCase cases[] = {
        {"256 recipients", addresses(256), "S", "T", "a.htm", nullptr},
        {"257 recipients", addresses(257), "S", "T", "a.htm", "Preveč naslovnikov: 257."},
        {"256 with a trailing ;", addresses(256) + ";", "S", "T", "a.htm", nullptr},
        {"subject 255", "a@b.si", s255, "T", "a.htm", nullptr},
        {"subject 256", "a@b.si", s256, "T", "a.htm", "Zadeva je predolga: 256 znakov."},
        {"text 256", "a@b.si", "S", s256, "a.htm", "Besedilo sporočila je predolgo: 256 znakov."},
        {"text 256 copied from the subject", "a@b.si", s256, "", "a.htm", "Zadeva je predolga"},
        {"path over 255", "a@b.si", "S", "T", QString(250 - folder.size() + 10, u'p') + ".htm",
         "Pot do priponke je predolga"},
        {"empty address", "a@b.si;;c@d.si", "S", "T", "a.htm", "V polju \"To:\" je 2. naslov prazen"},
        {"blank address", "a@b.si; ", "S", "T", "a.htm", "V polju \"To:\" je 2. naslov prazen"},
    };
    for (const auto& c : cases) {
        boxes.clear();
        int handedOver = 0;
        MailFormFields fields{c.to, QString(), c.subject, c.text, folder + c.attachmentName};
        const bool sent = SendMailFormMessage(fields, [&](const MailMessage&) { ++handedOver; });
        if (!c.messageStart) {
            EXPECT_TRUE(sent) << c.what;
            EXPECT_EQ(handedOver, 1) << c.what;
            EXPECT_TRUE(boxes.texts().isEmpty()) << c.what;
            continue;
        }
        EXPECT_FALSE(sent) << c.what;
        EXPECT_EQ(handedOver, 0) << c.what;
        ASSERT_EQ(boxes.texts().size(), 1) << c.what;
        EXPECT_TRUE(boxes.texts()[0].startsWith(QString::fromUtf8(c.messageStart))) << c.what << ": "
                                                                                    << boxes.texts()[0].toStdString();
        // The hand-over itself refuses the same message, without starting the program.
        const MailMessage m = BuildMailMessage(fields.to, fields.cc, fields.subject, fields.text, fields.attachmentPath);
        EXPECT_THROW(HandOverMail(m), EMailRefused) << c.what;
    }
    EXPECT_FALSE(mailer.arguments(300));

    MailMessage longName = BuildMailMessage("a@b.si", "", "S", "T", "/" + QString(256, u'n'));
    EXPECT_TRUE(MailMessageProblem(longName)->startsWith("Pot do priponke je predolga"));
    longName.attachmentPath = "/x";
    EXPECT_TRUE(MailMessageProblem(longName)->startsWith("Ime priponke je predolgo: 256 znakov."));
}

TEST(SendMail, DefaultMailProgramIsXdgEmail)
{
    const MailMessage m = BuildMailMessage("a@b.si", "", "", "T", "/x/r.htm");
    const ExternalCommand c = MailCommandFor(m, QString());
    EXPECT_EQ(c.program, "xdg-email");
    EXPECT_EQ(c.arguments, (QStringList{"--utf8", "--to", "a@b.si", "--body", "T", "--attach", "/x/r.htm"}));
}

} // namespace
