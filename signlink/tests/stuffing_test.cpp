#include "signlink/stuffing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

namespace {

using Bytes = std::vector<uint8_t>;
using signlink::BuildSignFrame;
using signlink::TReplyBuf;
using signlink::UnstuffFrame;
using signlink::UnstuffReply;

Bytes Frame(const Bytes& body) { return BuildSignFrame(body.data(), body.size()); }

TEST(BuildSignFrame, FramesAndStuffsBodies)
{
    struct Case {
        const char* name;
        Bytes body;
        Bytes wire;
    };
    const Case cases[] = {
        {"strip text",
         {0x01, 0x01, 0x44, 0x01, 0x03, 0x06, 0x41, 0x42, 0x9C, 0x49},
         {0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x44, 0x7D, 0x21, 0x7D, 0x23, 0x7D, 0x26, 0x41, 0x42, 0x9C,
          0x49, 0x7E}},
        {"flag", {0x7E}, {0x7E, 0x7D, 0x5E, 0x7E}},
        {"escape", {0x7D}, {0x7E, 0x7D, 0x5D, 0x7E}},
        {"zero", {0x00}, {0x7E, 0x7D, 0x20, 0x7E}},
        {"1Fh", {0x1F}, {0x7E, 0x7D, 0x3F, 0x7E}},
        {"blank as is", {0x20}, {0x7E, 0x20, 0x7E}},
        {"empty body", {}, {0x7E, 0x7E}},
        {"board clear",
         {0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29},
         {0x7E, 0x7D, 0x21, 0x8E, 0xC5, 0x7D, 0x20, 0x7D, 0x20, 0x7D, 0x20, 0x7D,
          0x20, 0x7D, 0x20, 0x7D, 0x20, 0x7D, 0x20, 0x7D, 0x20, 0xE4, 0x29, 0x7E}},
        {"board area",
         {0x01, 0x8E, 0xC3, 0x13, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x40,
          0x00, 0x5E, 0x63, 0x6F, 0x6C, 0x3A, 0x31, 0x5E, 0x41, 0x42, 0xC9, 0x75},
         {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x7D, 0x33, 0x7D, 0x20, 0x7D, 0x20, 0x7D,
          0x20, 0x7D, 0x20, 0x7D, 0x20, 0x7D, 0x30, 0x7D, 0x20, 0x40, 0x7D, 0x20,
          0x5E, 0x63, 0x6F, 0x6C, 0x3A, 0x31, 0x5E, 0x41, 0x42, 0xC9, 0x75, 0x7E}},
    };
    for (const auto& c : cases) EXPECT_EQ(Frame(c.body), c.wire) << c.name;
}

TEST(BuildSignFrame, LongBodyNeedingStuffingEverywhereIsFramedWhole)
{
    // Far beyond the 250- and 2048-byte buffers the frames once had.
    Bytes body(3000);
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = (i % 3 == 0) ? 0x7E : (i % 3 == 1) ? 0x7D : 0x05;
    const Bytes wire = Frame(body);
    ASSERT_EQ(wire.size(), 2 * body.size() + 2);
    EXPECT_EQ(wire.front(), 0x7E);
    EXPECT_EQ(wire.back(), 0x7E);
    Bytes back;
    ASSERT_TRUE(UnstuffFrame(wire.data() + 1, wire.size() - 2, back));
    EXPECT_EQ(back, body);
}

TEST(UnstuffReply, DestuffsWithTheRawPreviousByteRule)
{
    struct Case {
        const char* name;
        Bytes received;
        Bytes reply;
    };
    const Case cases[] = {
        {"strip ack",
         {0x7E, 0x7D, 0x21, 0x7D, 0x22, 0x44, 0x80, 0xAB, 0x7E},
         {0x7E, 0x01, 0x02, 0x44, 0x80, 0xAB, 0x7E}},
        {"flag, escape, zero",
         {0x7E, 0x7D, 0x5E, 0x7D, 0x5D, 0x7D, 0x20, 0x7E},
         {0x7E, 0x7E, 0x7D, 0x00, 0x7E}},
        // The second 7Dh is itself taken as escaped, so the 41h after it is too.
        {"double escape", {0x7E, 0x7D, 0x7D, 0x41, 0x7E}, {0x7E, 0x5D, 0x21, 0x7E}},
        {"board ack",
         {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x4F, 0x4B, 0x98, 0x9B, 0x7E},
         {0x7E, 0x01, 0x8E, 0xC3, 0x4F, 0x4B, 0x98, 0x9B, 0x7E}},
        {"escaped byte below 20h keeps its slot at 0",
         {0x7E, 0x7D, 0x05, 0x41},
         {0x7E, 0x00, 0x41}},
        {"trailing escape stores nothing", {0x7E, 0x41, 0x7D}, {0x7E, 0x41}},
    };
    for (const auto& c : cases) {
        TReplyBuf reply;
        reply.fill(0xAA);
        ASSERT_EQ(UnstuffReply(c.received.data(), c.received.size(), reply), c.reply.size())
            << c.name;
        EXPECT_THAT(Bytes(reply.begin(), reply.begin() + c.reply.size()),
                    ::testing::ElementsAreArray(c.reply))
            << c.name;
        EXPECT_TRUE(std::all_of(reply.begin() + c.reply.size(), reply.end(),
                                [](uint8_t b) { return b == 0; }))
            << c.name << ": the rest of the buffer is cleared";
    }
}

TEST(UnstuffReply, KeepsAtMostTheReplyBufferAndNeverOverruns)
{
    Bytes received(1000);
    std::iota(received.begin(), received.end(), uint8_t{0});
    TReplyBuf reply;
    EXPECT_EQ(UnstuffReply(received.data(), received.size(), reply), signlink::kReplyBufSize);
    // A long escaped run: every pair stores one byte.
    Bytes escaped;
    for (int i = 0; i < 300; ++i) escaped.insert(escaped.end(), {0x7D, 0x5E});
    EXPECT_EQ(UnstuffReply(escaped.data(), escaped.size(), reply), signlink::kReplyBufSize);
    EXPECT_EQ(reply.back(), 0x7E);
}

TEST(UnstuffReply, FeedingInPiecesMatchesFeedingAtOnce)
{
    const Bytes received = {0x7E, 0x7D, 0x21, 0x7D, 0x7D, 0x41, 0x7D, 0x5E, 0x44, 0x7D, 0x05, 0x7E};
    TReplyBuf whole;
    const size_t count = UnstuffReply(received.data(), received.size(), whole);
    for (size_t split = 0; split <= received.size(); ++split) {
        signlink::TReplyUnstuffer pieces;
        pieces.Feed(received.data(), split);
        pieces.Feed(received.data() + split, received.size() - split);
        EXPECT_EQ(pieces.Count(), count) << "split at " << split;
        EXPECT_EQ(pieces.Reply(), whole) << "split at " << split;
    }
}

TEST(UnstuffFrame, InvertsTheStuffingAndRefusesWhatItNeverMakes)
{
    Bytes all(256);
    std::iota(all.begin(), all.end(), uint8_t{0});
    const Bytes wire = Frame(all);
    Bytes back;
    ASSERT_TRUE(UnstuffFrame(wire.data() + 1, wire.size() - 2, back));
    EXPECT_EQ(back, all);

    const Bytes bad[] = {{0x41, 0x7D}, {0x7D, 0x41}, {0x7D, 0x1F}, {0x7D, 0x7D}};
    for (const auto& b : bad) EXPECT_FALSE(UnstuffFrame(b.data(), b.size(), back));
}

}  // namespace
