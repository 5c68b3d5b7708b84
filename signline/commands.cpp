#include "signline/commands.h"

#include <chrono>
#include <ctime>

#include "signlink/crc16.h"
#include "signlink/protocol.h"

namespace signline {

namespace {

std::vector<uint8_t> StartBody(int screen, uint8_t command, size_t data_length)
{
    std::vector<uint8_t> body;
    body.reserve(data_length + 5);
    body.push_back(static_cast<uint8_t>(screen));
    body.push_back(signlink::kStripRequest);
    body.push_back(command);
    return body;
}

}  // namespace

TClockReading LocalClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

int IsoWeekOfYear(int year, int month, int day)
{
    using namespace std::chrono;
    const sys_days date =
        std::chrono::year{year} / static_cast<unsigned>(month) / static_cast<unsigned>(day);
    // The week belongs to the year that holds its Thursday.
    const int from_monday = static_cast<int>(weekday{date}.iso_encoding()) - 1;
    const sys_days thursday = date - days{from_monday} + days{3};
    const sys_days first = year_month_day{thursday}.year() / January / 1;
    return static_cast<int>((thursday - first).count() / 7) + 1;
}

std::vector<uint8_t> TextFrameBody(std::string_view message, int screen)
{
    std::vector<uint8_t> body = StartBody(screen, signlink::kCmdText, message.size());
    body.insert(body.end(), message.begin(), message.end());
    return signlink::FinishBody(std::move(body));
}

std::vector<uint8_t> ClockFrameBody(const TClockReading& now, int screen)
{
    std::vector<uint8_t> body = StartBody(screen, signlink::kCmdClock, 7);
    const int fields[] = {
        now.Year % 100, now.Month,  now.Day,   IsoWeekOfYear(now.Year, now.Month, now.Day),
        now.Hour,       now.Minute, now.Second};
    for (int f : fields) body.push_back(static_cast<uint8_t>(f));
    return signlink::FinishBody(std::move(body));
}

std::vector<uint8_t> RecallFrameBody(int screen, int line)
{
    std::vector<uint8_t> body = StartBody(screen, signlink::kCmdRecall, 1);
    body.push_back(static_cast<uint8_t>(line));
    return signlink::FinishBody(std::move(body));
}

bool SendText(signlink::TSignLink& link, std::string_view message, int screen)
{
    const std::vector<uint8_t> body = TextFrameBody(message, screen);
    return link.StripTransact(body.data(), body.size(), signlink::kCmdText);
}

bool SetClock(signlink::TSignLink& link, int screen, const TClockSource& clock)
{
    // One reading for all seven fields, so a date and a time never come
    // from two sides of a second, minute or midnight.
    const std::vector<uint8_t> body = ClockFrameBody(clock(), screen);
    return link.StripTransact(body.data(), body.size(), signlink::kCmdClock);
}

bool RecallContent(signlink::TSignLink& link, int screen, int line)
{
    const std::vector<uint8_t> body = RecallFrameBody(screen, line);
    return link.StripTransact(body.data(), body.size(), signlink::kCmdRecall);
}

}  // namespace signline
