#include "signboard/frames.h"

#include <gtest/gtest.h>

#include <string>

#include "signlink/crc16.h"
#include "signlink/tests/fake_port.h"

namespace {

using signlink::testing::Bytes;
using signlink::testing::TFakePort;
using signlink::testing::TFakePortLog;

const Bytes kBoardAck = {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x4F, 0x4B, 0x98, 0x9B, 0x7E};

class Frames : public ::testing::Test {
protected:
    void SetUp() override { signlink::FillCrcTable(); }

    TFakePort& Attach()
    {
        auto port = std::make_unique<TFakePort>(log);
        TFakePort& ref = *port;
        link.AttachPort(std::move(port));
        link.SetMessageFunc([this](const std::string& text) { messages.push_back(text); });
        return ref;
    }

    TFakePortLog log;
    signlink::TSignLink link;
    std::vector<std::string> messages;
};

TEST_F(Frames, ClearFrameBodyAndWire)
{
    EXPECT_EQ(signboard::ClearFrameBody(1),
              (Bytes{0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29}));
    // The screen number's low byte.
    EXPECT_EQ(signboard::ClearFrameBody(257), signboard::ClearFrameBody(1));

    Attach().AnswerAttempt(0, kBoardAck);
    EXPECT_TRUE(signboard::ClearScreen(link, 1));
    Bytes wire = {0x7E, 0x7D, 0x21, 0x8E, 0xC5};
    for (int i = 0; i < 8; ++i) wire.insert(wire.end(), {0x7D, 0x20});
    wire.insert(wire.end(), {0xE4, 0x29, 0x7E});
    ASSERT_EQ(log.writes.size(), 1u);
    EXPECT_EQ(log.writes[0], wire);
    EXPECT_EQ(log.waits, std::vector<unsigned>{200});
}

TEST_F(Frames, AreaFrameBodyAndWire)
{
    const Bytes body = {0x01, 0x8E, 0xC3, 0x13, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x40,
                        0x00, 0x5E, 0x63, 0x6F, 0x6C, 0x3A, 0x31, 0x5E, 0x41, 0x42, 0xC9, 0x75};
    EXPECT_EQ(signboard::AreaFrameBody(1, 0, 0, 64, 16, true, "^col:1^AB"), body);

    Attach().AnswerAttempt(0, kBoardAck);
    EXPECT_TRUE(signboard::SendArea(link, 1, 0, 0, 64, 16, true, "^col:1^AB"));
    const Bytes wire = {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x7D, 0x33, 0x7D, 0x20, 0x7D, 0x20, 0x7D,
                        0x20, 0x7D, 0x20, 0x7D, 0x20, 0x7D, 0x30, 0x7D, 0x20, 0x40, 0x7D, 0x20,
                        0x5E, 0x63, 0x6F, 0x6C, 0x3A, 0x31, 0x5E, 0x41, 0x42, 0xC9, 0x75, 0x7E};
    ASSERT_EQ(log.writes.size(), 1u);
    EXPECT_EQ(log.writes[0], wire);
}

TEST_F(Frames, AreaFrameFields)
{
    // Not stored: C4h; an empty markup gives 15 bytes with length 0Ah.
    const Bytes empty = *signboard::AreaFrameBody(2, 8, 3, 16, 5, false, "");
    ASSERT_EQ(empty.size(), 15u);
    EXPECT_EQ(
        Bytes(empty.begin(), empty.end() - 2),
        (Bytes{0x02, 0x8E, 0xC4, 0x0A, 0x00, 0x08, 0x00, 0x03, 0x00, 0x05, 0x00, 0x10, 0x00}));

    // Little-endian low 16 bits of each field; GBK markup bytes as they are.
    const std::string markup =
        "\xC4\xEA"
        "A";
    const Bytes b = *signboard::AreaFrameBody(0x1FF, 0x12345, -1, 0x0102, 0x10304, true, markup);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 16),
              (Bytes{0xFF, 0x8E, 0xC3, 0x0D, 0x00, 0x45, 0x23, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                     0xC4, 0xEA, 0x41}));
    const uint16_t fcs = signlink::Crc16(b.data(), b.size() - 2);
    EXPECT_EQ(b[b.size() - 2], fcs & 0xFF);
    EXPECT_EQ(b[b.size() - 1], fcs >> 8);
}

// The link frames a body of any length; only a markup whose length field
// cannot hold it is refused, and then nothing goes out.
TEST_F(Frames, LongMarkupsUpToTheLengthField)
{
    Attach().AnswerAttempt(0, kBoardAck);
    const std::string longest(signboard::kMaxMarkupLength, '\x7E');  // every byte stuffed
    EXPECT_TRUE(signboard::SendArea(link, 1, 0, 0, 64, 16, false, longest));
    ASSERT_EQ(log.writes.size(), 1u);
    EXPECT_GT(log.writes[0].size(), 2 * longest.size());
    // After C4h the length field FFFFh.
    EXPECT_EQ(Bytes(log.writes[0].begin() + 4, log.writes[0].begin() + 7),
              (Bytes{0xC4, 0xFF, 0xFF}));

    log = {};
    Attach().AnswerAttempt(0, kBoardAck);
    const std::string tooLong(signboard::kMaxMarkupLength + 1, 'A');
    EXPECT_FALSE(signboard::AreaFrameBody(1, 0, 0, 64, 16, false, tooLong).has_value());
    EXPECT_FALSE(signboard::SendArea(link, 1, 0, 0, 64, 16, false, tooLong));
    EXPECT_TRUE(log.writes.empty());
}

TEST_F(Frames, FailuresAreSilent)
{
    // No port: false, no message.
    EXPECT_FALSE(signboard::ClearScreen(link, 1));
    EXPECT_FALSE(signboard::SendArea(link, 1, 0, 0, 64, 16, true, "AB"));
    EXPECT_TRUE(messages.empty());

    // "OK" at the wrong place, or in lower case: three attempts, false.
    for (const Bytes& reply : {Bytes{0x7E, 0x01, 0x8E, 0x4F, 0x4B, 0x7E},
                               Bytes{0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x6F, 0x6B, 0x98, 0x9B, 0x7E}}) {
        log = {};
        TFakePort& port = Attach();
        for (int i = 0; i < 3; ++i) port.AnswerAttempt(i, reply);
        EXPECT_FALSE(signboard::ClearScreen(link, 1));
        EXPECT_EQ(log.writes.size(), 3u);
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
