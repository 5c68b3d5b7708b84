// The sign stand-in's sign: assembles frames from the bytes received,
// checks them as a sign would (flags, stuffing, CRC), keeps a sign's state
// (text per line, stored content, clock, display areas) and builds the
// acknowledgement that the programs test, with the fault modes the tests
// ask for. Each frame gives one JSON log line.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace signsim {

using Bytes = std::vector<uint8_t>;

struct TFaults {
    bool silent = false;         // never answer
    int answer_from = 1;         // answer only from the Nth identical attempt on
    bool short_answer = false;   // send only the first 4 bytes of the answer
    bool no_close_flag = false;  // leave out the closing flag
    bool wrong_ack = false;      // strip: echo another command; board: "ok"
    bool flood = false;          // pad the answer well beyond 201 bytes
    long answer_frames = -1;     // answer only the first K frames (-1: all)
    long hold_back_ms = 0;       // answer only a frame's first attempt, this late
    long noise_seed = -1;        // line noise instead of answers (-1: none)
};

struct TOutcome {
    std::string log_line;  // one JSON object, no newline
    Bytes answer;          // bytes to send back; empty: no answer
    Bytes later;           // bytes to send later_ms after the answer
    long later_ms = 0;
};

struct TArea {
    bool store;
    int left, top, height, width;
    Bytes markup;
};

class TSign {
public:
    explicit TSign(const TFaults& faults);

    // Puts new fault modes in force; frame and attempt counts start again.
    void SetFaults(const TFaults& faults);

    // Feeds received bytes; returns one outcome per frame completed.
    std::vector<TOutcome> Feed(const uint8_t* bytes, size_t count);

private:
    TOutcome Frame(const Bytes& wire);
    Bytes Answer(uint8_t screen, uint8_t type, uint8_t command, const Bytes& data) const;
    Bytes Noise();

    std::mt19937 rng_;
    TFaults faults_;
    Bytes current_;  // bytes of the frame being received, flags included
    bool in_frame_ = false;
    long seq_ = 0;
    long seq_base_ = 0;  // seq_ when the fault modes were last set
    Bytes last_wire_;
    int attempt_ = 0;

    std::map<int, Bytes> shown_;   // line byte -> last text message
    std::map<int, Bytes> stored_;  // line byte -> stored message
    Bytes clock_;                  // last clock fields
    std::vector<TArea> areas_;
};

}  // namespace signsim
