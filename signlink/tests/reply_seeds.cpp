// Seed inputs of signlink_reply_fuzz: the replies a sign sends (strip and
// board acknowledgements, framed by the link's own stuffing), and the
// faulty ones the exchange must refuse.
#include <cstdint>
#include <utility>
#include <vector>

#include "signlink/crc16.h"
#include "signlink/protocol.h"
#include "signlink/stuffing.h"
#include "tools/fuzzseed/seeds.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A reply frame as a sign sends it: body plus CRC, stuffed, between flags.
Bytes Frame(Bytes body)
{
    body = signlink::FinishBody(std::move(body));
    return signlink::BuildSignFrame(body.data(), body.size());
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace signlink;
    const fuzzseed::TSeedFolder seeds(argc, argv);
    FillCrcTable();
    const Bytes strip = Frame({0x01, kStripAck, kCmdText});
    const Bytes board = Frame({0x01, kBoardType, kCmdAreaStore, 'O', 'K'});
    seeds.Add("strip_ack", strip);
    seeds.Add("strip_ack_clock", Frame({0x01, kStripAck, kCmdClock}));
    seeds.Add("board_ack", board);
    seeds.Add("board_ack_clear", Frame({0x01, kBoardType, kCmdClear, 'O', 'K'}));
    seeds.Add("strip_request", Frame({0x01, kStripRequest, kCmdText, 0x01, 0x03}));
    seeds.Add("no_close_flag", Bytes(strip.begin(), strip.end() - 1));
    seeds.Add("two_replies", [&] {
        Bytes both = board;
        both.insert(both.end(), strip.begin(), strip.end());
        return both;
    }());
    // Escapes of every kind inside a long reply, past the reply buffer.
    Bytes stuffed = {0x01, kStripAck, kCmdText};
    for (int i = 0; i < 120; ++i) stuffed.push_back(uint8_t(i % 3 == 0 ? kFlag : i));
    seeds.Add("stuffed_long", Frame(stuffed));
    seeds.Add("escape_escape", Bytes{kFlag, kEscape, kEscape, 0x41, kFlag});
    return 0;
}
