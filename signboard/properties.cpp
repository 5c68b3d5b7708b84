#include "signboard/properties.h"

#include <memory>

#include "json/orvjson.h"
#include "rtl/sysutils.h"
#include "signboard/areas.h"
#include "signboard/messages.h"

namespace signboard {

namespace {

int ComboIndex(int32_t value) { return value >= 0 && value < kPropertyComboItems ? value : -1; }

}  // namespace

void LoadProperties(std::string_view text, TAreaPropertyControls& controls)
{
    controls.FontSizeIndex = 0;
    controls.FontColorIndex = 0;
    controls.IsSave = false;
    controls.IsTime = false;

    const std::unique_ptr<json::TorvJSONbase> root = json::TorvJSON::ReadJson(text);
    auto* props = dynamic_cast<json::TorvJSONobject*>(root.get());
    if (!props) return;

    controls.FontSizeIndex = ComboIndex(props->IntegerMember("fontsize"));
    controls.FontColorIndex = ComboIndex(props->IntegerMember("fontcolor"));
    controls.SpeedText = rtl::IntToStr(props->IntegerMember("speed"));
    controls.StopTimeText = rtl::IntToStr(props->IntegerMember("stoptime"));
    controls.Loop = props->IntegerMember("loop") != 0;
    controls.IsSave = props->IntegerMember("issave") != 0;
    controls.IsTime = props->IntegerMember("istime") != 0;
}

std::string BuildProperties(const TAreaPropertyControls& controls)
{
    json::TorvJSONobject props(true);
    props.AddIntegerMember(u"fontsize", controls.FontSizeIndex);
    props.AddIntegerMember(u"fontcolor", controls.FontColorIndex);
    props.AddIntegerMember(u"speed", rtl::StrToInt(controls.SpeedText));
    props.AddIntegerMember(u"loop", controls.Loop ? 1 : 0);
    props.AddIntegerMember(u"stoptime", rtl::StrToInt(controls.StopTimeText));
    props.AddIntegerMember(u"istime", controls.IsTime ? 1 : 0);
    props.AddIntegerMember(u"issave", controls.IsSave ? 1 : 0);
    return json::TorvJSON::WriteJson(&props);
}

bool AreaFieldsFit(std::string_view xText, std::string_view yText, std::string_view widthText,
                   std::string_view heightText, int32_t canvasWidth, int32_t canvasHeight)
{
    int32_t x = 0, y = 0, w = 0, h = 0;
    if (!rtl::TryStrToInt(xText, x) || !rtl::TryStrToInt(yText, y) ||
        !rtl::TryStrToInt(widthText, w) || !rtl::TryStrToInt(heightText, h))
        return false;
    return AreaWithinCanvas(x, y, w, h, canvasWidth, canvasHeight);
}

std::string NewAreaWidthText(std::string_view ledWidthText)
{
    return rtl::StrToInt(ledWidthText) <= 128 ? std::string(ledWidthText) : std::string("128");
}

bool TAreaDialogState::Ok(std::string_view xText, std::string_view yText,
                          std::string_view widthText, std::string_view heightText,
                          int32_t canvasWidth, int32_t canvasHeight,
                          const TAreaPropertyControls& controls, std::string& message)
{
    if (!AreaFieldsFit(xText, yText, widthText, heightText, canvasWidth, canvasHeight)) {
        message = kMsgAreaCoordsBad;
        return false;
    }
    PropertyText = BuildProperties(controls);
    Confirmed = 1;
    return true;
}

}  // namespace signboard
