// The strip commands on a real serial port under Wine, against the sign
// stand-in on COM1 (scripts/with-signsim).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signline/commands.h"
#include "signlink/crc16.h"
#include "signlink/messages.h"
#include "signlink/win32_port.h"
#include "tools/windrive/signsim_client.h"

namespace {

using windrive::TSimPort;

class StripPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(windrive::SimAvailable()) << "run through scripts/with-signsim";
        signlink::FillCrcTable();
        link.SetMessageFunc([this](const std::string& text) { messages.push_back(text); });
        TSimPort(1).Control("");
    }

    signlink::TSignLink link;
    std::vector<std::string> messages;
};

TEST_F(StripPortTest, EachStripCommandIsAcknowledgedOnARealPort)
{
    TSimPort sign(1);
    const size_t before = sign.Frames().size();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    EXPECT_TRUE(signline::SendText(link,
                                   "\x01\x03\x06"
                                   "AB",
                                   1));
    EXPECT_TRUE(signline::SetClock(link, 1));
    EXPECT_TRUE(signline::RecallContent(link, 1, 1));
    signlink::CloseSignPort(link);
    EXPECT_TRUE(messages.empty());

    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].Field("cmd"), "D");
    EXPECT_EQ(frames[0].Field("wire"), "7E7D217D21447D217D237D2641429C497E");
    EXPECT_EQ(frames[1].Field("cmd"), "V");
    EXPECT_EQ(frames[2].Field("cmd"), "W");
    for (const auto& f : frames) EXPECT_EQ(f.Field("crc_ok"), "true") << f.Line;
}

TEST_F(StripPortTest, AStripCommandOnAClosedPortSaysSo)
{
    EXPECT_FALSE(signline::SendText(link, "\x01", 0));
    EXPECT_EQ(messages, std::vector<std::string>{signlink::kMsgPortNotOpen});
}

}  // namespace
