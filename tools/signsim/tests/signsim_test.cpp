// Drives the sign stand-in through its pseudo-terminal with the real sign
// link: a small POSIX port on the slave end, the strip commands' own frame
// bodies, and the stand-in's JSON log.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "signline/commands.h"
#include "signlink/crc16.h"
#include "signlink/link.h"
#include "signlink/stuffing.h"

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;
using nlohmann::json;

// The slave end of the pair as the link's port.
class TPtyPort final : public signlink::TSerialPort {
public:
    explicit TPtyPort(int fd) : fd_(fd) {}
    ~TPtyPort() override { close(fd_); }
    void Write(const uint8_t* bytes, size_t count) override
    {
        while (count > 0) {
            const ssize_t n = write(fd_, bytes, count);
            if (n <= 0) return;
            bytes += n;
            count -= static_cast<size_t>(n);
        }
    }
    void Wait(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    bool BytesWaiting(size_t& count) override
    {
        int n = 0;
        if (ioctl(fd_, FIONREAD, &n) != 0) return false;
        count = static_cast<size_t>(n);
        return true;
    }
    size_t Read(uint8_t* buffer, size_t count) override
    {
        const ssize_t n = read(fd_, buffer, count);
        return n > 0 ? static_cast<size_t>(n) : 0;
    }

private:
    int fd_;
};

class SignSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        signlink::FillCrcTable();
        char dir[] = "/tmp/signsim_test.XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
    }
    void TearDown() override
    {
        if (pid_ > 0) Stop();
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    // Starts the stand-in with the given flags and attaches its slave end
    // to the link.
    void Start(std::vector<std::string> flags)
    {
        std::vector<std::string> args = {SIGNSIM_PATH, "--log", dir_ + "/log.jsonl"};
        args.insert(args.end(), flags.begin(), flags.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);

        int out[2];
        ASSERT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        ASSERT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);

        // First line of its output: the slave path.
        std::string line;
        pollfd pfd{out[0], POLLIN, 0};
        char c = 0;
        while (poll(&pfd, 1, 5000) == 1 && read(out[0], &c, 1) == 1 && c != '\n') line += c;
        close(out[0]);
        ASSERT_FALSE(line.empty()) << "no slave path printed";
        slave_path_ = line;

        const int fd = open(line.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios t{};
        ASSERT_EQ(tcgetattr(fd, &t), 0);
        cfmakeraw(&t);
        ASSERT_EQ(tcsetattr(fd, TCSANOW, &t), 0);
        link_.AttachPort(std::make_unique<TPtyPort>(fd));
    }

    // Ends it with SIGTERM; it must exit cleanly.
    void Stop()
    {
        link_.ClosePort();
        kill(pid_, SIGTERM);
        int status = 0;
        ASSERT_EQ(waitpid(pid_, &status, 0), pid_);
        pid_ = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    std::vector<json> Log() const
    {
        std::vector<json> lines;
        std::ifstream in(dir_ + "/log.jsonl");
        for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
        return lines;
    }

    bool Board(const Bytes& body) { return link_.BoardTransact(body.data(), body.size()); }
    bool Text()
    {
        return signline::SendText(link_,
                                  "\x01"
                                  "A",
                                  1);
    }

    // Changes the fault modes of a stand-in started with "--control", Control().
    std::string Control() const { return dir_ + "/control"; }
    void SetControl(const std::string& words) const { std::ofstream(Control()) << words; }

    // Waits (at most five seconds) until bytes wait on the link's port.
    bool SomethingQueued()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        size_t waiting = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (link_.ComHandle()->BytesWaiting(waiting) && waiting > 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::string dir_;
    std::string slave_path_;
    pid_t pid_ = -1;
    signlink::TSignLink link_;
};

Bytes WithFcs(Bytes body)
{
    const uint16_t fcs = signlink::Crc16(body.data(), body.size());
    body.push_back(static_cast<uint8_t>(fcs));
    body.push_back(static_cast<uint8_t>(fcs >> 8));
    return body;
}

TEST_F(SignSim, AcknowledgesTextAndLogsTheFrame)
{
    Start({});
    ASSERT_TRUE(signline::SendText(link_,
                                   "\x01\x03\x06"
                                   "AB",
                                   1));
    EXPECT_EQ(link_.ReplyBuf()[1], 0x01);
    const auto log = Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0]["cmd"], "D");
    EXPECT_EQ(log[0]["screen"], 1);
    EXPECT_EQ(log[0]["data"], "0103064142");
    EXPECT_EQ(log[0]["wire"], "7E7D217D21447D217D237D2641429C497E");
    EXPECT_EQ(log[0]["crc_ok"], true);
    EXPECT_EQ(log[0]["answered"], true);
}

TEST_F(SignSim, RecallAnswersWithTheStoredContentInAProperFrame)
{
    Start({});
    ASSERT_TRUE(signline::SendText(link_,
                                   "\x02\x03\x06"
                                   "HI\x0B",
                                   1));
    ASSERT_TRUE(signline::RecallContent(link_, 1, 2));
    ASSERT_TRUE(signline::SetClock(link_, 1,
                                   [] { return signline::TClockReading{2027, 1, 1, 23, 59, 58}; }));
    const auto log = Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1]["recalled"], "02030648490B");
    // The answer itself: flags, stuffing and CRC as a sign sends them.
    const std::string hex = log[1]["answer"];
    Bytes wire;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        wire.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    Bytes body;
    ASSERT_TRUE(signlink::UnstuffFrame(wire.data() + 1, wire.size() - 2, body));
    EXPECT_EQ(body, WithFcs({0x01, 0x02, 0x57, 0x02, 0x03, 0x06, 'H', 'I', 0x0B}));
    EXPECT_EQ(log[2]["cmd"], "V");
    EXPECT_EQ(log[2]["year"], 27);
    EXPECT_EQ(log[2]["week"], 53);
    EXPECT_EQ(log[2]["second"], 58);
}

