// CRC-16/X-25 of the sign frames: reflected polynomial 8408h, start value
// FFFFh, result complemented, stored low byte first. Table-driven; the
// table is filled once by each program's main window when it is created.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace signlink {

// Entry i: the register after shifting i right eight times, XOR-ing 8408h
// after each shift that drops a 1 bit. All zero until FillCrcTable runs.
extern std::array<uint16_t, 256> CrcTable;

void FillCrcTable();

// The frame check sequence of the first count bytes.
uint16_t Crc16(const uint8_t* bytes, size_t count);

// Ends a frame body: appends the FCS of everything in it, low byte first.
std::vector<uint8_t> FinishBody(std::vector<uint8_t> body);

}  // namespace signlink
