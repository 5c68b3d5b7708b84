// Seed inputs of ini_fuzz: ini text, section, key and value, separated by
// 01h bytes, over the forms the parser meets in settings files.
#include <string>

#include "tools/fuzzseed/seeds.h"

namespace {

std::string Input(const std::string& text, const char* section, const char* key, const char* value)
{
    return text + '\x01' + section + '\x01' + key + '\x01' + value;
}

}  // namespace

int main(int argc, char** argv)
{
    const fuzzseed::TSeedFolder seeds(argc, argv);
    const std::string settings =
        "[SYSTEM]\r\nLEDWIDTH=256\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=1\r\n"
        "[TEXTAREA1]\r\nx=0\r\ny=0\r\nstatictext=\\\xBB\xB6\xD3\xAD\r\n"
        "PropertyText={\"fontsize\":1,\"issave\":1}\r\n";
    seeds.Add("settings", Input(settings, "TEXTAREA1", "width", "128"));
    seeds.Add("replace", Input(settings, "system", "ledwidth", " 512 "));
    seeds.Add("quoted", Input("[a]\nk=\"quoted\"\n[b]\nk='x'\n", "a", "K", "'single'"));
    seeds.Add("odd_lines",
              Input("; note\n  [ spaced ]  \nno equals\n=empty key\nk = v ;c\r[x]\rk2=v2\n",
                    " spaced ", "new", "v"));
    seeds.Add("repeated", Input("[s]\nk=1\n[S]\nK=2\nk=3\n", "s", "k", ""));
    seeds.Add("empty", Input("", "s", "k", "v"));
    return 0;
}
