// The invalid-cast error: a value of the wrong class where a typed access
// needs a particular one.
#pragma once

#include "rtl/sysutils.h"

namespace rtl {

class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};

}  // namespace rtl
