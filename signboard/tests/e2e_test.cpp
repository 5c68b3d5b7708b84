// signboard.exe under Wine, copied into a folder of its own with a
// prepared "setprams.ini", against a sign stand-in on COM1, driven through
// its windows as an operator would.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "signboard/messages.h"
#include "signboard/tests/operator.h"
#include "tools/windrive/signsim_client.h"

namespace {

using signboard_e2e::TAreaFields;
using signboard_e2e::TOperator;
using windrive::TSimFrame;
using windrive::TSimPort;
namespace sb = signboard_e2e;

const char kProps1[] =
    "{\"fontsize\":1,\"fontcolor\":1,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":1}";
const char kProps2[] =
    "{\"fontsize\":0,\"fontcolor\":3,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":0}";

// A 192 x 64 sign on COM1 with a text area and a line area.
std::string Layout(int firstLeft = 0)
{
    return "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=2\r\nisDebug=1\r\n"
           "[TEXTAREA1]\r\nx=" +
           std::to_string(firstLeft) +
           "\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\r\nareatype=0\r\nPropertyText=" +
           kProps1 +
           "\r\n[TEXTAREA2]\r\nx=64\r\ny=32\r\nwidth=128\r\nheight=16\r\nstatictext=\\CD\r\nareatype=1\r\n"
           "PropertyText=" +
           kProps2 + "\r\n";
}

// The clear frame to screen 1 as it goes on the wire.
const std::string kClearWire =
    "7E7D218EC5" + std::string("7D207D207D207D207D207D207D207D20") + "E4297E";

class SignboardEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(windrive::SimAvailable()) << "run through scripts/with-signsim";
        sign.Control("");
    }
    void TearDown() override { op.Close(); }

    void Start(const std::string& ini)
    {
        ASSERT_TRUE(op.Start(SIGNBOARD_EXE, ini)) << "signboard.exe did not show its window";
        ASSERT_TRUE(OpenPortAndCount());
    }
    bool OpenPortAndCount()
    {
        before = sign.Frames().size();
        return op.OpenPort();
    }
    std::vector<TSimFrame> Sent() const { return sign.FramesSince(before); }
    static std::vector<std::string> Texts(std::initializer_list<const char*> texts)
    {
        return {texts.begin(), texts.end()};
    }
    HWND AreaAt(int left, int top) const
    {
        for (HWND a : op.Areas()) {
            const RECT r = op.AreaBounds(a);
            if (r.left == left && r.top == top) return a;
        }
        return nullptr;
    }

    TOperator op;
    TSimPort sign{1};
    size_t before = 0;
};

TEST_F(SignboardEndToEnd, SendClearsTheSignThenSendsEveryAreaInOrder)
{
    Start(Layout());
    EXPECT_TRUE(windrive::IsEnabled(op.Button(sb::kSend)));
    EXPECT_FALSE(windrive::IsEnabled(op.Button(sb::kOpen)));
    EXPECT_EQ(op.ClickForMessages(sb::kSend), Texts({signboard::kMsgSendDone}));
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].Field("cmd"), "C5");
    EXPECT_EQ(frames[0].Field("wire"), kClearWire);
    EXPECT_EQ(frames[1].Field("cmd"), "C3");
    EXPECT_EQ(frames[1].Field("screen"), "1");
    EXPECT_EQ(frames[1].Field("left"), "0");
    EXPECT_EQ(frames[1].Field("width"), "64");
    EXPECT_EQ(frames[1].Field("height"), "16");
    EXPECT_EQ(frames[1].Field("markup"),
              "5E636F6C3A315E5E666E743A31365E4142");  // ^col:1^^fnt:16^AB
    EXPECT_EQ(frames[2].Field("cmd"), "C4");
    EXPECT_EQ(frames[2].Field("left"), "64");
    EXPECT_EQ(frames[2].Field("top"), "32");
    EXPECT_EQ(frames[2].Field("markup"),
              "5E6C696E653A30203020313238203020335E");  // ^line:0 0 128 0 3^
    for (const TSimFrame& f : frames) EXPECT_EQ(f.Field("answered"), "true");

    EXPECT_EQ(op.ClickForMessages(sb::kClear), Texts({signboard::kMsgClearDone}));
}

