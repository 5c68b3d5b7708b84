#include "signlink/link.h"

#include <gtest/gtest.h>

#include <string>

#include "signlink/messages.h"
#include "signlink/port_name.h"
#include "signlink/tests/fake_port.h"

namespace {

using signlink::TSignLink;
using signlink::testing::Bytes;
using signlink::testing::TFakePort;
using signlink::testing::TFakePortLog;

const Bytes kTextBody = {0x01, 0x01, 0x44, 0x01, 0x03, 0x06, 0x41, 0x42, 0x9C, 0x49};
const Bytes kTextWire = {0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x44, 0x7D, 0x21, 0x7D,
                         0x23, 0x7D, 0x26, 0x41, 0x42, 0x9C, 0x49, 0x7E};
const Bytes kStripAckD = {0x7E, 0x7D, 0x21, 0x7D, 0x22, 0x44, 0x80, 0xAB, 0x7E};
const Bytes kBoardAck = {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x4F, 0x4B, 0x98, 0x9B, 0x7E};
const Bytes kClearBody = {0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29};

class Exchange : public ::testing::Test {
protected:
    TFakePort& Attach()
    {
        auto port = std::make_unique<TFakePort>(log);
        TFakePort& ref = *port;
        link.AttachPort(std::move(port));
        link.SetMessageFunc([this](const std::string& text) { messages.push_back(text); });
        return ref;
    }
    bool Strip(uint8_t command = 0x44)
    {
        return link.StripTransact(kTextBody.data(), kTextBody.size(), command);
    }
    bool Board() { return link.BoardTransact(kClearBody.data(), kClearBody.size()); }

