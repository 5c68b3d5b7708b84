// The Win32 serial port under Wine, against sign stand-ins on COM1, COM9
// and COM10 (scripts/with-signsim); COM18 is a port the machine lacks.
// The frames are strip recalls (screen 0, line 1) made here from their
// bytes; the strip commands themselves are tested in signline's tests.
#include "signlink/win32_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signlink/crc16.h"
#include "signlink/messages.h"
#include "signlink/protocol.h"
#include "tools/windrive/signsim_client.h"

namespace {

using windrive::TSimPort;

class Win32PortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(windrive::SimAvailable()) << "run through scripts/with-signsim";
        signlink::FillCrcTable();
        link.SetMessageFunc([this](const std::string& text) { messages.push_back(text); });
        for (int n : {1, 9, 10}) TSimPort(n).Control("");
    }
    void TearDown() override { signlink::SetPortTrace(nullptr); }

    bool Recall()
    {
        const std::vector<uint8_t> body =
            signlink::FinishBody({0x00, signlink::kStripRequest, signlink::kCmdRecall, 0x01});
        return link.StripTransact(body.data(), body.size(), signlink::kCmdRecall);
    }

    signlink::TSignLink link;
    std::vector<std::string> messages;
};

TEST_F(Win32PortTest, ASilentSignGetsTheSameFrameThreeTimes)
{
    TSimPort sign(1);
    sign.Control("--silent");
    const size_t before = sign.Frames().size();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    EXPECT_FALSE(Recall());
    signlink::CloseSignPort(link);
    EXPECT_FALSE(link.PortOpen());

    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 3u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].Field("wire"), "7E7D207D21577D2174297E");
        EXPECT_EQ(frames[i].Field("attempt"), std::to_string(i + 1));
        EXPECT_EQ(frames[i].Field("crc_ok"), "true");
    }
}

TEST_F(Win32PortTest, ASignThatAnswersTheThirdAttemptAcknowledges)
{
    TSimPort sign(1);
    sign.Control("--answer-from 3");
    const size_t before = sign.Frames().size();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    EXPECT_TRUE(Recall());
    signlink::CloseSignPort(link);
    EXPECT_EQ(sign.FramesSince(before).size(), 3u);
    EXPECT_TRUE(messages.empty());
}

// Waits (at most five seconds) until bytes wait in the port's input queue.
bool SomethingQueued(signlink::TSignLink& link)
{
    size_t waiting = 0;
    for (int i = 0; i < 250; ++i) {
        if (link.ComHandle()->BytesWaiting(waiting) && waiting > 0) return true;
        Sleep(20);
    }
    return false;
}

TEST_F(Win32PortTest, AnAnswerLeftFromAnEarlierExchangeIsNotTakenForTheNext)
{
    TSimPort sign(1);
    const size_t before = sign.Frames().size();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    // The sign answers the first attempt only, after the exchange gave up.
    sign.Control("--hold-back 700");
    EXPECT_FALSE(Recall());
    ASSERT_TRUE(SomethingQueued(link)) << "the held-back answer never came";
    // It now answers nothing: its old answer must not read as success.
    sign.Control("--silent");
    EXPECT_FALSE(Recall());
    // An answer to the first attempt that comes during the second counts.
    sign.Control("--hold-back 250");
    EXPECT_TRUE(Recall());
    signlink::CloseSignPort(link);

    const auto frames = sign.FramesSince(before);
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_EQ(frames[0].Field("answered"), "true");
    EXPECT_EQ(frames[7].Field("attempt"), "2");
}

TEST_F(Win32PortTest, LineNoiseFailsTheExchangesAndLeavesTheLinkWorking)
{
    TSimPort sign(1);
    const size_t before = sign.Frames().size();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    for (const char* seed : {"1", "2", "3"}) {
        sign.Control(std::string("--noise ") + seed);
        EXPECT_FALSE(Recall()) << seed;
    }
    EXPECT_EQ(sign.FramesSince(before).size(), 9u);
    sign.Control("");
    Sleep(500);  // the last noise bursts land in the queue
    EXPECT_TRUE(Recall());
    signlink::CloseSignPort(link);
    EXPECT_EQ(sign.FramesSince(before).size(), 10u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Win32PortTest, PortsFromTenOnAreOpenedByTheirDeviceName)
{
    for (int n : {9, 10}) {
        TSimPort sign(n);
        const size_t before = sign.Frames().size();
        ASSERT_TRUE(signlink::OpenSignPort(link, n)) << "COM" << n;
        EXPECT_TRUE(Recall()) << "COM" << n;
        signlink::CloseSignPort(link);
        EXPECT_EQ(sign.FramesSince(before).size(), 1u) << "COM" << n;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Win32PortTest, APortThatCannotBeOpenedLeavesTheLinkClosed)
{
    for (int index : {0, 18}) {
        messages.clear();
        EXPECT_FALSE(signlink::OpenSignPort(link, index)) << index;
        EXPECT_FALSE(link.PortOpen()) << index;
        EXPECT_EQ(messages, std::vector<std::string>{signlink::kMsgOpenFailed}) << index;
    }
    // An exchange then reports the closed port.
    messages.clear();
    EXPECT_FALSE(Recall());
    EXPECT_EQ(messages, std::vector<std::string>{signlink::kMsgPortNotOpen});
}

TEST_F(Win32PortTest, TheTraceGetsTheFailingCallAndItsSystemError)
{
    // The error the system gives for the missing port, asked directly.
    const std::string name = "\\\\.\\COM18";
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_EQ(h, INVALID_HANDLE_VALUE);
    const DWORD expected = GetLastError();
    ASSERT_NE(expected, 0u);

    std::vector<signlink::TPortFailure> traced;
    signlink::SetPortTrace([&](const signlink::TPortFailure& f) { traced.push_back(f); });
    EXPECT_FALSE(signlink::OpenSignPort(link, 18));
    EXPECT_EQ(messages, std::vector<std::string>{signlink::kMsgOpenFailed});  // as before
    ASSERT_EQ(traced.size(), 1u);
    EXPECT_EQ(traced[0].Call, "CreateFileA");
    EXPECT_EQ(traced[0].Port, name);
    EXPECT_EQ(traced[0].Error, expected);
    EXPECT_EQ(traced[0].ErrorText.rfind("system error " + std::to_string(expected), 0), 0u)
        << traced[0].ErrorText;

    // A port that works traces nothing; without a trace nothing is kept.
    traced.clear();
    ASSERT_TRUE(signlink::OpenSignPort(link, 1));
    EXPECT_TRUE(Recall());
    signlink::CloseSignPort(link);
    EXPECT_TRUE(traced.empty());
    signlink::SetPortTrace(nullptr);
    EXPECT_FALSE(signlink::OpenSignPort(link, 18));
    EXPECT_TRUE(traced.empty());
}

}  // namespace
