#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

// The program refuses to start without a display and says how to run it.
TEST(ProgramEntry, WithoutDisplayExplainsAndEndsWithCode2)
{
    const QString program = QCoreApplication::applicationDirPath() + "/../../src/app/obdrac";
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "the program is not built";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.contains("grafični zaslon ni na voljo")) << err.toStdString();
    EXPECT_TRUE(err.contains("xvfb-run -a")) << err.toStdString();
}