TEST_F(SignboardEndToEnd, ASilentSignFailsTheClear)
{
    Start(Layout());
    sign.Control("--silent");
    EXPECT_EQ(op.ClickForMessages(sb::kSend), Texts({signboard::kMsgClearFailed}));
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 3u);
    for (const TSimFrame& f : frames) EXPECT_EQ(f.Field("cmd"), "C5");
}

TEST_F(SignboardEndToEnd, ASignThatStopsAnsweringAfterTheClearFailsTheSendAtTheFirstArea)
{
    Start(Layout());
    sign.Control("--answer-frames 1");
    EXPECT_EQ(op.ClickForMessages(sb::kSend), Texts({signboard::kMsgSendFailed}));
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].Field("cmd"), "C5");
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(frames[i].Field("cmd"), "C3") << i;
}

TEST_F(SignboardEndToEnd, AnAreaAtLeft4IsNotSavedButTheSendGoesOn)
{
    const std::string ini = Layout(4);
    Start(ini);
    EXPECT_EQ(op.ClickForMessages(sb::kSend),
              Texts({signboard::kMsgAreaBad, signboard::kMsgSendDone}));
    EXPECT_EQ(op.IniText(), ini);
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].Field("left"), "4");
}

// An area above the sign, one without a height and one wider than the sign
// reach and another off its left edge: "发送" saves them all, names them
// and sends only the areas the sign can show.
const char kOffTheSign[] =
    "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=3\r\nisDebug=1\r\n"
    "[TEXTAREA1]\r\nx=0\r\ny=-16\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\r\nareatype=0\r\n"
    "PropertyText=\r\n"
    "[TEXTAREA2]\r\nx=64\r\ny=32\r\nwidth=128\r\nheight=0\r\nstatictext=\\CD\r\nareatype=0\r\n"
    "PropertyText=\r\n"
    "[TEXTAREA3]\r\nx=0\r\ny=48\r\nwidth=64\r\nheight=16\r\nstatictext=\\EF\r\nareatype=0\r\n"
    "PropertyText=\r\n";

TEST_F(SignboardEndToEnd, AreasOffTheSignOrWithoutHeightAreNamedAndNotSent)
{
    Start(kOffTheSign);
    const std::string notSent =
        signboard::kMsgAreaNotSent + ("1" + std::string(signboard::kMsgAreaNumberSeparator) + "2");
    EXPECT_EQ(op.ClickForMessages(sb::kSend),
              (std::vector<std::string>{notSent, signboard::kMsgSendDone}));
    EXPECT_EQ(op.IniText(), kOffTheSign);
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Field("cmd"), "C5");
    EXPECT_EQ(frames[1].Field("top"), "48");
    for (const TSimFrame& f : frames) {
        if (f.Field("cmd") == "C5") continue;
        const int left = std::stoi(f.Field("left")), top = std::stoi(f.Field("top"));
        const int width = std::stoi(f.Field("width")), height = std::stoi(f.Field("height"));
        EXPECT_TRUE(width >= 1 && height >= 1 && left + width <= 192 && top + height <= 64)
            << left << " " << top << " " << width << " " << height;
    }

    // A markup error after them ends the send; they are named before it.
    std::string badMarkup = kOffTheSign;
    badMarkup.replace(badMarkup.rfind("PropertyText=\r\n"), 15,
                      "PropertyText={\"fontsize\":\"a\"}\r\n");
    op.Close();
    Start(badMarkup);
    EXPECT_EQ(op.ClickForMessages(sb::kSend),
              (std::vector<std::string>{notSent, "Invalid class typecast"}));
    EXPECT_EQ(Sent().size(), 1u);  // the clear frame
}

