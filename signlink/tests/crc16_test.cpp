#include "signlink/crc16.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using signlink::Crc16;
using signlink::CrcTable;

class Crc : public ::testing::Test {
protected:
    void SetUp() override { signlink::FillCrcTable(); }
};

TEST_F(Crc, TableHoldsTheReflectedPolynomial)
{
    const std::pair<int, uint16_t> entries[] = {
        {0, 0x0000}, {1, 0x1189}, {2, 0x2312}, {3, 0x329B}, {128, 0x8408}, {255, 0x0F78},
    };
    for (auto [i, value] : entries) EXPECT_EQ(CrcTable[i], value) << "entry " << i;
}

TEST_F(Crc, CheckValues)
{
    const std::pair<const char*, uint16_t> cases[] = {
        {"123456789", 0x906E},
        {"abc", 0x9E25},
    };
    for (auto [text, value] : cases) {
        EXPECT_EQ(Crc16(reinterpret_cast<const uint8_t*>(text), std::strlen(text)), value) << text;
    }
}

TEST_F(Crc, CoversOnlyTheGivenCount)
{
    const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0xFF, 0x00};
    EXPECT_EQ(Crc16(text, 9), 0x906E);
}

}  // namespace
