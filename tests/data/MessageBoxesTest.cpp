#include "data/log/MessageBoxes.h"
#include <gtest/gtest.h>

TEST(MessageBoxes, ScriptedAnswersInOrderThenDefault)
{
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgButton::Cancel);
    EXPECT_EQ(askConfirmation("Ali želiš končati z delom ?"), MsgButton::Cancel);
    EXPECT_EQ(askConfirmation("Še enkrat ?"), MsgButton::Ok);
    showError("Napaka");
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[2].kind, MsgKind::Error);
    EXPECT_EQ(boxes.texts().first(), QString("Ali želiš končati z delom ?"));
}
