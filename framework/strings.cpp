#include "framework/strings.h"

namespace fw {

FW_IMPLEMENT_CLASS(TStrings) {}

FW_IMPLEMENT_CLASS(TStringList) {}

void TStrings::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other != this) rtl::TStrings::Assign(*other);
        return;
    }
    TPersistent::Assign(source);
}

}  // namespace fw
