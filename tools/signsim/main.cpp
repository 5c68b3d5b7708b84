// signsim: a sign on a pseudo-terminal. Prints the slave path on the first
// line of standard output (and links it at --link PATH), answers the strip
// and board frames written to it like a sign, and logs each frame as one
// JSON line (standard output or --log FILE). Ends on SIGTERM or SIGINT, or
// after --exit-after-idle seconds without input.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tools/signsim/sign.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

struct TOptions {
    signsim::TFaults faults;
    long late_ms = 0;
    long idle_seconds = 0;
    std::string link;
    std::string log;
    std::string control;
};

[[noreturn]] void Usage(const char* why)
{
    std::fprintf(
        stderr,
        "signsim: %s\n"
        "usage: signsim [--link PATH] [--log FILE] [--control FILE] [--exit-after-idle SEC]\n"
        "               [--silent] [--answer-from N] [--short] [--no-close-flag]\n"
        "               [--wrong-ack] [--flood] [--late MS] [--answer-frames K]\n"
        "               [--hold-back MS] [--noise SEED]\n",
        why);
    std::exit(2);
}

long Number(const char* text, long low)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < low) Usage("bad number");
    return v;
}

// Applies one option; false when it is no fault option.
bool ParseFault(const std::string& a, const std::function<const char*()>& value, TOptions& o)
{
    if (a == "--silent")
        o.faults.silent = true;
    else if (a == "--answer-from")
        o.faults.answer_from = static_cast<int>(Number(value(), 1));
    else if (a == "--short")
        o.faults.short_answer = true;
    else if (a == "--no-close-flag")
        o.faults.no_close_flag = true;
    else if (a == "--wrong-ack")
        o.faults.wrong_ack = true;
    else if (a == "--flood")
        o.faults.flood = true;
    else if (a == "--late")
        o.late_ms = Number(value(), 0);
    else if (a == "--answer-frames")
        o.faults.answer_frames = Number(value(), 0);
    else if (a == "--hold-back")
        o.faults.hold_back_ms = Number(value(), 1);
    else if (a == "--noise")
        o.faults.noise_seed = Number(value(), 0);
    else
        return false;
    return true;
}

TOptions ParseOptions(int argc, char** argv)
{
    TOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) Usage(("missing value for " + a).c_str());
            return argv[++i];
        };
        if (a == "--link")
            o.link = value();
        else if (a == "--log")
            o.log = value();
        else if (a == "--control")
            o.control = value();
        else if (a == "--exit-after-idle")
            o.idle_seconds = Number(value(), 1);
        else if (!ParseFault(a, value, o))
            Usage(("unknown option " + a).c_str());
    }
    return o;
}

// The control file holds fault options in the command line's words; a test
// rewrites it to change how the sign answers from the next frame on. An
// empty or missing file means a sign without faults.
struct TControl {
    std::string path;
    timespec mtime{};
    bool present = false;

    // True when the file changed since the last look; o then holds its modes.
    bool Changed(TOptions& o)
    {
        struct stat st {};
        const bool now_present = stat(path.c_str(), &st) == 0;
        if (now_present == present && (!now_present || (st.st_mtim.tv_sec == mtime.tv_sec &&
                                                        st.st_mtim.tv_nsec == mtime.tv_nsec)))
            return false;
        present = now_present;
        mtime = st.st_mtim;
        std::vector<std::string> words;
        if (std::FILE* f = present ? std::fopen(path.c_str(), "r") : nullptr) {
            char word[256];
            while (std::fscanf(f, "%255s", word) == 1) words.emplace_back(word);
            std::fclose(f);
        }
        o.faults = signsim::TFaults{};
        o.late_ms = 0;
        for (size_t i = 0; i < words.size(); ++i) {
            auto value = [&]() -> const char* {
                return i + 1 < words.size() ? words[++i].c_str() : "";
            };
            if (!ParseFault(words[i], value, o))
                std::fprintf(stderr, "signsim: control file: unknown option %s\n",
                             words[i].c_str());
        }
        return true;
    }
};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "signsim: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

void MakeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0) Fail("tcgetattr");
    cfmakeraw(&t);
    if (tcsetattr(fd, TCSANOW, &t) != 0) Fail("tcsetattr");
}

// Replaces a symbolic link (never another kind of file) by one to target.
void PlaceLink(const std::string& path, const std::string& target)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            errno = EEXIST;
            Fail(("--link " + path + " is no symbolic link").c_str());
        }
        if (unlink(path.c_str()) != 0) Fail("unlink");
    }
    if (symlink(target.c_str(), path.c_str()) != 0) Fail("symlink");
}

void RemoveLink(const std::string& path, const std::string& target)
{
    char buf[4096];
    const ssize_t n = readlink(path.c_str(), buf, sizeof buf);
    if (n > 0 && std::string(buf, static_cast<size_t>(n)) == target) unlink(path.c_str());
}

struct TPending {
    Clock::time_point due;
    signsim::Bytes bytes;
};

