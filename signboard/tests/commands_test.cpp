#include "signboard/commands.h"

#include <gtest/gtest.h>

#include "rtl/casts.h"
#include "signboard/frames.h"
#include "signboard/messages.h"
#include "signlink/crc16.h"
#include "signlink/tests/fake_port.h"

namespace {

using signboard::AreaRecord;
using signlink::testing::Bytes;
using signlink::testing::TFakePort;
using signlink::testing::TFakePortLog;
using Messages = std::vector<std::string>;

const Bytes kBoardAck = {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x4F, 0x4B, 0x98, 0x9B, 0x7E};

class Commands : public ::testing::Test {
protected:
    void SetUp() override { signlink::FillCrcTable(); }

    // A sign that acknowledges the first `answered` writes.
    void Attach(int answered)
    {
        auto port = std::make_unique<TFakePort>(log);
        for (int i = 0; i < answered; ++i) port->AnswerAttempt(i, kBoardAck);
        link.AttachPort(std::move(port));
    }
    // The messages "发送" shows, in order.
    Messages Send(std::string_view screen, const std::vector<AreaRecord>& areas)
    {
        Messages shown;
        signboard::SendLayout(link, screen, areas,
                              [&](const std::string& text) { shown.push_back(text); });
        return shown;
    }
    static Bytes Wire(const Bytes& body)
    {
        return signlink::BuildSignFrame(body.data(), body.size());
    }

    TFakePortLog log;
    signlink::TSignLink link;
};

const std::vector<AreaRecord> kLayout = {
    {0, 0, 64, 16, "AB", 0, R"({"fontsize":1,"fontcolor":1,"issave":1})"},
    {64, 0, 128, 16, "CD", 0, ""},
    {0, 16, 192, 1, "", 1, R"({"fontcolor":2})"},
};

TEST_F(Commands, SendClearsThenSendsEveryAreaInOrder)
{
    Attach(4);
    EXPECT_EQ(Send("1", kLayout), Messages{signboard::kMsgSendDone});
    const std::vector<Bytes> expected = {
        Wire(signboard::ClearFrameBody(1)),
        Wire(*signboard::AreaFrameBody(1, 0, 0, 64, 16, true, "^col:1^^fnt:16^AB")),
        Wire(*signboard::AreaFrameBody(1, 64, 0, 128, 16, false, "CD")),
        Wire(*signboard::AreaFrameBody(1, 0, 16, 192, 1, false, "^line:0 0 192 0 2^")),
    };
    EXPECT_EQ(log.writes, expected);

    log = {};
    Attach(1);
    EXPECT_EQ(Send(" 3", {}), Messages{signboard::kMsgSendDone});
    EXPECT_EQ(log.writes, std::vector<Bytes>{Wire(signboard::ClearFrameBody(3))});
}

TEST_F(Commands, AnAreaTheSignWouldGetWrappedIsPassedOverAndNamed)
{
    const std::vector<AreaRecord> layout = {
        {0, -3, 64, 16, "AB", 0, ""},   // would go out at Top 65533
        {64, 0, 128, 16, "CD", 0, ""},  // Left 64 of a multiple: sent
        {0, 16, 192, 0, "EF", 0, ""},
        {4, 32, 20, 16, "GH", 0, ""},  // only off the multiples of 8: sent
        {65536, 0, 8, 16, "", 0, ""},
    };
    const std::string sep = signboard::kMsgAreaNumberSeparator;
    Attach(3);
    EXPECT_EQ(Send("1", layout),
              (Messages{signboard::kMsgAreaNotSent + ("1" + sep + "3" + sep + "5"),
                        signboard::kMsgSendDone}));
    const std::vector<Bytes> expected = {
        Wire(signboard::ClearFrameBody(1)),
        Wire(*signboard::AreaFrameBody(1, 64, 0, 128, 16, false, "CD")),
        Wire(*signboard::AreaFrameBody(1, 4, 32, 20, 16, false, "GH")),
    };
    EXPECT_EQ(log.writes, expected);

    // The areas passed over before a failed one are named with the failure.
    log = {};
    Attach(1);
    EXPECT_EQ(Send("1", layout),
              (Messages{std::string(signboard::kMsgAreaNotSent) + "1", signboard::kMsgSendFailed}));

    // ... and before a markup error, which ends the send as its outcome.
    auto badMarkup = layout;
    badMarkup[3].PropertyText = R"({"fontsize":"a"})";
    log = {};
    Attach(4);
    Messages shown;
    EXPECT_THROW(signboard::SendLayout(link, "1", badMarkup,
                                       [&](const std::string& text) { shown.push_back(text); }),
                 rtl::EInvalidCast);
    EXPECT_EQ(shown, Messages{signboard::kMsgAreaNotSent + ("1" + sep + "3")});
    EXPECT_EQ(log.writes, (std::vector<Bytes>{expected[0], expected[1]}));
}

TEST_F(Commands, EachFailureEndsTheCommandWithItsMessage)
{
    // A silent sign: the clear frame three times.
    Attach(0);
    EXPECT_EQ(Send("1", kLayout), Messages{signboard::kMsgClearFailed});
    EXPECT_EQ(log.writes.size(), 3u);

    // A sign that stops answering after the clear frame: the first area
    // three times, the later ones never.
    log = {};
    Attach(1);
    EXPECT_EQ(Send("1", kLayout), Messages{signboard::kMsgSendFailed});
    ASSERT_EQ(log.writes.size(), 4u);
    EXPECT_EQ(log.writes[3], log.writes[1]);

    // A screen number made of letters: nothing is sent.
    log = {};
    Attach(4);
    EXPECT_EQ(Send("ab", kLayout), Messages{signboard::kMsgScreenBad});
    EXPECT_EQ(signboard::ClearSign(link, ""), signboard::kMsgScreenBad);
    EXPECT_TRUE(log.writes.empty());
}

TEST_F(Commands, ClearSign)
{
    Attach(1);
    EXPECT_EQ(signboard::ClearSign(link, "$10"), signboard::kMsgClearDone);
    EXPECT_EQ(log.writes, std::vector<Bytes>{Wire(signboard::ClearFrameBody(16))});
    EXPECT_EQ(signboard::ClearSign(link, "1"), signboard::kMsgClearFailed);

    signlink::TSignLink closed;
    EXPECT_EQ(signboard::ClearSign(closed, "1"), signboard::kMsgClearFailed);
}

}  // namespace
