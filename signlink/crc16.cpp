#include "signlink/crc16.h"

namespace signlink {

std::array<uint16_t, 256> CrcTable{};

void FillCrcTable()
{
    for (unsigned i = 0; i < CrcTable.size(); ++i) {
        unsigned reg = i;
        for (int bit = 0; bit < 8; ++bit) {
            reg = (reg & 1) ? (reg >> 1) ^ 0x8408u : reg >> 1;
        }
        CrcTable[i] = static_cast<uint16_t>(reg);
    }
}

uint16_t Crc16(const uint8_t* bytes, size_t count)
{
    unsigned reg = 0xFFFF;
    for (size_t i = 0; i < count; ++i) {
        reg = (reg >> 8) ^ CrcTable[(reg ^ bytes[i]) & 0xFF];
    }
    return static_cast<uint16_t>(~reg);
}

std::vector<uint8_t> FinishBody(std::vector<uint8_t> body)
{
    const uint16_t fcs = Crc16(body.data(), body.size());
    body.push_back(static_cast<uint8_t>(fcs & 0xFF));
    body.push_back(static_cast<uint8_t>(fcs >> 8));
    return body;
}

}  // namespace signlink
