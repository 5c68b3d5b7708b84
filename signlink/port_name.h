// Device name of the serial port chosen in a window's port box, whose item
// index is the port number ("未选择", "COM1" ... "COM18").
#pragma once

#include <string>

namespace signlink {

// "COM" and the number for 9 and below, "\\.\COM" and the number from 10
// on (the device namespace that ports above 9 need). Index 0 gives COM0,
// which no machine has.
std::string SignPortName(int index);

}  // namespace signlink
