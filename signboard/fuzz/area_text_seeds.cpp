// Seed inputs of area_text_fuzz: a stored area text in the first half and
// a property text in the second, as "setprams.ini" holds them.
#include <string>

#include "signboard/areas.h"
#include "signboard/properties.h"
#include "tools/fuzzseed/seeds.h"

namespace {

// Both halves the same length: the stored text padded with letters, the
// property text with trailing blanks.
std::string Input(std::string stored, std::string property)
{
    if (stored.size() < property.size()) stored.append(property.size() - stored.size(), 'A');
    if (property.size() < stored.size()) property.append(stored.size() - property.size(), ' ');
    return stored + property;
}

std::string Properties(int size, int colour, const char* speed, bool time, bool save)
{
    signboard::TAreaPropertyControls controls;
    controls.FontSizeIndex = size;
    controls.FontColorIndex = colour;
    controls.SpeedText = speed;
    controls.IsTime = time;
    controls.IsSave = save;
    controls.Loop = !save;
    return signboard::BuildProperties(controls);
}

}  // namespace

int main(int argc, char** argv)
{
    using signboard::StoredAreaText;
    const fuzzseed::TSeedFolder seeds(argc, argv);
    seeds.Add("chinese", Input(StoredAreaText("\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9"),
                               Properties(1, 1, "0", false, true)));
    seeds.Add("clock",
              Input(StoredAreaText("HH:MI:SS YYYY-MM-DD"), Properties(2, 3, "50", true, false)));
    seeds.Add("escaped",
              Input(StoredAreaText("line\r\nnext 100%\t "), Properties(3, 2, "120", false, false)));
    seeds.Add("empty", Input(StoredAreaText(""), Properties(0, 0, "0", false, false)));
    seeds.Add("not_json", Input(StoredAreaText("x"), "fontsize=1"));
    seeds.Add("out_of_range", Input(StoredAreaText("x"),
                                    "{\"fontsize\":9,\"fontcolor\":-4,"
                                    "\"speed\":1e9,\"issave\":\"1\"}"));
    return 0;
}