// Areas the operator cannot click (above the canvas) or see (no height)
// never keep the rest of the layout from being saved.
TEST_F(SignboardEndToEnd, AreasOffTheSignAreSavedWithTheRest)
{
    Start(kOffTheSign);
    // Accepted by the dialog: its bottom edge lies on the sign.
    ASSERT_TRUE(op.AddArea({"GH", "64", "-16", "64", "16"}));
    ASSERT_EQ(op.Areas().size(), 4u);
    op.ClickQuietly(sb::kSaveAreas);
    EXPECT_TRUE(windrive::WaitUntil([&] { return op.IniText() != kOffTheSign; }, 5000));
    ASSERT_TRUE(windrive::NoMessageBox(op.ProcessId(), 300));
    const std::string ini = op.IniText();
    EXPECT_EQ(
        ini.substr(0, std::strlen(kOffTheSign)),
        std::regex_replace(std::string(kOffTheSign), std::regex("TEXTAREANUM=3"), "TEXTAREANUM=4"))
        << ini;
    EXPECT_NE(
        ini.find("[TEXTAREA4]\r\nx=64\r\ny=-16\r\nwidth=64\r\nheight=16\r\nstatictext=\\GH\r\n"),
        std::string::npos)
        << ini;

    // The next start shows every area again.
    op.Close();
    ASSERT_TRUE(op.LaunchPrepared());
    EXPECT_EQ(op.Areas().size(), 4u);
}

TEST_F(SignboardEndToEnd, AScreenNumberOfLettersSendsNothing)
{
    Start(Layout());
    windrive::TypeComboText(op.Screen(), "ab");
    EXPECT_EQ(op.ClickForMessages(sb::kSend), Texts({signboard::kMsgScreenBad}));
    EXPECT_EQ(op.ClickForMessages(sb::kClear), Texts({signboard::kMsgScreenBad}));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(SignboardEndToEnd, AddingEditingMovingAndDeletingAreasReachTheFileOnSave)
{
    Start(Layout());
    ASSERT_EQ(op.Areas().size(), 2u);

    // Add an area through the dialog.
    ASSERT_TRUE(op.AddArea({"EF", "0", "48", "64", "16"}));
    ASSERT_EQ(op.Areas().size(), 3u);
    ASSERT_NE(AreaAt(0, 48), nullptr);

    // Edit the first area by a double click; the cursor stays where the
    // operator left it and no drag is left running.
    HWND first = AreaAt(0, 0);
    ASSERT_NE(first, nullptr);
    POINT pressed{4, 4};
    ClientToScreen(first, &pressed);
    ASSERT_TRUE(op.EditArea(first, {"GH", "", "16", "", ""}, true));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, pressed.x);
    EXPECT_EQ(cursor.y, pressed.y);
    EXPECT_EQ(windrive::TextOf(first), "GH");
    EXPECT_EQ(op.AreaBounds(first).top, 16);
    EXPECT_TRUE(windrive::WaitUntil([&] { return windrive::CaptureOf(first) != first; }, 2000));
    windrive::MoveCursor({cursor.x + 40, cursor.y});
    PostMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(44, 4));
    EXPECT_FALSE(windrive::WaitUntil([&] { return op.AreaBounds(first).left != 0; }, 500));

    // Cancel leaves the area as it was.
    ASSERT_TRUE(op.EditArea(first, {"XX", "", "", "", ""}, false));
    EXPECT_EQ(windrive::TextOf(first), "GH");

    // Move the line area 32 dots to the left.
    HWND line = AreaAt(64, 32);
    ASSERT_NE(line, nullptr);
    op.DragArea(line, -32, 0);
    EXPECT_EQ(op.AreaBounds(line).left, 32);

    // Delete the added area.
    HWND added = AreaAt(0, 48);
    ASSERT_NE(added, nullptr);
    op.ClickArea(added);
    op.ClickQuietly(sb::kDelete);
    EXPECT_TRUE(windrive::WaitUntil([&] { return op.Areas().size() == 2u; }, 5000));

    const std::string started = op.IniText();
    op.ClickQuietly(sb::kSaveAreas);
    EXPECT_TRUE(windrive::WaitUntil([&] { return op.IniText() != started; }, 5000));
    ASSERT_TRUE(windrive::NoMessageBox(op.ProcessId(), 300));
    const std::string ini = op.IniText();
    EXPECT_NE(ini.find("TEXTAREANUM=2\r\n"), std::string::npos) << ini;
    EXPECT_NE(
        ini.find("[TEXTAREA1]\r\nx=0\r\ny=16\r\nwidth=64\r\nheight=16\r\nstatictext=\\GH\r\n"),
        std::string::npos)
        << ini;
    EXPECT_NE(ini.find("[TEXTAREA2]\r\nx=32\r\ny=32\r\nwidth=128\r\n"), std::string::npos) << ini;

    // What is sent is what is on the canvas.
    EXPECT_EQ(op.ClickForMessages(sb::kSend), Texts({signboard::kMsgSendDone}));
    const auto frames = Sent();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].Field("top"), "16");
    EXPECT_EQ(frames[2].Field("left"), "32");
}

