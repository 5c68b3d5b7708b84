#include "signline/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "signlink/crc16.h"
#include "signlink/stuffing.h"
#include "signlink/tests/fake_port.h"

namespace {

using signlink::testing::Bytes;
using signlink::testing::TFakePort;
using signlink::testing::TFakePortLog;

class Commands : public ::testing::Test {
protected:
    void SetUp() override { signlink::FillCrcTable(); }

    // A port answering the first write with a strip acknowledgement of
    // the given command.
    TFakePort& Attach(int ack_command)
    {
        auto port = std::make_unique<TFakePort>(log);
        TFakePort& ref = *port;
        if (ack_command >= 0) {
            Bytes ack = {0x01, 0x02, static_cast<uint8_t>(ack_command)};
            const uint16_t fcs = signlink::Crc16(ack.data(), ack.size());
            ack.push_back(static_cast<uint8_t>(fcs));
            ack.push_back(static_cast<uint8_t>(fcs >> 8));
            ref.AnswerAttempt(0, signlink::BuildSignFrame(ack.data(), ack.size()));
        }
        link.AttachPort(std::move(port));
        return ref;
    }

    TFakePortLog log;
    signlink::TSignLink link;
};

signline::TClockReading At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return {y, mo, d, h, mi, s};
}

TEST_F(Commands, FramesOnTheWire)
{
    struct Case {
        const char* name;
        std::function<bool()> send;
        Bytes wire;
    };
    const Case cases[] = {
        {"text AB to screen 1",
         [&] {
             return signline::SendText(link,
                                       "\x01\x03\x06"
                                       "AB",
                                       1);
         },
         {0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x44, 0x7D, 0x21, 0x7D, 0x23, 0x7D, 0x26, 0x41, 0x42, 0x9C,
          0x49, 0x7E}},
        {"recall line 1 from screen 0",
         [&] { return signline::RecallContent(link, 0, 1); },
         {0x7E, 0x7D, 0x20, 0x7D, 0x21, 0x57, 0x7D, 0x21, 0x74, 0x29, 0x7E}},
        {"clock 2026-12-09 08:34:56 to screen 1",
         [&] { return signline::SetClock(link, 1, [] { return At(2026, 12, 9, 8, 34, 56); }); },
         {0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x56, 0x7D, 0x3A, 0x7D, 0x2C, 0x7D,
          0x29, 0x32, 0x7D, 0x28, 0x22, 0x38, 0x9A, 0x7D, 0x23, 0x7E}},
    };
    for (const auto& c : cases) {
        log = {};
        Attach(c.wire[5]);
        EXPECT_TRUE(c.send()) << c.name;
        ASSERT_EQ(log.writes.size(), 1u) << c.name;
        EXPECT_EQ(log.writes[0], c.wire) << c.name;
    }
}

TEST_F(Commands, BodiesCarryTheLowByteOfScreenAndLine)
{
    EXPECT_EQ(signline::TextFrameBody("", 256), (Bytes{0x00, 0x01, 0x44, 0x34, 0xDB}));
    const Bytes recall = signline::RecallFrameBody(-1, 0);
    EXPECT_EQ(recall[0], 0xFF);
    EXPECT_EQ(recall[3], 0x00);
    EXPECT_EQ(signline::ClockFrameBody(At(2026, 12, 9, 8, 34, 56), 1),
              (Bytes{0x01, 0x01, 0x56, 0x1A, 0x0C, 0x09, 0x32, 0x08, 0x22, 0x38, 0x9A, 0x03}));
}

TEST_F(Commands, AcknowledgementMustEchoTheOwnCommand)
{
    Attach('D');
    EXPECT_FALSE(signline::SetClock(link, 1, [] { return At(2026, 1, 1); }));
    EXPECT_EQ(log.writes.size(), 3u);
    log = {};
    Attach('V');
    EXPECT_TRUE(signline::SetClock(link, 1, [] { return At(2026, 1, 1); }));
}

TEST_F(Commands, NoPortShowsTheMessageAndFails)
{
    std::vector<std::string> shown;
    link.SetMessageFunc([&](const std::string& text) { shown.push_back(text); });
    EXPECT_FALSE(signline::SendText(link,
                                    "\x01"
                                    "A",
                                    1));
    EXPECT_FALSE(signline::SetClock(link, 1, [] { return At(2026, 1, 1); }));
    EXPECT_FALSE(signline::RecallContent(link, 1, 1));
    EXPECT_EQ(shown,
              std::vector<std::string>(3, "\xCE\xB4\xB4\xF2\xBF\xAA\xCD\xA8\xD0\xC5\xBF\xDA"));
}

TEST_F(Commands, LongMessageNeedingStuffingEverywhereIsSentWhole)
{
    // 1000 bytes of control codes, as many as the message box accepts.
    const std::string message(1000, '\x06');
    Attach('D');
    EXPECT_TRUE(signline::SendText(link, message, 1));
    ASSERT_EQ(log.writes.size(), 1u);
    const Bytes& wire = log.writes[0];
    Bytes body;
    ASSERT_TRUE(signlink::UnstuffFrame(wire.data() + 1, wire.size() - 2, body));
    ASSERT_EQ(body.size(), message.size() + 5);
    EXPECT_EQ(body, signline::TextFrameBody(message, 1));
    EXPECT_GT(wire.size(), 2000u);
}

TEST(IsoWeekOfYear, EdgeDates)
{
    struct Case {
        int y, m, d, week;
    };
    const Case cases[] = {
        {2026, 12, 9, 50}, {2027, 1, 1, 53},  // a Friday: the last week of 2026
        {2024, 12, 30, 1},                    // a Monday: week 1 of 2025
        {2021, 1, 3, 53},                     // a Sunday: the last week of 2020
        {2021, 1, 4, 1},   {2020, 12, 31, 53},
        {2025, 12, 29, 1}, {2023, 1, 1, 52},  // a Sunday: the last week of 2022
        {2026, 1, 1, 1},                      // a Thursday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(signline::IsoWeekOfYear(c.y, c.m, c.d), c.week)
            << c.y << '-' << c.m << '-' << c.d;
    }
}

TEST(LocalClock, GivesAPlausibleReading)
{
    const auto now = signline::LocalClock();
    EXPECT_GE(now.Year, 2024);
    EXPECT_TRUE(now.Month >= 1 && now.Month <= 12);
    EXPECT_TRUE(now.Day >= 1 && now.Day <= 31);
}

}  // namespace
