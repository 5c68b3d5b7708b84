// Replies from the sign are untrusted: any bytes, any length, read through
// the exchange (queue query, chunked reads, candidate test, de-stuffing,
// both acknowledgement tests).
#include <cstddef>
#include <cstdint>

#include "signlink/link.h"
#include "signlink/tests/fake_port.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace signlink;
    const uint8_t body[] = {0x01, 0x01, 0x44, 0x00, 0x00};
    for (const TExchangeParams* params : {&kStripExchange, &kBoardExchange}) {
        testing::TFakePortLog log;
        auto port = std::make_unique<testing::TFakePort>(log);
        port->AnswerAttempt(0, testing::Bytes(data, data + size));
        TSignLink link;
        link.AttachPort(std::move(port));
        link.Transact(body, sizeof body, 0x44, *params);
        TReplyBuf reply;
        UnstuffReply(data, size, reply);
    }
    return 0;
}
