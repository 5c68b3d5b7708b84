// A scripted serial port for exchange tests: records every write and wait,
// and queues the answer scripted for each write, right after it or late
// (after that attempt's read, before the next write), and bytes already
// waiting before the first write.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "signlink/link.h"

namespace signlink::testing {

using Bytes = std::vector<uint8_t>;

struct TFakePortLog {
    std::vector<Bytes> writes;
    std::vector<unsigned> waits;
    size_t largest_read = 0;  // largest count a single Read was asked for
    size_t queued = 0;        // bytes still queued when the port was closed
};

class TFakePort final : public TSerialPort {
public:
    // log outlives the port (the link owns and frees the port).
    explicit TFakePort(TFakePortLog& log) : log_(log) {}
    ~TFakePort() override { log_.queued = queue_.size() - read_; }

    // The answer queued after write number attempt (0-based).
    TFakePort& AnswerAttempt(int attempt, Bytes answer)
    {
        answers_[attempt] = std::move(answer);
        return *this;
    }
    // An answer to write number attempt that arrives only once that
    // attempt has read, before the next write goes out.
    TFakePort& LateAnswerAttempt(int attempt, Bytes answer)
    {
        late_[attempt] = std::move(answer);
        return *this;
    }
    // Bytes already waiting in the input queue.
    TFakePort& Queue(const Bytes& bytes)
    {
        queue_.insert(queue_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    TFakePort& FailQuery()
    {
        fail_query_ = true;
        return *this;
    }

    void Write(const uint8_t* bytes, size_t count) override
    {
        const int attempt = static_cast<int>(log_.writes.size());
        Arrive(late_, attempt - 1);
        log_.writes.emplace_back(bytes, bytes + count);
        Arrive(answers_, attempt);
    }
    void Wait(unsigned milliseconds) override { log_.waits.push_back(milliseconds); }
    bool BytesWaiting(size_t& count) override
    {
        if (fail_query_) return false;
        count = queue_.size() - read_;
        return true;
    }
    size_t Read(uint8_t* buffer, size_t count) override
    {
        log_.largest_read = std::max(log_.largest_read, count);
        const size_t n = std::min(count, queue_.size() - read_);
        std::copy_n(queue_.begin() + static_cast<std::ptrdiff_t>(read_), n, buffer);
        read_ += n;
        return n;
    }

private:
    void Arrive(const std::map<int, Bytes>& scripted, int attempt)
    {
        auto it = scripted.find(attempt);
        if (it != scripted.end()) queue_.insert(queue_.end(), it->second.begin(), it->second.end());
    }

    TFakePortLog& log_;
    std::map<int, Bytes> answers_;
    std::map<int, Bytes> late_;
    Bytes queue_;
    size_t read_ = 0;
    bool fail_query_ = false;
};

}  // namespace signlink::testing
