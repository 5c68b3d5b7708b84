#include "tools/signsim/sign.h"

#include <algorithm>

#include "rtl/bytes.h"
#include "signlink/crc16.h"
#include "signlink/protocol.h"
#include "signlink/stuffing.h"

namespace signsim {

namespace {

constexpr uint8_t kStoreCode = 0x0B;  // "\B": keep the text in the sign
constexpr size_t kFloodBytes = 400;
constexpr long kNoiseLaterMs = 400;  // a noise burst follows its frame by up to this

std::string Hex(const uint8_t* bytes, size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(2 * count);
    for (size_t i = 0; i < count; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}
std::string Hex(const Bytes& b) { return Hex(b.data(), b.size()); }

// A flat JSON object of numbers, Booleans and plain texts.
class TJsonLine {
public:
    TJsonLine& Text(const char* key, const std::string& value)
    {
        Key(key);
        text_ += '"';
        for (char c : value) {
            if (c == '"' || c == '\\') text_ += '\\';
            text_ += c;
        }
        text_ += '"';
        return *this;
    }
    TJsonLine& Number(const char* key, long value)
    {
        Key(key);
        text_ += std::to_string(value);
        return *this;
    }
    TJsonLine& Flag(const char* key, bool value)
    {
        Key(key);
        text_ += value ? "true" : "false";
        return *this;
    }
    std::string Done() const { return text_ + "}"; }

private:
    void Key(const char* key)
    {
        text_ += text_.size() > 1 ? ",\"" : "\"";
        text_ += key;
        text_ += "\":";
    }
    std::string text_ = "{";
};

int Le16(const Bytes& b, size_t at) { return rtl::ReadLe16(b.data() + at); }

std::string CommandName(uint8_t type, uint8_t command)
{
    using namespace signlink;
    if (type == kStripRequest &&
        (command == kCmdText || command == kCmdClock || command == kCmdRecall)) {
        return std::string(1, static_cast<char>(command));
    }
    return Hex(&command, 1);
}

bool Known(uint8_t type, uint8_t command)
{
    using namespace signlink;
    if (type == kStripRequest)
        return command == kCmdText || command == kCmdClock || command == kCmdRecall;
    if (type == kBoardType)
        return command == kCmdAreaStore || command == kCmdAreaNoStore || command == kCmdClear;
    return false;
}

}  // namespace

TSign::TSign(const TFaults& faults)
{
    signlink::FillCrcTable();
    SetFaults(faults);
}

void TSign::SetFaults(const TFaults& faults)
{
    faults_ = faults;
    if (faults_.noise_seed >= 0)
        rng_.seed(static_cast<std::mt19937::result_type>(faults_.noise_seed));
    seq_base_ = seq_;
    last_wire_.clear();
    attempt_ = 0;
}

std::vector<TOutcome> TSign::Feed(const uint8_t* bytes, size_t count)
{
    std::vector<TOutcome> outcomes;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t b = bytes[i];
        if (!in_frame_) {
            if (b == signlink::kFlag) {
                in_frame_ = true;
                current_.assign(1, b);
            }
            continue;  // bytes outside a frame are line noise
        }
        current_.push_back(b);
        if (b != signlink::kFlag) continue;
        if (current_.size() == 2) {
            current_.pop_back();  // two flags in a row: the second opens the frame
            continue;
        }
        outcomes.push_back(Frame(current_));
        in_frame_ = false;
        current_.clear();
    }
    return outcomes;
}

TOutcome TSign::Frame(const Bytes& wire)
{
    ++seq_;
    attempt_ = wire == last_wire_ ? attempt_ + 1 : 1;
    last_wire_ = wire;

    TJsonLine log;
    log.Number("seq", seq_);
    Bytes body;
    const bool unstuffed = signlink::UnstuffFrame(wire.data() + 1, wire.size() - 2, body);
    if (!unstuffed || body.size() < 5) {
        log.Text("cmd", "?")
            .Text("error", unstuffed ? "short" : "bad_escape")
            .Flag("crc_ok", false)
            .Number("attempt", attempt_)
            .Flag("answered", false)
            .Text("wire", Hex(wire));
        return {log.Done(), {}, {}, 0};
    }

    const uint8_t screen = body[0];
    const uint8_t type = body[1];
    const uint8_t command = body[2];
    const Bytes data(body.begin() + 3, body.end() - 2);
    const uint16_t fcs = signlink::Crc16(body.data(), body.size() - 2);
    const bool crc_ok =
        body[body.size() - 2] == (fcs & 0xFF) && body[body.size() - 1] == (fcs >> 8);

    log.Text("cmd", CommandName(type, command))
        .Number("screen", screen)
        .Text("type", Hex(&type, 1))
        .Text("data", Hex(data))
        .Flag("crc_ok", crc_ok)
        .Number("attempt", attempt_);

    Bytes answer_data;
    if (crc_ok && Known(type, command)) {
        using namespace signlink;
        if (command == kCmdText) {
            if (!data.empty()) {
                const int line = data[0];
                const bool store = std::find(data.begin(), data.end(), kStoreCode) != data.end();
                shown_[line] = data;
                if (store) stored_[line] = data;
                log.Number("line", line)
                    .Text("text", Hex(data.data() + 1, data.size() - 1))
                    .Flag("stored", store);
            }
        } else if (command == kCmdClock) {
            if (data.size() == 7) {
                clock_ = data;
                log.Number("year", data[0])
                    .Number("month", data[1])
                    .Number("day", data[2])
                    .Number("week", data[3])
                    .Number("hour", data[4])
                    .Number("minute", data[5])
                    .Number("second", data[6]);
            } else {
                log.Text("error", "clock_length");
            }
        } else if (command == kCmdRecall) {
            if (!data.empty()) {
                const int line = data[0];
                auto it = stored_.find(line);
                if (it != stored_.end()) answer_data = it->second;
                log.Number("line", line).Text("recalled", Hex(answer_data));
            }
        } else if (command == kCmdClear) {
            areas_.clear();
            log.Number("areas", 0);
        } else if (data.size() >= 10) {  // an area frame
            TArea area{command == kCmdAreaStore,
                       Le16(data, 2),
                       Le16(data, 4),
                       Le16(data, 6),
                       Le16(data, 8),
                       Bytes(data.begin() + 10, data.end())};
            const bool length_ok = static_cast<size_t>(Le16(data, 0)) == data.size();
            log.Number("length", Le16(data, 0))
                .Flag("length_ok", length_ok)
                .Flag("store", area.store)
                .Number("left", area.left)
                .Number("top", area.top)
                .Number("height", area.height)
                .Number("width", area.width)
                .Text("markup", Hex(area.markup));
            areas_.push_back(std::move(area));
            log.Number("areas", static_cast<long>(areas_.size()));
        } else {
            log.Text("error", "area_length");
        }
    }

    const bool answer = crc_ok && Known(type, command) && !faults_.silent &&
                        faults_.noise_seed < 0 && attempt_ >= faults_.answer_from &&
                        (faults_.hold_back_ms == 0 || attempt_ == 1) &&
                        (faults_.answer_frames < 0 || seq_ - seq_base_ <= faults_.answer_frames);
    TOutcome outcome;
    if (answer) outcome.answer = Answer(screen, type, command, answer_data);
    if (faults_.noise_seed >= 0) {
        outcome.answer = Noise();
        outcome.later = Noise();
        outcome.later_ms = std::uniform_int_distribution<long>(0, kNoiseLaterMs)(rng_);
        log.Number("noise", static_cast<long>(outcome.answer.size() + outcome.later.size()));
    }
    log.Flag("answered", answer).Text("wire", Hex(wire)).Text("answer", Hex(outcome.answer));
    outcome.log_line = log.Done();
    return outcome;
}

Bytes TSign::Noise()
{
    using signlink::kFlag;
    auto pick = [this](size_t low, size_t high) {
        return std::uniform_int_distribution<size_t>(low, high)(rng_);
    };
    auto byte = [&] { return static_cast<uint8_t>(pick(0, 255)); };
    Bytes noise;
    switch (pick(0, 2)) {
    case 0:  // a few random bytes
        for (size_t n = pick(1, 40); n > 0; --n) noise.push_back(byte());
        break;
    case 1: {  // a garbage frame between good flags, never of an acknowledgement's type
        Bytes body;
        for (size_t n = pick(3, 60); n > 0; --n) body.push_back(byte());
        if (body[1] == signlink::kStripAck || body[1] == signlink::kBoardType) body[1] ^= 0x40;
        noise = signlink::BuildSignFrame(body.data(), body.size());
        break;
    }
    default:  // a burst well past the link's buffers, flags strewn in it
        for (size_t n = pick(300, 3000); n > 0; --n)
            noise.push_back(pick(0, 15) == 0 ? kFlag : byte());
        break;
    }
    return noise;
}

Bytes TSign::Answer(uint8_t screen, uint8_t type, uint8_t command, const Bytes& data) const
{
    using namespace signlink;
    Bytes body = {screen};
    if (type == kStripRequest) {
        body.push_back(kStripAck);
        body.push_back(!faults_.wrong_ack ? command : command == kCmdText ? kCmdClock : kCmdText);
    } else {
        body.push_back(kBoardType);
        body.push_back(command);
        body.push_back(faults_.wrong_ack ? 'o' : 'O');
        body.push_back(faults_.wrong_ack ? 'k' : 'K');
    }
    body.insert(body.end(), data.begin(), data.end());
    if (faults_.flood) {
        for (size_t i = 0; i < kFloodBytes; ++i) body.push_back(static_cast<uint8_t>(i));
    }
    const uint16_t fcs = Crc16(body.data(), body.size());
    body.push_back(static_cast<uint8_t>(fcs & 0xFF));
    body.push_back(static_cast<uint8_t>(fcs >> 8));

    Bytes frame = BuildSignFrame(body.data(), body.size());
    if (faults_.no_close_flag) frame.pop_back();
    if (faults_.short_answer) frame.resize(std::min<size_t>(frame.size(), 4));
    return frame;
}

}  // namespace signsim
