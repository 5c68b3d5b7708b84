#include "signlink/port_name.h"

#include "rtl/sysutils.h"

namespace signlink {

std::string SignPortName(int index)
{
    const std::string prefix = index <= 9 ? "COM" : "\\\\.\\COM";
    return rtl::Trim(prefix + rtl::IntToStr(index));
}

}  // namespace signlink
