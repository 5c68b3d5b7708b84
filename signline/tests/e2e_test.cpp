// signline.exe under Wine against a sign stand-in on COM1, driven through
// its controls as an operator would.
#include <gtest/gtest.h>

#include <string>

#include "signline/tests/operator.h"
#include "tools/windrive/signsim_client.h"

namespace {

using signline_e2e::TOperator;
using windrive::TSimPort;
namespace sl = signline_e2e;

const std::string kSent = "\xB7\xA2\xCB\xCD\xB3\xC9\xB9\xA6!";         // 发送成功!
const std::string kSendFailed = "\xB7\xA2\xCB\xCD\xCA\xA7\xB0\xDC!";   // 发送失败!
const std::string kClockSet = "\xD0\xA7\xD5\xFD\xB3\xC9\xB9\xA6!";     // 效正成功!
const std::string kClockFailed = "\xD0\xA7\xD5\xFD\xCA\xA7\xB0\xDC!";  // 效正失败!
const std::string kRecalled = "\xB5\xF7\xD3\xC3\xB3\xC9\xB9\xA6!";     // 调用成功!

class SignlineEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(windrive::SimAvailable()) << "run through scripts/with-signsim";
        op = new TOperator;
        ASSERT_TRUE(op->Start(SIGNLINE_EXE)) << "signline.exe did not show its window";
    }
    static void TearDownTestSuite()
    {
        if (op) op->Close();
        delete op;
        op = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(op, nullptr);
        ASSERT_NE(op->Window(), nullptr);
        sign.Control("");
    }

    void OpenPort()
    {
        if (!windrive::IsEnabled(op->Button(sl::kOpen))) return;
        windrive::SelectItem(op->Port(), 1);
        op->ClickQuietly(sl::kOpen);
        ASSERT_TRUE(windrive::NoMessageBox(op->ProcessId(), 300));
    }

    static TOperator* op;
    TSimPort sign{1};
};

TOperator* SignlineEndToEnd::op = nullptr;

TEST_F(SignlineEndToEnd, OpeningThePortEnablesTheCommands)
{
    EXPECT_FALSE(windrive::IsEnabled(op->Button(sl::kSend)));
    EXPECT_TRUE(windrive::IsEnabled(op->Button(sl::kCentre)));
    OpenPort();
    for (const auto* caption :
         {&sl::kSend, &sl::kSetClock, &sl::kRecall, &sl::kClose, &sl::kCentre})
        EXPECT_TRUE(windrive::IsEnabled(op->Button(*caption))) << *caption;
    EXPECT_FALSE(windrive::IsEnabled(op->Button(sl::kOpen)));
}

TEST_F(SignlineEndToEnd, SendsTheComposedTextAndShowsSuccess)
{
    OpenPort();
    windrive::SelectItem(op->Screen(), 1);
    windrive::SelectItem(op->Line(), 0);
    windrive::SelectItem(op->Colour(), 0);
    windrive::SelectItem(op->Font(), 0);
    windrive::SetText(op->Text(), "AB");
    const size_t before = sign.Frames().size();
    EXPECT_EQ(op->ClickForMessage(sl::kSend), kSent);
    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Field("wire"), "7E7D217D21447D217D237D2641429C497E");
}

TEST_F(SignlineEndToEnd, SetsTheClockAndRecalls)
{
    OpenPort();
    const size_t before = sign.Frames().size();
    EXPECT_EQ(op->ClickForMessage(sl::kSetClock), kClockSet);
    EXPECT_EQ(op->ClickForMessage(sl::kRecall), kRecalled);
    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Field("cmd"), "V");
    EXPECT_EQ(frames[1].Field("cmd"), "W");
}

TEST_F(SignlineEndToEnd, ASilentSignGivesFailureAfterThreeAttempts)
{
    OpenPort();
    sign.Control("--silent");
    windrive::SetText(op->Text(), "AB");
    const size_t before = sign.Frames().size();
    EXPECT_EQ(op->ClickForMessage(sl::kSend), kSendFailed);
    EXPECT_EQ(sign.FramesSince(before).size(), 3u);
}

TEST_F(SignlineEndToEnd, ALateAnswerToAFailedCommandDoesNotReportTheNextAsSent)
{
    OpenPort();
    windrive::SetText(op->Text(), "AB");
    // The sign answers the clock's first attempt only after the program
    // gave up, then stops answering.
    sign.Control("--hold-back 700");
    const size_t before = sign.Frames().size();
    EXPECT_EQ(op->ClickForMessage(sl::kSetClock), kClockFailed);
    sign.Control("--silent");
    Sleep(700);  // the held-back answer reaches the program's port meanwhile
    EXPECT_EQ(op->ClickForMessage(sl::kSend), kSendFailed);
    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(frames[0].Field("answered"), "true");
}

TEST_F(SignlineEndToEnd, AScreenNumberThatIsNoNumberShowsTheConversionErrorAndSendsNothing)
{
    OpenPort();
    windrive::TypeComboText(op->Screen(), "abc");
    const size_t before = sign.Frames().size();
    EXPECT_EQ(op->ClickForMessage(sl::kSend), "'abc' is not a valid integer value");
    EXPECT_TRUE(sign.FramesSince(before).empty());
    windrive::SelectItem(op->Screen(), 0);
}

TEST_F(SignlineEndToEnd, CentringToAMillionCharactersLeavesTheWindowAnswering)
{
    windrive::SetText(op->Text(), "AB");
    windrive::TypeComboText(op->LineChars(), "1000000");
    const DWORD start = GetTickCount();
    op->ClickQuietly(sl::kCentre);
    EXPECT_LT(GetTickCount() - start, 2000u);
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(op->Window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer), 0);
    // The text box's 1000 characters, the text in their middle.
    const std::string text = windrive::TextOf(op->Text());
    EXPECT_EQ(text.size(), 1000u);
    EXPECT_EQ(text.find("AB"), 499u);
    windrive::SelectItem(op->LineChars(), 8);  // "12" again
}

TEST_F(SignlineEndToEnd, ClosingThePortDisablesTheCommands)
{
    OpenPort();
    op->ClickQuietly(sl::kClose);
    for (const auto* caption :
         {&sl::kSend, &sl::kSetClock, &sl::kRecall, &sl::kClose, &sl::kCentre})
        EXPECT_FALSE(windrive::IsEnabled(op->Button(*caption))) << *caption;
    EXPECT_TRUE(windrive::IsEnabled(op->Button(sl::kOpen)));
}

TEST_F(SignlineEndToEnd, AltSpaceShowsTheSystemMenuAndEscapeClosesIt)
{
    HWND window = op->Window();
    PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND popup = nullptr;
    ASSERT_TRUE(windrive::WaitUntil(
        [&] { return (popup = windrive::VisiblePopupMenu(op->ProcessId())); }, 3000));
    // (Its items are checked in process: a menu handle means nothing to
    // another process under Wine.)
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(
        windrive::WaitUntil([&] { return !windrive::VisiblePopupMenu(op->ProcessId()); }, 3000));
    EXPECT_TRUE(IsWindowVisible(window));
}

}  // namespace
