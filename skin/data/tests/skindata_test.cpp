// The skin data component: its published properties, the skin stream and
// skin file loads (a length beyond the data, a new file that fails), what
// Loaded and Active ask of the skin manager, a layout that carries a skin,
// and the default skin the build packs.
#include "skin/data/skindata.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/layout.h"
#include "framework/typinfo.h"
#include "skin/data/skincolours.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"
#include "skin/file/skinread.h"
#include "skin/form/formgeometry.h"
#include "skin/form/skinmanage.h"
#include "skin/tests/skinfixture.h"
#include "tools/skinpack/lzhencode.h"

namespace skin {
namespace {

using test::PackedSkin;
using test::SolidBmp;

const std::string kSkinA =
    PackedSkin("[TitlebarSkin]\r\nSkinName=A\r\n[Colours]\r\nButtonFace=1,2,3\r\n");
const std::string kSkinB =
    PackedSkin("[TitlebarSkin]\r\nSkinName=B\r\n[MenuItem]\r\nImage=m.bmp\r\n",
               {{"m.bmp", SolidBmp(10, 10, 0)}});

std::string WithLength(const std::string& bytes, int32_t length)
{
    const auto n = uint32_t(length);
    return std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)} + bytes;
}

// A BMP of w x h pixels in 8-bit run-length coding whose data is only the
// end mark: some sixty bytes that decode to w x h black pixels.
std::string BlackRle8Bmp(int32_t w, int32_t h)
{
    std::string b = "BM";
    auto le16 = [&b](uint32_t v) { b += {char(v), char(v >> 8)}; };
    auto le32 = [&](uint32_t v) { le16(v & 0xFFFF), le16(v >> 16); };
    const uint32_t bits = 14 + 40 + 4;
    le32(bits + 2), le32(0), le32(bits);
    le32(40), le32(uint32_t(w)), le32(uint32_t(h)), le16(1), le16(8);
    le32(1), le32(2), le32(0), le32(0), le32(1), le32(0);  // BI_RLE8, one colour
    le32(0);                                               // black
    b += std::string("\0\1", 2);                           // end of bitmap
    return b;
}

// A skin whose caption buttons all name one image.
std::string ButtonsOfOneImageSkin(int buttons, const std::string& bmp)
{
    std::string ini = "[TitlebarSkin]\r\nSkinName=Big\r\n";
    for (int i = 0; i < buttons; ++i)
        ini += "[BUTTON" + std::to_string(i) + "]\r\nAction=0\r\nButtonImage=big.bmp\r\n";
    return PackedSkin(ini, {{"big.bmp", bmp}});
}

// A skin file whose container has a version no reader knows.
std::string UnknownVersionSkin()
{
    std::string container =
        skinpack::WriteContainer(40000, {{"skin.ini", "[TitlebarSkin]\r\nSkinName=X\r\n"}});
    container[0] = 0x39;  // 40000 becomes 40001
    return skinpack::PackBytes(container);
}

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        fw::SetMessageBoxHook([this](const std::string& text, const std::string&, UINT) {
            shown.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        fw::SetMessageBoxHook(nullptr);
        data.reset();
    }
    TSkinData* Make()
    {
        data.reset(new TSkinData(nullptr));
        return data.get();
    }
    void Stream(TSkinData* d, const std::string& bytes)
    {
        rtl::TMemoryStream s;
        s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
        s.SetPosition(0);
        d->ReadSkinStream(s);
    }
    std::string TempFile(const char* name, const std::string& bytes)
    {
        const std::string path = std::string("skindata_") + name;
        std::ofstream(path, std::ios::binary) << bytes;
        files.push_back(path);
        return path;
    }
    ~SkinDataTest() override
    {
        for (const std::string& f : files) std::filesystem::remove(f);
    }

    TSkinEngineScope engine;  // ends with the test, and frees the manager
    std::vector<std::string> shown, files;
    fw::TOwnedPtr<TSkinData> data;
};