// Keeps the pending answers in due order.
void AddPending(std::deque<TPending>& pending, Clock::time_point due, signsim::Bytes bytes)
{
    auto at = std::find_if(pending.begin(), pending.end(),
                           [&](const TPending& p) { return p.due > due; });
    pending.insert(at, {due, std::move(bytes)});
}

}  // namespace

int main(int argc, char** argv)
{
    TOptions options = ParseOptions(argc, argv);
    TControl control{options.control};

    // Blocked except inside ppoll, so a stop request is never missed.
    sigset_t block, wait_mask;
    sigemptyset(&block);
    sigaddset(&block, SIGTERM);
    sigaddset(&block, SIGINT);
    sigprocmask(SIG_BLOCK, &block, &wait_mask);
    sigdelset(&wait_mask, SIGTERM);
    sigdelset(&wait_mask, SIGINT);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) Fail("posix_openpt");
    if (grantpt(master) != 0 || unlockpt(master) != 0) Fail("grantpt");
    char name[256];
    if (ptsname_r(master, name, sizeof name) != 0) Fail("ptsname");
    const std::string slave_path = name;
    MakeRaw(master);
    // Holding the slave open keeps the pair from hanging up while the
    // program under test has not opened the port, or has closed it.
    const int held_slave = open(slave_path.c_str(), O_RDWR | O_NOCTTY);
    if (held_slave < 0) Fail("open slave");
    if (fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0) Fail("fcntl");

    if (!options.link.empty()) PlaceLink(options.link, slave_path);

    FILE* log = stdout;
    if (!options.log.empty()) {
        log = std::fopen(options.log.c_str(), "w");
        if (!log) Fail("open log");
    }
    std::printf("%s\n", slave_path.c_str());
    std::fflush(stdout);

    signsim::TSign sign(options.faults);
    std::deque<TPending> pending;  // answers not yet due, in due order
    signsim::Bytes output;         // due answers not yet written
    Clock::time_point last_input = Clock::now();
    int status = 0;

    while (!g_stop) {
        const Clock::time_point now = Clock::now();
        while (!pending.empty() && pending.front().due <= now) {
            output.insert(output.end(), pending.front().bytes.begin(), pending.front().bytes.end());
            pending.pop_front();
        }
        if (options.idle_seconds > 0 &&
            now - last_input >= std::chrono::seconds(options.idle_seconds))
            break;

        long timeout_ms = -1;
        auto until = [&](Clock::time_point t) {
            const long ms = std::max<long>(
                0,
                static_cast<long>(std::chrono::ceil<std::chrono::milliseconds>(t - now).count()));
            timeout_ms = timeout_ms < 0 ? ms : std::min(timeout_ms, ms);
        };
        if (!pending.empty()) until(pending.front().due);
        if (options.idle_seconds > 0)
            until(last_input + std::chrono::seconds(options.idle_seconds));

        pollfd pfd{master, static_cast<short>(POLLIN | (output.empty() ? 0 : POLLOUT)), 0};
        timespec ts{timeout_ms / 1000, (timeout_ms % 1000) * 1000000};
        const int ready = ppoll(&pfd, 1, timeout_ms < 0 ? nullptr : &ts, &wait_mask);
        if (ready < 0) {
            if (errno == EINTR) continue;
            Fail("ppoll");
        }
        if (pfd.revents & POLLOUT) {
            const ssize_t n = write(master, output.data(), output.size());
            if (n > 0) output.erase(output.begin(), output.begin() + n);
        }
        if (pfd.revents & (POLLIN | POLLHUP | POLLERR)) {
            uint8_t buf[4096];
            const ssize_t n = read(master, buf, sizeof buf);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                std::fprintf(stderr, "signsim: read: %s\n", std::strerror(errno));
                status = 1;
                break;
            }
            if (n <= 0) continue;
            last_input = Clock::now();
            if (!control.path.empty() && control.Changed(options)) sign.SetFaults(options.faults);
            for (auto& outcome : sign.Feed(buf, static_cast<size_t>(n))) {
                std::fprintf(log, "%s\n", outcome.log_line.c_str());
                std::fflush(log);
                if (!outcome.later.empty())
                    AddPending(pending, last_input + std::chrono::milliseconds(outcome.later_ms),
                               std::move(outcome.later));
                if (outcome.answer.empty()) continue;
                const long delay_ms =
                    options.faults.hold_back_ms > 0 ? options.faults.hold_back_ms : options.late_ms;
                if (delay_ms > 0) {
                    AddPending(pending, last_input + std::chrono::milliseconds(delay_ms),
                               std::move(outcome.answer));
                } else {
                    output.insert(output.end(), outcome.answer.begin(), outcome.answer.end());
                }
            }
        }
    }

    if (!options.link.empty()) RemoveLink(options.link, slave_path);
    if (log != stdout) std::fclose(log);
    close(held_slave);
    close(master);
    return status;
}
