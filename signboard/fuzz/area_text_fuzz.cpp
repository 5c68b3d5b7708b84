// Area texts and property texts as they come from "setprams.ini": the
// stored text decodes without fault and every text round-trips through
// its stored form; any property text builds a markup or raises the
// invalid-cast error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rtl/casts.h"
#include "signboard/areas.h"
#include "signboard/markup.h"
#include "signboard/properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t half = size / 2;

    signboard::AreaRecord area;
    area.statictext = signboard::AreaTextFromStored(input.substr(0, half));
    if (signboard::AreaTextFromStored(signboard::StoredAreaText(area.statictext)) !=
        area.statictext)
        std::abort();

    area.PropertyText = input.substr(half);
    area.areatype = size % 3;
    try {
        (void)signboard::BuildAreaMarkup(area);
        signboard::TAreaPropertyControls controls;
        signboard::LoadProperties(area.PropertyText, controls);
        (void)signboard::BuildProperties(controls);
    } catch (const rtl::EInvalidCast&) {}
    return 0;
}
