#include "signboard/frames.h"

#include "signlink/crc16.h"
#include "signlink/protocol.h"

namespace signboard {

namespace {

void PutWord(std::vector<uint8_t>& body, int value)
{
    const auto word = static_cast<uint16_t>(static_cast<uint32_t>(value));
    body.push_back(static_cast<uint8_t>(word & 0xFF));
    body.push_back(static_cast<uint8_t>(word >> 8));
}

}  // namespace

std::vector<uint8_t> ClearFrameBody(int screen)
{
    std::vector<uint8_t> body;
    body.reserve(13);
    body.push_back(static_cast<uint8_t>(screen));
    body.push_back(signlink::kBoardType);
    body.push_back(signlink::kCmdClear);
    body.insert(body.end(), 8, 0);
    return signlink::FinishBody(std::move(body));
}

std::optional<std::vector<uint8_t>> AreaFrameBody(int screen, int left, int top, int width,
                                                  int height, bool save, std::string_view markup)
{
    if (markup.size() > kMaxMarkupLength) return std::nullopt;
    std::vector<uint8_t> body;
    body.reserve(markup.size() + 15);
    body.push_back(static_cast<uint8_t>(screen));
    body.push_back(signlink::kBoardType);
    body.push_back(save ? signlink::kCmdAreaStore : signlink::kCmdAreaNoStore);
    PutWord(body, static_cast<int>(markup.size() + 10));
    PutWord(body, left);
    PutWord(body, top);
    PutWord(body, height);  // height before width, as the sign reads them
    PutWord(body, width);
    body.insert(body.end(), markup.begin(), markup.end());
    return signlink::FinishBody(std::move(body));
}

bool ClearScreen(signlink::TSignLink& link, int screen)
{
    const std::vector<uint8_t> body = ClearFrameBody(screen);
    return link.BoardTransact(body.data(), body.size());
}

bool SendArea(signlink::TSignLink& link, int screen, int left, int top, int width, int height,
              bool save, std::string_view markup)
{
    const auto body = AreaFrameBody(screen, left, top, width, height, save, markup);
    if (!body) return false;
    return link.BoardTransact(body->data(), body->size());
}

}  // namespace signboard