TEST_F(SkinDataTest, PublishedPropertiesInOrderWithTheirConstructorValues)
{
    TSkinData* d = Make();
    std::vector<std::string> names;
    for (const fw::TPropInfo& p : TSkinData::StaticClass()->Props) names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Options",
                                               "Skin3rd", "SkinFile", "SkinStore", "SkinFormtype",
                                               "Version", "MenuUpdate", "MenuMerge", "OnFormSkin",
                                               "OnSkinChanged", "OnSkinControl", "OnBeforeSkinForm",
                                               "OnAfterSkinForm"}));
    EXPECT_EQ(fw::GetEnumProp(d, "Active"), "False");
    EXPECT_EQ(fw::GetOrdProp(d, "DisableTag"), 99);
    EXPECT_EQ(fw::GetOrdProp(d, "SkinControls"), 0x1FFFFB);
    EXPECT_EQ(fw::GetSetProp(d, "Options"), "[xoPreview,xoToolbarBK]");
    EXPECT_EQ(fw::GetEnumProp(d, "SkinFormtype"), "sfMainform");
    EXPECT_EQ(fw::GetStrProp(d, "Version"), "5.03.07.12");
    EXPECT_EQ(fw::GetStrProp(d, "SkinStore"), "(none)");
    EXPECT_EQ(fw::GetEnumProp(d, "MenuUpdate"), "True");
    EXPECT_EQ(fw::GetEnumProp(d, "MenuMerge"), "False");
    ASSERT_EQ(d->Skin3rd()->Count(), 118);
    EXPECT_EQ(d->Skin3rd()->Get(0), "TCategoryButtons=scrollbar");
    EXPECT_EQ(d->Skin3rd()->Get(117), "TOVCDBNUMERICFIELD=Edit");
    EXPECT_TRUE(d->NoSkin());
    // Written values of Version and SkinStore change nothing.
    fw::SetStrProp(d, "Version", "1.0");
    fw::SetStrProp(d, "SkinStore", "(Good)");
    EXPECT_EQ(d->Version(), "5.03.07.12");
    EXPECT_EQ(d->SkinStore(), "(none)");
    // Skin3rd copies the lines it is given.
    fw::TStringList lines;
    lines.Add("TMyEdit=edit");
    fw::SetObjectProp(d, "Skin3rd", &lines);
    ASSERT_EQ(d->Skin3rd()->Count(), 1);
    EXPECT_NE(d->Skin3rd(), static_cast<fw::TStrings*>(&lines));
}

TEST_F(SkinDataTest, SkinStreamTakesOnlyWholeData)
{
    struct Case {
        const char* what;
        std::string stream;
        bool loaded;
    } cases[] = {
        {"whole", WithLength(kSkinA, int32_t(kSkinA.size())), true},
        {"extra bytes after it", WithLength(kSkinA + "xyz", int32_t(kSkinA.size())), true},
        {"length beyond the data", WithLength(kSkinA, int32_t(kSkinA.size()) + 1), false},
        {"huge length", WithLength(kSkinA, 0x7FFFFFFF), false},
        {"negative length", WithLength(kSkinA, -5), false},
        {"no length", std::string("\x10\x00", 2), false},
    };
    for (const Case& c : cases) {
        TSkinData* d = Make();
        Stream(d, c.stream);
        EXPECT_EQ(!d->NoSkin(), c.loaded) << c.what;
        EXPECT_EQ(d->SkinBytes().empty(), !c.loaded) << c.what;
        if (c.loaded) {
            EXPECT_EQ(d->SkinName(), "A") << c.what;
            EXPECT_EQ(d->Skin().Colour(TColourSlot::ButtonFace), 0x030201) << c.what;
        }
    }
}

TEST_F(SkinDataTest, ShortOrEmptyStreamKeepsTheSkinHeld)
{
    TSkinData* d = Make();
    Stream(d, WithLength(kSkinA, int32_t(kSkinA.size())));
    for (const std::string& s :
         {WithLength("", 0), WithLength(kSkinB, int32_t(kSkinB.size()) + 100)}) {
        Stream(d, s);
        EXPECT_EQ(d->SkinBytes(), kSkinA);
        EXPECT_FALSE(d->NoSkin());
        EXPECT_EQ(d->SkinName(), "A");
    }
    rtl::TMemoryStream out;
    d->WriteSkinStream(out);
    EXPECT_EQ(out.Size(), int64_t(kSkinA.size()) + 4);
    TSkinData* copy = new TSkinData(nullptr);
    out.SetPosition(0);
    copy->ReadSkinStream(out);
    EXPECT_EQ(copy->SkinName(), "A");
    copy->Free();
}