// A layout of the given areas on a 192 x 64 sign, in editing mode.
std::string AreasLayout(const std::vector<std::string>& texts)
{
    std::string ini = "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=" +
                      std::to_string(texts.size()) + "\r\nisDebug=1\r\n";
    for (size_t i = 0; i < texts.size(); ++i)
        ini += "[TEXTAREA" + std::to_string(i + 1) + "]\r\nx=0\r\ny=" + std::to_string(i % 4 * 16) +
               "\r\nwidth=64\r\nheight=16\r\nstatictext=\\" + texts[i] +
               "\r\nareatype=0\r\nPropertyText=\r\n";
    return ini;
}

// A file the program refuses at start is told of and kept through every
// save the operator makes, the one before "发送" included.
TEST_F(SignboardEndToEnd, ARefusedLayoutIsNeverOverwritten)
{
    const std::string megabyte(1 << 20, 'M');
    const std::pair<std::string, std::string> files[] = {
        {"[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=2001\r\nisDebug=1\r\n"
         "[TEXTAREA1]\r\nx=0\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\r\n",
         signboard::kMsgTooManyAreas + std::string("2000")},
        {AreasLayout({"AB", megabyte}), signboard::kMsgAreaTextTooLong + std::string("2")},
    };
    for (const auto& [ini, message] : files) {
        TOperator refused;
        ASSERT_TRUE(refused.Prepare(SIGNBOARD_EXE, ini));
        EXPECT_EQ(refused.LaunchPreparedForMessage(), message);
        ASSERT_NE(refused.Window(), nullptr);
        EXPECT_TRUE(refused.Areas().empty());
        ASSERT_TRUE(refused.OpenPort());
        EXPECT_EQ(refused.ClickForMessages(sb::kSaveAreas),
                  Texts({signboard::kMsgLayoutNotLoaded}));
        EXPECT_EQ(refused.ClickForMessages(sb::kSend),
                  Texts({signboard::kMsgLayoutNotLoaded, signboard::kMsgSendDone}));
        EXPECT_EQ(refused.IniText(), ini) << message;
        refused.Close();
    }
}

// The longest text a frame carries shows at once (the window takes the
// part the area shows), and area texts come back from a save byte for
// byte, a lone lead byte at the end included.
TEST_F(SignboardEndToEnd, LongAndOddAreaTextsShowAndComeBackByteForByte)
{
    std::string longest;
    while (longest.size() < 65525) longest += "AB\xD6\xD0 ";  // AB中
    longest.resize(65525);
    longest.back() = 'Z';  // a last blank would be trimmed from a value
    const std::string ini = AreasLayout({longest, "AB\x81", "\xD6\xD0\x81\xD6\xD0"});
    Start(ini);
    ASSERT_EQ(op.Areas().size(), 3u);
    HWND first = AreaAt(0, 0);
    ASSERT_NE(first, nullptr);
    const std::string shown = windrive::TextOf(first);
    EXPECT_GT(shown.size(), 16u);
    EXPECT_EQ(longest.substr(0, shown.size()), shown);

    // A save that changes nothing writes what was read.
    op.ClickQuietly(sb::kSaveAreas);
    EXPECT_TRUE(windrive::NoMessageBox(op.ProcessId(), 300));
    EXPECT_EQ(op.IniText(), ini);
}

