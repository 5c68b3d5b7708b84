// Seed inputs of fuzz_skinfile: small packed skins, one for each container
// version the reader knows, packed by the encoder; the skin ini given as
// the second argument is the ini member of the largest one.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/fuzzseed/seeds.h"
#include "tools/skinpack/lzhencode.h"
#include "tools/skinpack/skinwrite.h"

int main(int argc, char** argv)
{
    const fuzzseed::TSeedFolder seeds(argc, argv);
    const std::string ini = "[TitlebarSkin]\r\nSkinName=Seed\r\n[Personality]\r\nLeft=left.bmp\r\n";
    const std::string bmp("BM\x3A\0\0\0\0\0\0\0\x36\0\0\0", 14);
    const std::vector<skinpack::TSkinMember> members = {{"Left.bmp", bmp}, {"Seed.ini", ini}};
    for (uint32_t version : {20000u, 30000u, 40000u, 50000u, 60000u, 70000u})
        seeds.Add("v" + std::to_string(version), skinpack::PackSkin(version, members));
    seeds.Add("no_members", skinpack::PackSkin(40000, {}));
    seeds.Add("repeated_text", skinpack::PackBytes(std::string(300, 'a') + "abcabcabc"));
    if (argc > 2)
        seeds.Add("default_ini",
                  skinpack::PackSkin(40000, {{"skin.ini", fuzzseed::ReadInput(argv[2])}}));
    return 0;
}
