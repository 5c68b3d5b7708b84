// Seed inputs of fuzz_quickini: the skin ini given as the second argument,
// and small texts with the forms a skin ini may hold.
#include "tools/fuzzseed/seeds.h"

int main(int argc, char** argv)
{
    const fuzzseed::TSeedFolder seeds(argc, argv);
    if (argc > 2) seeds.Add("default_skin", fuzzseed::ReadInput(argv[2]));
    seeds.Add("colours", "[Colors]\r\nBack=192,192,192\r\nText=0 0 255\r\nLink=12;34\r\nNone=\r\n");
    seeds.Add("numbers", "[Personality]\nLeftFrame=2\nTopHeight=-30\nBig=99999999999\nHex=0x1F\n");
    seeds.Add("odd_lines", "no section=1\r[A]\r\n ; note\n[ B ]\nk == v\n[A]\nk=again\n[]\n=x\n");
    return 0;
}
