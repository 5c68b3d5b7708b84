#include "signboard/markup.h"

#include <memory>
#include <string_view>

#include "json/orvjson.h"
#include "rtl/gbk.h"
#include "rtl/sysutils.h"

namespace signboard {

namespace {

// Replaces every occurrence of from that starts on a character boundary
// (a letter that is the second byte of a double-byte character starts
// none). The replacements hold no placeholder letters, so one pass leaves
// none behind.
std::string ReplacePlaceholder(const std::string& s, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
            continue;
        }
        const bool pair = rtl::IsGbkLeadByte(static_cast<unsigned char>(s[i])) &&
                          i + 1 < s.size() && s[i + 1] != '\0';
        const size_t step = pair ? 2 : 1;
        out.append(s, i, step);
        i += step;
    }
    return out;
}

const char* FontTag(int32_t fontsize)
{
    switch (fontsize) {
    case 1: return "^fnt:16^";
    case 2: return "^fnt:24^";
    case 3: return "^fnt:32^";
    default: return "";
    }
}

const char* ColourTag(int32_t fontcolor)
{
    switch (fontcolor) {
    case 1: return "^col:1^";
    case 2: return "^col:2^";
    case 3: return "^col:3^";
    default: return "";
    }
}

}  // namespace

TAreaMarkup BuildAreaMarkup(const AreaRecord& area)
{
    const std::unique_ptr<json::TorvJSONbase> root = json::TorvJSON::ReadJson(area.PropertyText);
    auto* props = dynamic_cast<json::TorvJSONobject*>(root.get());
    if (!props) return {area.statictext, false};

    std::string s = area.statictext;
    s = FontTag(props->IntegerMember("fontsize")) + s;
    const int32_t fontcolor = props->IntegerMember("fontcolor");
    s = ColourTag(fontcolor) + s;

    const int32_t loop = props->IntegerMember("loop");
    const int32_t speed = props->IntegerMember("speed");
    const int32_t stoptime = props->IntegerMember("stoptime");
    if (stoptime >= 1) s += "^dly:" + rtl::IntToStr(stoptime) + "^";
    if (speed >= 1) s = "^speed :" + rtl::IntToStr(speed) + "^" + s;
    if (loop >= 1) s += "^loop:1^";

    TAreaMarkup result;
    result.Save = props->IntegerMember("issave") != 0;

    if (props->IntegerMember("istime") == 1) {
        s = "^ref:0^" + s + "^ref:1^";
        static constexpr std::string_view kLiveFields[][2] = {
            {"YYYY", "^year:^"}, {"MM", "^month:^"}, {"DD", "^day:^"},  {"HH", "^hour:^"},
            {"MI", "^min:^"},    {"SS", "^sec:^"},   {"WW", "^week:^"},
        };
        for (const auto& field : kLiveFields) s = ReplacePlaceholder(s, field[0], field[1]);
    }

    if (area.areatype == kAreaLine) {
        const int32_t colour = fontcolor == 0 ? 1 : fontcolor;
        s = "^line:0 0 " + rtl::IntToStr(area.width) + " 0 " + rtl::IntToStr(colour) + "^";
    }
    result.Markup = std::move(s);
    return result;
}

}  // namespace signboard
