// The strip sign's three commands: show a text ('D'), set the clock ('V')
// and recall the stored content of a line ('W'). Each builds one frame body
// (screen, 01h, command, data, FCS low, FCS high) and sends it through the
// link's strip exchange; true when the sign acknowledged that command.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "signlink/link.h"

namespace signline {

// One reading of the local clock.
struct TClockReading {
    int Year;    // e.g. 2026
    int Month;   // 1..12
    int Day;     // 1..31
    int Hour;    // 0..23
    int Minute;  // 0..59
    int Second;  // 0..59
};
using TClockSource = std::function<TClockReading()>;

// The machine's local time.
TClockReading LocalClock();

// ISO 8601 week number (1..53) of a date: weeks start on Monday, week 1
// holds the year's first Thursday.
int IsoWeekOfYear(int year, int month, int day);

// Frame bodies. The screen number and the line go out as their low byte.
std::vector<uint8_t> TextFrameBody(std::string_view message, int screen);
std::vector<uint8_t> ClockFrameBody(const TClockReading& now, int screen);
std::vector<uint8_t> RecallFrameBody(int screen, int line);

// message: the composed message bytes (line byte, codes, text), sent as
// they are.
bool SendText(signlink::TSignLink& link, std::string_view message, int screen);
bool SetClock(signlink::TSignLink& link, int screen, const TClockSource& clock = LocalClock);
bool RecallContent(signlink::TSignLink& link, int screen, int line);

}  // namespace signline