TEST_F(SkinDataTest, UnknownVersionIsToldAndLeavesNoSkin)
{
    TSkinData* d = Make();
    Stream(d, WithLength(UnknownVersionSkin(), int32_t(UnknownVersionSkin().size())));
    EXPECT_TRUE(d->NoSkin());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "This is Older Skin File\rPlease update to new version !");
}

TEST_F(SkinDataTest, SkinFileReplacesTheSkinOnlyWhenTheNewOneLoads)
{
    TSkinData* d = Make();
    d->SetSkinFile(TempFile("a.skn", kSkinA));
    ASSERT_FALSE(d->NoSkin());
    EXPECT_EQ(d->SkinName(), "A");
    const std::string bad[] = {
        TempFile("garbage.skn", "not a skin at all"),
        TempFile("old.skn", UnknownVersionSkin()),
        TempFile("short.skn", std::string("\x05", 1)),
        "no_such_file.skn",
        "",
    };
    for (const std::string& path : bad) {
        d->SetSkinFile(path);
        EXPECT_EQ(d->SkinFile(), path);
        EXPECT_FALSE(d->NoSkin()) << path;
        EXPECT_EQ(d->SkinName(), "A") << path;
        EXPECT_EQ(d->SkinBytes(), kSkinA) << path;
    }
    EXPECT_EQ(shown.size(), 1u);  // the unknown version only
    d->SetSkinFile(TempFile("b.skn", kSkinB));
    EXPECT_EQ(d->SkinName(), "B");
    EXPECT_EQ(d->SkinBytes(), kSkinB);
    EXPECT_NE(d->Skin().MenuItem, nullptr);
}

TEST_F(SkinDataTest, SkinStreamOfManySmallSectionsLoadsAtOnce)
{
    // Each BUTTON* section costs ten key reads and each COLOUR* one; with
    // the sections scanned for every read this load takes minutes.
    constexpr int kSections = 100000;
    std::string ini;
    for (int i = 0; i < kSections; ++i) {
        const std::string n = std::to_string(i);
        ini += i % 2 == 0 ? "[Button" + n + "]\r\nAction=1\r\nXcoord=" + n + "\r\n"
                          : "[Colour" + n + "]\r\nColor=1,2," + std::to_string(i % 256) + "\r\n";
    }
    ini += "[TitlebarSkin]\r\nSkinName=Many\r\n";
    const std::string packed = PackedSkin(ini);
    TSkinData* d = Make();
    Stream(d, WithLength(packed, int32_t(packed.size())));
    ASSERT_FALSE(d->NoSkin());
    EXPECT_EQ(d->SkinName(), "Many");
    const TSkinContent& skin = d->Skin();
    ASSERT_EQ(skin.SysButtons.size(), size_t(kSections / 2 + 3));  // and the three MDI buttons
    EXPECT_EQ(skin.SysButtons[kSections / 2 - 1]->Name, "BUTTON" + std::to_string(kSections - 2));
    EXPECT_EQ(skin.SysButtons[kSections / 2 - 1]->Xcoord, kSections - 2);
    ASSERT_EQ(skin.SectionColours.size(), size_t(kSections / 2));
    EXPECT_EQ(skin.SectionColours.back(), fw::TColor(0x0201 | (kSections - 1) % 256 << 16));
}