TEST_F(SignSim, BoardClearAndAreaAreAcknowledgedWithOk)
{
    Start({});
    ASSERT_TRUE(Board({0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29}));
    ASSERT_TRUE(Board(WithFcs({0x01, 0x8E, 0xC3, 0x13, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                               0x40, 0x00, '^',  'c',  'o',  'l',  ':',  '1',  '^',  'A',  'B'})));
    const auto log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0]["cmd"], "C5");
    EXPECT_EQ(log[1]["cmd"], "C3");
    EXPECT_EQ(log[1]["length_ok"], true);
    EXPECT_EQ(log[1]["height"], 16);
    EXPECT_EQ(log[1]["width"], 64);
    EXPECT_EQ(log[1]["markup"], "5E636F6C3A315E4142");
}

TEST_F(SignSim, BadCrcIsLoggedAndNotAnswered)
{
    Start({});
    const Bytes body = {0x01, 0x01, 0x44, 0x01, 0x41, 0x00, 0x00};
    EXPECT_FALSE(link_.StripTransact(body.data(), body.size(), 0x44));
    const auto log = Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2]["crc_ok"], false);
    EXPECT_EQ(log[2]["answered"], false);
    EXPECT_EQ(log[2]["attempt"], 3);
}

TEST_F(SignSim, FaultModesAsTheLinkSeesThem)
{
    struct Case {
        std::vector<std::string> flags;
        bool acked;
        size_t frames;
    };
    const Case cases[] = {
        {{"--answer-from", "3"}, true, 3}, {{"--silent"}, false, 3},    {{"--short"}, false, 3},
        {{"--no-close-flag"}, false, 3},   {{"--wrong-ack"}, false, 3}, {{"--flood"}, true, 1},
        {{"--late", "250"}, true, 2},  // the first answer arrives during the second wait
    };
    for (const auto& c : cases) {
        Start(c.flags);
        EXPECT_EQ(signline::SendText(link_,
                                     "\x01"
                                     "A",
                                     1),
                  c.acked)
            << c.flags[0];
        Stop();
        EXPECT_EQ(Log().size(), c.frames) << c.flags[0];
    }
}

TEST_F(SignSim, AReplyHeldBackPastTheExchangeIsNotTakenByTheNext)
{
    // The sign answers the first attempt only, after the exchange gave up.
    Start({"--control", Control()});
    SetControl("--hold-back 700");
    EXPECT_FALSE(Text());
    ASSERT_TRUE(SomethingQueued()) << "the held-back answer never came";
    // The sign now answers nothing: its old answer must not read as success.
    SetControl("--silent");
    EXPECT_FALSE(Text());
    // An answer to the first attempt that comes during the second counts.
    SetControl("--hold-back 250");
    EXPECT_TRUE(Text());
    const auto log = Log();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0]["answered"], true);
    EXPECT_EQ(log[7]["attempt"], 2);
}

TEST_F(SignSim, TheLinkSurvivesLineNoise)
{
    Start({"--control", Control()});
    for (const char* seed : {"1", "2", "3"}) {
        SetControl(std::string("--noise ") + seed);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Text()) << seed;
        EXPECT_FALSE(Board({0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29})) << seed;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << seed;
    }
    const auto noisy = Log();
    ASSERT_EQ(noisy.size(), 18u) << "three attempts for each exchange";
    for (const auto& line : noisy) {
        EXPECT_EQ(line["crc_ok"], true) << line;
        EXPECT_GT(line["noise"], 0) << line;
    }
    // Once the noise stops, what it left queued is dropped and the first
    // attempt is acknowledged.
    SetControl("");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(Text());
    EXPECT_EQ(Log().size(), 19u);
}

TEST_F(SignSim, StopsAnsweringAfterTheGivenNumberOfFrames)
{
    Start({"--answer-frames", "1"});
    EXPECT_TRUE(Board({0x01, 0x8E, 0xC5, 0, 0, 0, 0, 0, 0, 0, 0, 0xE4, 0x29}));
    EXPECT_FALSE(Board(WithFcs({0x01, 0x8E, 0xC4, 0x0A, 0x00, 0, 0, 0, 0, 0x10, 0, 0x40, 0})));
}

TEST_F(SignSim, LinkIsPlacedOverAnOldOneAndRemovedAtExit)
{
    const std::string path = dir_ + "/com1";
    ASSERT_EQ(symlink("/nonexistent", path.c_str()), 0);
    Start({"--link", path});
    char target[256] = {};
    ASSERT_GT(readlink(path.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), slave_path_);
    Stop();
    struct stat st {};
    EXPECT_NE(lstat(path.c_str(), &st), 0);
}

TEST_F(SignSim, EndsByItselfWhenIdle)
{
    Start({"--exit-after-idle", "1"});
    int status = 0;
    for (int i = 0; i < 40 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(WIFEXITED(status)) << "still running";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    pid_ = -1;
}

}  // namespace