// The area count's limit holds on the canvas: the 2001st area is refused
// when it is added, so no save writes a layout the next start refuses.
TEST_F(SignboardEndToEnd, TheAreaAfterTheLastALayoutMayHoldIsRefused)
{
    Start(AreasLayout(std::vector<std::string>(2000, "AB")));
    EXPECT_EQ(op.ClickForMessages(sb::kAdd),
              Texts({(signboard::kMsgAreaLimitReached + std::string("2000")).c_str()}));
    EXPECT_EQ(op.Areas().size(), 2000u);
}

// Starts a Unix command from this Windows program (Wine runs it); false
// when it could not be started. Wine gives no exit code for it, nor an end
// to wait for: the caller watches for what it does.
bool RunUnix(const std::wstring& commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// The Unix name of a file as Wine maps it; empty when not under Wine.
std::string UnixName(const std::wstring& windowsName)
{
    using TUnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    char* name = unixName(windowsName.c_str());
    if (!name) return {};
    std::string out = name;
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

// A settings file in UTF-8 with its mark, kept in another folder and
// linked in: read as it is, and saved in UTF-8, with one [SYSTEM] section,
// into the file the link points to.
TEST_F(SignboardEndToEnd, AUtf8SettingsFileBehindALinkIsSavedInPlace)
{
    const std::string utf8 =
        "\xEF\xBB\xBF[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=2\r\n"
        "isDebug=1\r\n[TEXTAREA1]\r\nx=0\r\ny=0\r\nwidth=64\r\nheight=16\r\n"
        "statictext=\\\xE4\xB8\xAD\r\n[TEXTAREA2]\r\nx=64\r\ny=32\r\nwidth=64\r\nheight=16\r\n"
        "statictext=\\CD\r\n";  // 中, CD
    ASSERT_TRUE(op.Prepare(SIGNBOARD_EXE, ""));
    const std::wstring kept = op.Folder() + L"\\kept";
    const std::wstring link = op.Folder() + L"\\setprams.ini";
    ASSERT_TRUE(CreateDirectoryW(kept.c_str(), nullptr));
    std::ofstream(std::filesystem::path(kept + L"\\setprams.ini"), std::ios::binary) << utf8;
    const std::string unixLink = UnixName(link);
    ASSERT_FALSE(unixLink.empty());
    ASSERT_TRUE(DeleteFileW(link.c_str()));
    ASSERT_TRUE(RunUnix(L"Z:\\bin\\ln -s kept/setprams.ini " + windrive::Wide(unixLink)));
    ASSERT_TRUE(windrive::WaitUntil([&] { return op.IniText() == utf8; }, 5000))
        << "no link made at " << unixLink;
    ASSERT_TRUE(op.LaunchPrepared());
    ASSERT_TRUE(OpenPortAndCount());

    ASSERT_EQ(op.Areas().size(), 2u);
    HWND chinese = AreaAt(0, 0);
    ASSERT_NE(chinese, nullptr);
    EXPECT_EQ(windrive::TextOf(chinese), "\xD6\xD0");
    HWND other = AreaAt(64, 32);
    ASSERT_NE(other, nullptr);
    op.ClickArea(other);
    op.ClickQuietly(sb::kDelete);
    ASSERT_TRUE(windrive::WaitUntil([&] { return op.Areas().size() == 1u; }, 5000));
    op.ClickQuietly(sb::kSaveAreas);
    EXPECT_TRUE(windrive::NoMessageBox(op.ProcessId(), 300));

    std::ifstream in(std::filesystem::path(kept + L"\\setprams.ini"), std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF") << saved;
    EXPECT_NE(saved.find("TEXTAREANUM=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("statictext=\\\xE4\xB8\xAD\r\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("[SYSTEM]"), saved.rfind("[SYSTEM]")) << saved;
    EXPECT_EQ(op.IniText(), saved);  // still the link

    op.Close();
    DeleteFileW((kept + L"\\setprams.ini").c_str());
    RemoveDirectoryW(kept.c_str());
}

}  // namespace