TEST_F(SkinDataTest, SkinWhoseImagesTakeTooMuchMemoryIsABadFile)
{
    // A 2048 x 2048 image is 12 MiB of pixels from a member of 60 bytes; a
    // bitmap of its own for each caption button that names it.
    const std::string bmp = BlackRle8Bmp(2048, 2048);
    TSkinData* d = Make();
    const std::string few = ButtonsOfOneImageSkin(3, bmp);
    Stream(d, WithLength(few, int32_t(few.size())));
    ASSERT_FALSE(d->NoSkin());
    ASSERT_EQ(d->Skin().SysButtons.size(), 6u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(d->Skin().SysButtons[size_t(i)]->Image->Width(), 2048);

    // 100,000 of them would be over 1 TiB: the load stops at the bound, and
    // the skin held stays, with its objects and the caption buttons that
    // skinned windows point at.
    const TDataSkinSysButton* first = d->Skin().SysButtons[0].get();
    const TDataSkinButton* buttons = d->Skin().Buttons.get();
    d->SetSkinFile(TempFile("many.skn", ButtonsOfOneImageSkin(100000, bmp)));
    EXPECT_FALSE(d->NoSkin());
    EXPECT_EQ(d->SkinBytes(), few);
    EXPECT_EQ(d->Skin().SysButtons.size(), 6u);
    EXPECT_EQ(d->Skin().SysButtons[0].get(), first);
    EXPECT_EQ(first->Image->Width(), 2048);
    // One that loads refills the objects made at construction in place.
    d->SetSkinFile(TempFile("a.skn", kSkinA));
    EXPECT_EQ(d->SkinName(), "A");
    EXPECT_EQ(d->Skin().MenuItem, nullptr);
    EXPECT_EQ(d->Skin().Buttons.get(), buttons);
    EXPECT_TRUE(shown.empty());
}

TEST_F(SkinDataTest, SkinFileLargerThanAnyPackedSkinIsRefused)
{
    // Both files begin with skin B and end in a hole of zero bytes; only
    // the size tells them apart.
    TSkinData* d = Make();
    d->SetSkinFile(TempFile("a.skn", kSkinA));
    for (const int64_t size : {TSkinReader::kMaxPackedSize + 1, TSkinReader::kMaxPackedSize}) {
        const std::string path = TempFile("large.skn", kSkinB);
        {
            std::ofstream f(path, std::ios::binary | std::ios::in | std::ios::out);
            f.seekp(size - 1);
            f.put('\0');
        }
        ASSERT_EQ(int64_t(std::filesystem::file_size(path)), size);
        d->SetSkinFile(path);
        EXPECT_EQ(d->SkinFile(), path);
        const bool refused = size > TSkinReader::kMaxPackedSize;
        EXPECT_EQ(d->SkinName(), refused ? "A" : "B") << size;
        EXPECT_EQ(d->SkinBytes().size(), refused ? kSkinA.size() : size_t(size)) << size;
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(SkinDataTest, LoadedRegistersAndSwitchesSkinningOn)
{
    TSkinData* d = Make();
    Stream(d, WithLength(kSkinA, int32_t(kSkinA.size())));
    d->SetActive(true);  // no manager yet: only stored
    EXPECT_EQ(SkinManager(), nullptr);
    d->Loaded();
    TSkinManage* m = SkinManager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->SkinDatas(), std::vector<TSkinData*>{d});
    EXPECT_EQ(m->MainSkinData(), d);
    EXPECT_EQ(m->PendingCommand(), smSkinAll);
    EXPECT_EQ(m->CommandSkinData, d);
    EXPECT_TRUE(m->Active);  // idle: the command only switches skinning on
    EXPECT_TRUE(d->Active());
    EXPECT_TRUE(d->SkinControls().Contains(xcScrollbar));  // the system has GetScrollBarInfo
    EXPECT_FALSE(d->SkinControls().Contains(xcMenuItem));
    EXPECT_TRUE(d->SkinControls().Contains(xcSystemMenu));
    EXPECT_NE(d->CaptionFont(), nullptr);

    // The same value again: nothing. Off: unskin all.
    d->SetActive(true);
    d->SetActive(false);
    EXPECT_EQ(m->PendingCommand(), smUnskinAll);
    EXPECT_EQ(m->CommandSkinData, d);
    EXPECT_FALSE(m->Active);
    d->SetActive(true);
    EXPECT_EQ(m->State, TSkinManage::kActive);

    // A new skin file at run time asks for a reload while the manager runs.
    d->SetSkinFile(TempFile("b.skn", kSkinB));
    EXPECT_EQ(m->PendingCommand(), smReload);

    data.reset();
    EXPECT_TRUE(m->SkinDatas().empty());
    EXPECT_EQ(m->MainSkinData(), nullptr);
    EXPECT_EQ(m->CommandSkinData, nullptr);
}

TEST_F(SkinDataTest, LoadedWithoutASkinTurnsActiveOff)
{
    TSkinData* d = Make();
    d->SetActive(true);
    d->SetSkinControls(TSkinControlTypes{xcPopupMenu, xcMenuItem, xcSystemMenu});
    d->Loaded();
    EXPECT_FALSE(d->Active());
    EXPECT_EQ(SkinManager()->PendingCommand(), smNone);
    // Without the frame, no system menu; menu items stay.
    EXPECT_EQ(d->SkinControls(), (TSkinControlTypes{xcPopupMenu, xcMenuItem}));
}

TEST_F(SkinDataTest, OtherFormTypesCountInTheManager)
{
    TSkinData* d = Make();
    d->SetSkinFormtype(sfOnlyThisForm);
    d->Loaded();
    // The manager runs, but an inactive data switches skinning on for no one.
    EXPECT_FALSE(SkinManager()->Active);
    EXPECT_EQ(SkinManager()->State, 1);
    EXPECT_EQ(SkinManager()->MainSkinData(), nullptr);
    // More of them never push the state past active (to closing).
    for (int i = 0; i < 4; ++i) d->Loaded();
    EXPECT_EQ(SkinManager()->State, TSkinManage::kActive);
    // Switched on without a skin: no command.
    d->SetActive(true);
    EXPECT_EQ(SkinManager()->PendingCommand(), smNone);
    EXPECT_EQ(SkinManager()->CommandSkinData, d);
}

TEST_F(SkinDataTest, DoFormSkinRules)
{
    TSkinData* d = Make();
    struct Case {
        const char* className;
        bool fastReport, doSkin;
    } cases[] = {
        {"SysMonthCal32", false, false}, {"sysmonthcal32", false, true},
        {"TfrPreview", false, true},     {"TfrPreview", true, false},
        {"TFRPreview", true, true},      {"TForm1", true, true},
    };
    for (const Case& c : cases) {
        TSkinControlTypes controls = TSkinData::kDefaultSkinControls;
        if (c.fastReport) controls.Include(xcFastReport);
        d->SetSkinControls(controls);
        bool doSkin = true;
        d->DoFormSkin(reinterpret_cast<HWND>(1), c.className, doSkin);
        EXPECT_EQ(doSkin, c.doSkin) << c.className << c.fastReport;
    }
    // With OnFormSkin assigned, the handler alone decides.
    struct THandler : fw::TObject {
        std::string asked;
        void FormSkin(fw::TObject*, const std::string& name, bool&) { asked = name; }
    } handler;
    d->OnFormSkin = TOnFormSkin(&handler, &THandler::FormSkin);
    bool doSkin = true;
    d->DoFormSkin(reinterpret_cast<HWND>(2), "SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin);
    EXPECT_EQ(handler.asked, "SysMonthCal32");
    EXPECT_EQ(d->FormSkinWindow(), reinterpret_cast<HWND>(2));
}

class TSkinLayoutForm : public fw::TForm {
    FW_CLASS(TSkinLayoutForm, fw::TForm)
public:
    explicit TSkinLayoutForm(fw::TComponent* owner) : TForm(owner)
    {
        fw::RegisterClass(TSkinData::StaticClass());
    }
    TSkinData* SkinData1 = nullptr;
};

FW_IMPLEMENT_CLASS(TSkinLayoutForm) { c.Field("SkinData1", &TSkinLayoutForm::SkinData1); }

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (const char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", unsigned(uint8_t(b)));
        out += buf;
    }
    return out;
}

TEST_F(SkinDataTest, LayoutLoadsTheSkinWhileItIsRead)
{
    const std::string layout =
        "TSkinLayoutForm Form1 {\n"
        "  TSkinData SkinData1 {\n"
        "    Active: True\n"
        "    DisableTag: 7\n"
        "    SkinControls: [xcMainMenu, xcMenuItem, xcScrollbar]\n"
        "    Skin3rd: [\"TOne=edit\", \"TTwo=panel\"]\n"
        "    SkinFile: \"\"\n"
        "    SkinStore: \"(none)\"\n"
        "    SkinFormtype: sfMainform\n"
        "    Version: \"5.03.07.12\"\n"
        "    SkinStream: hex { " +
        Hex(WithLength(kSkinB, int32_t(kSkinB.size()))) +
        "}\n"
        "  }\n"
        "}\n";
    fw::TOwnedPtr<TSkinLayoutForm> form(new TSkinLayoutForm(nullptr));
    fw::ReadLayout(form.get(), layout);
    TSkinData* d = form->SkinData1;
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->NoSkin());
    EXPECT_EQ(d->SkinName(), "B");
    EXPECT_TRUE(d->Active());
    EXPECT_EQ(d->DisableTag(), 7);
    EXPECT_EQ(d->SkinControls(), (TSkinControlTypes{xcMainMenu, xcScrollbar}));
    ASSERT_EQ(d->Skin3rd()->Count(), 2);
    ASSERT_NE(SkinManager(), nullptr);
    EXPECT_EQ(SkinManager()->MainSkinData(), d);
    EXPECT_EQ(SkinManager()->PendingCommand(), smSkinAll);
    form.reset();
    EXPECT_TRUE(SkinManager()->SkinDatas().empty());
}

TEST(SkinEngine, StartBindsTheUser32FunctionsAndTheAtomUntilTheLastEnd)
{
    EXPECT_FALSE(SkinEngineStarted());
    EXPECT_EQ(OptionalUser32().GetScrollBarInfo, nullptr);
    EXPECT_EQ(WorkBitmap(), nullptr);
    SCROLLBARINFO info{};
    EXPECT_FALSE(GetScrollBarInfoSafe(nullptr, OBJID_VSCROLL, info));
    {
        TSkinEngineScope outer;
        TSkinEngineScope inner;
        EXPECT_NE(OptionalUser32().GetScrollBarInfo, nullptr);
        EXPECT_NE(OptionalUser32().TrackMouseEvent, nullptr);
        EXPECT_NE(OptionalUser32().GetComboBoxInfo, nullptr);
        EXPECT_NE(ControlAtom(), 0);
        EXPECT_EQ(ControlAtom(), GlobalFindAtomA(fw::ControlAtomName().c_str()));
        EXPECT_EQ(ControlMessage(), RegisterWindowMessageA(fw::ControlAtomName().c_str()));
        EXPECT_TRUE(IsNT());
        ASSERT_NE(WorkBitmap(), nullptr);
        EXPECT_NE(WorkStrings(), nullptr);
        CreateSkinManager(false);
    }
    EXPECT_FALSE(SkinEngineStarted());
    EXPECT_EQ(SkinManager(), nullptr);
    EXPECT_EQ(WorkBitmap(), nullptr);
}

TEST(SkinEngine, Helpers)
{
    TSkinEngineScope engine;
    EXPECT_EQ(AnsiToWide("\xC6\xC1\xBA\xC5"), L"\x5C4F\x53F7");  // 屏号
    EXPECT_EQ(FindControlByHandle(nullptr), nullptr);
    fw::Application->Initialize();
    fw::TOwnedPtr<fw::TForm> form(new fw::TForm(nullptr));
    EXPECT_EQ(FindControlByHandle(form->Handle()), form.get());
    TrackMouseLeave(form->Handle());
    HDC dc = GetDC(form->Handle());
    RECT r{0, 0, 200, 50};
    EXPECT_GT(DrawTextWide(dc, L"\x5C4F\x53F7", r, DT_CALCRECT | DT_SINGLELINE), 0);
    ReleaseDC(form->Handle(), dc);
}

// The NT and not-Vista flags come from the one Windows version tests set.
TEST(SkinEngine, PlatformFlagsFollowTheWindowsVersion)
{
    struct Case {
        TWindowsVersion version;
        bool nt, notVista;
    } cases[] = {
        {{4, 10, false, true}, false, true},
        {{5, 1, true, false}, true, true},
        {{6, 1, true, false}, true, false},
        {{10, 0, true, false}, true, true},
    };
    for (const Case& c : cases) {
        SetWindowsVersion(c.version);
        EXPECT_EQ(IsNT(), c.nt) << c.version.Major << "." << c.version.Minor;
        EXPECT_EQ(NotVista(), c.notVista) << c.version.Major << "." << c.version.Minor;
    }
    ResetWindowsVersion();
}

#ifdef SIGNS_DEFAULT_SKIN
TEST_F(SkinDataTest, DefaultSkinGivesEveryObjectItsFramesAndColours)
{
    TSkinData* d = Make();
    d->SetSkinFile(SIGNS_DEFAULT_SKIN);
    ASSERT_FALSE(d->NoSkin());
    // With the combo box's parts, as the first combo box makes them.
    const TSkinContent& s = WithComboParts(d->Skin());
    EXPECT_EQ(d->SkinName(), "Slate");
    EXPECT_EQ(s.Colour(TColourSlot::ButtonFace), 0xF3EFEC);  // 236, 239, 243
    EXPECT_TRUE(s.ColourDefined(TColourSlot::TitleTextNoActive));
    EXPECT_EQ(s.Title->ActiveColour, 0xFFFFFF);
    // name, object, frames, frame width and height of the image
    struct Case {
        const char* name;
        const TDataSkinObject* object;
        int frames;
        bool vertical;
        int frameWidth, frameHeight;
    } cases[] = {
        {"Left", s.Left.get(), 2, false, 4, 40},
        {"Top", s.Top.get(), 2, true, 48, 30},
        {"Bottom", s.Bottom.get(), 2, true, 48, 4},
        {"Title", s.Title.get(), 2, true, 8, 30},
        {"MenuBar", s.MenuBar.get(), 2, true, 24, 16},
        {"Buttons", s.Buttons.get(), 5, false, 22, 22},
        {"ComboButton", s.ComboButton.get(), 4, false, 50, 21},
        {"SunkEdge", s.SunkEdge.get(), 4, false, 50, 21},
        {"ComboxArrow", s.ComboxArrow.get(), 4, false, 17, 17},
        {"ExtraImages", s.ExtraImages.get(), 5, false, 12, 12},
        {"Scrollbar", s.Scrollbar.get(), 23, false, 17, 17},
        {"HorzScrollThumb", s.HorzScrollThumb.get(), 3, false, 24, 17},
        {"MenuItem", s.MenuItem.get(), 5, false, 0, 0},
        {"Tabs", s.Tabs.get(), 5, false, 24, 22},
        {"StatusBarEdges", s.StatusBarEdges.get(), 3, false, 16, 20},
        {"UpDownVert", s.UpDownVert.get(), 8, false, 16, 11},
        {"ThumbHorz", s.ThumbHorz.get(), 5, false, 11, 21},
        {"Track", s.Track.get(), 1, false, 12, 4},
        {"Toolbar", s.Toolbar.get(), 1, false, 10, 40},
        {"Progress", s.Progress.get(), 2, false, 16, 16},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.object, nullptr) << c.name;
        EXPECT_EQ(c.object->Frame, c.frames) << c.name;
        ASSERT_FALSE(c.object->Image->Empty()) << c.name;
        if (c.frameWidth == 0) continue;
        const int w = c.object->Image->Width() / (c.vertical ? 1 : c.frames);
        const int h = c.object->Image->Height() / (c.vertical ? c.frames : 1);
        EXPECT_EQ(w, c.frameWidth) << c.name;
        EXPECT_EQ(h, c.frameHeight) << c.name;
    }
    EXPECT_FALSE(s.UpDownVert->Image2->Empty());
    EXPECT_FALSE(s.Tabs->Image2->Empty());
    ASSERT_EQ(s.SysButtons.size(), 5u + 3u);
    EXPECT_EQ(s.SysButtons[0]->Name, "BUTTONCLOSE");
    EXPECT_EQ(s.SysButtons[0]->Frame, 4);
    EXPECT_EQ(s.SysButtons[4]->Action, 3);
    EXPECT_FALSE(s.SysButtons[4]->Image->Empty());   // the system menu's frame key keeps its image
    EXPECT_EQ(s.SysButtons[5]->Image->Width(), 64);  // 4 frames of 16 from [MDICONTROLS]
    EXPECT_EQ(d->MenuImages()->Count(), 4);
}
#endif

}  // namespace
}  // namespace skin
