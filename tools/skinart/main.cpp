// skinart: draws the default skin's images.
//
//   skinart [--preview FILE.bmp] SKIN.INI OUTDIR
//
// Reads the shared colours from SKIN.INI, writes every image as a 24-bit
// BMP file into OUTDIR (created when missing) together with a copy of
// SKIN.INI under its own file name, and with --preview a mock screen
// composed of the images.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "rtl/files.h"
#include "tools/skinart/skinart.h"

namespace {

int Usage()
{
    std::cerr << "usage: skinart [--preview FILE.bmp] SKIN.INI OUTDIR\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string preview;
    if (args.size() >= 2 && args[0] == "--preview") {
        preview = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2) return Usage();
    const fs::path iniPath = args[0], outDir = args[1];

    const std::optional<std::string> text = rtl::ReadWholeFile(iniPath);
    if (!text) {
        std::cerr << "skinart: cannot read " << iniPath.string() << "\n";
        return 1;
    }
    skin::TQuickIni ini;
    ini.ParseStream(*text);

    std::error_code ec;
    fs::create_directories(outDir, ec);
    const std::vector<skinart::TArtImage> art = skinart::DrawSkinArt(skinart::ReadSkinColours(ini));
    bool ok = true;
    for (const skinart::TArtImage& a : art)
        ok = skinart::WriteBmpFile((outDir / a.name).string(), a.image) && ok;
    std::ofstream copy(outDir / iniPath.filename(), std::ios::binary | std::ios::trunc);
    copy << *text;
    copy.close();
    ok = bool(copy) && ok;
    if (!preview.empty()) ok = skinart::WriteBmpFile(preview, skinart::ComposePreview(art)) && ok;
    if (!ok) {
        std::cerr << "skinart: cannot write into " << outDir.string() << "\n";
        return 1;
    }
    return 0;
}