    TFakePortLog log;
    TSignLink link;
    std::vector<std::string> messages;
};

TEST_F(Exchange, StripAcknowledgedOnTheFirstOrThirdAttempt)
{
    for (int attempt : {0, 1, 2}) {
        log = {};
        Attach().AnswerAttempt(attempt, kStripAckD);
        EXPECT_TRUE(Strip()) << "answer to attempt " << attempt;
        EXPECT_EQ(log.writes.size(), static_cast<size_t>(attempt + 1));
        for (const auto& w : log.writes) EXPECT_EQ(w, kTextWire);
        EXPECT_EQ(link.ReplyBuf()[3], 0x44);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Exchange, NothingAnsweringMeansThreeWritesThreeWaitsAndFalse)
{
    Attach();
    EXPECT_FALSE(Strip());
    EXPECT_EQ(log.writes.size(), 3u);
    EXPECT_EQ(log.waits, (std::vector<unsigned>{180, 180, 180}));

    log = {};
    Attach();
    EXPECT_FALSE(Board());
    EXPECT_EQ(log.writes.size(), 3u);
    EXPECT_EQ(log.waits, (std::vector<unsigned>{200, 200, 200}));
}

TEST_F(Exchange, AnswersThatAreNoAcknowledgementFailEveryAttempt)
{
    struct Case {
        const char* name;
        Bytes answer;
        uint8_t command;
    };
    const Case cases[] = {
        {"4 bytes", {0x7E, 0x01, 0x02, 0x44}, 0x44},
        {"4 bytes with both flags", {0x7E, 0x02, 0x44, 0x7E}, 0x44},
        {"no closing flag", {0x7E, 0x7D, 0x21, 0x7D, 0x22, 0x44, 0x80, 0xAB}, 0x44},
        {"no opening flag", {0x7D, 0x21, 0x7D, 0x22, 0x44, 0x80, 0xAB, 0x7E}, 0x44},
        {"ack for another command", kStripAckD, 0x56},
        {"request type, not ack", {0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x44, 0x80, 0xAB, 0x7E}, 0x44},
    };
    for (const auto& c : cases) {
        log = {};
        Attach().AnswerAttempt(0, c.answer).AnswerAttempt(1, c.answer).AnswerAttempt(2, c.answer);
        EXPECT_FALSE(Strip(c.command)) << c.name;
        EXPECT_EQ(log.writes.size(), 3u) << c.name;
    }
}

TEST_F(Exchange, BoardAcknowledgementNeedsTypeAndUpperCaseOkAtIndexesFourAndFive)
{
    struct Case {
        const char* name;
        Bytes answer;
        bool ack;
    };
    const Case cases[] = {
        {"OK after the command", kBoardAck, true},
        {"OK one place early", {0x7E, 0x01, 0x8E, 0x4F, 0x4B, 0x7E}, false},
        {"lower case", {0x7E, 0x7D, 0x21, 0x8E, 0xC3, 0x6F, 0x6B, 0x98, 0x9B, 0x7E}, false},
        {"strip ack", kStripAckD, false},
    };
    for (const auto& c : cases) {
        log = {};
        Attach().AnswerAttempt(0, c.answer);
        EXPECT_EQ(Board(), c.ack) << c.name;
    }
}

TEST_F(Exchange, FailedQueueQueryFailsTheAttempt)
{
    Attach().AnswerAttempt(0, kStripAckD).FailQuery();
    EXPECT_FALSE(Strip());
    EXPECT_EQ(log.writes.size(), 3u);
}

TEST_F(Exchange, LateAnswerIsReadByTheNextAttemptWithoutPurging)
{
    // A wrong answer to the first write, then the sign's ack arrives only
    // after the second write: both are read, the queue is left empty.
    Attach().AnswerAttempt(0, {0x7E, 0x01, 0x02, 0x57, 0x00, 0x7E}).AnswerAttempt(1, kStripAckD);
    EXPECT_TRUE(Strip());
    EXPECT_EQ(log.writes.size(), 2u);
    link.ClosePort();
    EXPECT_EQ(log.queued, 0u);

    // The answer to the first write arrives after its read: the second
    // attempt takes it as this frame's acknowledgement.
    log = {};
    Attach().LateAnswerAttempt(0, kStripAckD);
    EXPECT_TRUE(Strip());
    EXPECT_EQ(log.writes.size(), 2u);
}

TEST_F(Exchange, WhatAnEarlierExchangeLeftQueuedIsNeverItsAcknowledgement)
{
    const Bytes kStripAckV = {0x7E, 0x7D, 0x21, 0x7D, 0x22, 0x56, 0x80, 0xAB, 0x7E};
    struct Case {
        const char* name;
        bool board;
        Bytes stale;
        int answered;  // the attempt the sign answers, -1 none
        bool ack;
        size_t writes;
    };
    const Case cases[] = {
        {"strip ack left, silent sign", false, kStripAckD, -1, false, 3},
        {"board ack left, silent sign", true, kBoardAck, -1, false, 3},
        {"other command's ack left, sign answers", false, kStripAckV, 0, true, 1},
        {"noise left, sign answers", false, {0x00, 0x7E, 0x7E, 0x41}, 0, true, 1},
    };
    for (const auto& c : cases) {
        log = {};
        TFakePort& port = Attach().Queue(c.stale);
        if (c.answered >= 0) port.AnswerAttempt(c.answered, c.board ? kBoardAck : kStripAckD);
        EXPECT_EQ(c.board ? Board() : Strip(), c.ack) << c.name;
        EXPECT_EQ(log.writes.size(), c.writes) << c.name;
        link.ClosePort();
        EXPECT_EQ(log.queued, 0u) << c.name;
    }
}

TEST_F(Exchange, FloodIsReadThroughTheReceiveBufferAndStillAcknowledges)
{
    // An acknowledgement carrying thousands of data bytes, many of them
    // stuffed: far more than the 201-byte receive buffer and the 101-byte
    // reply buffer.
    Bytes flood = {0x7E, 0x7D, 0x21, 0x7D, 0x22, 0x44};
    for (int i = 0; i < 3000; ++i) {
        if (i % 2)
            flood.insert(flood.end(), {0x7D, 0x5E});
        else
            flood.push_back(0x55);
    }
    flood.push_back(0x7E);
    Attach().AnswerAttempt(0, flood);
    EXPECT_TRUE(Strip());
    EXPECT_LE(log.largest_read, signlink::kReceiveBufSize);
    EXPECT_EQ(link.ReplyBuf().back(), 0x55);
    link.ClosePort();
    EXPECT_EQ(log.queued, 0u) << "everything queued is read";
}

TEST_F(Exchange, NoPortShowsTheStripMessageOnlyAndSendsNothing)
{
    link.SetMessageFunc([this](const std::string& text) { messages.push_back(text); });
    EXPECT_FALSE(Strip());
    EXPECT_EQ(messages, std::vector<std::string>{signlink::kMsgPortNotOpen});
    messages.clear();
    EXPECT_FALSE(Board());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Exchange, ClosingLeavesNoPortAndClosesOnlyOnce)
{
    Attach();
    EXPECT_TRUE(link.PortOpen());
    link.ClosePort();
    EXPECT_EQ(link.ComHandle(), nullptr);
    link.ClosePort();
    EXPECT_FALSE(Strip());
    EXPECT_TRUE(log.writes.empty());
}

TEST(SignPortName, UsesTheDeviceNamespaceFromTen)
{
    const std::pair<int, const char*> cases[] = {
        {0, "COM0"}, {1, "COM1"}, {9, "COM9"}, {10, "\\\\.\\COM10"}, {18, "\\\\.\\COM18"},
    };
    for (auto [index, name] : cases) EXPECT_EQ(signlink::SignPortName(index), name) << index;
}

}  // namespace
