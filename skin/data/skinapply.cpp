// The skin ini schema: which section and key fill which skin object, in
// the order the objects are read, and the frame counts fixed afterwards.
#include "skin/data/skinapply.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>

#include "rtl/gbk.h"
#include "rtl/streams.h"
#include "rtl/textcase.h"
#include "skin/data/skincolours.h"
#include "skin/draw/imgutil.h"

namespace skin {

std::string SkinImageMember(std::string_view value)
{
    // The file name part: after the last backslash or colon that is a
    // character of its own (a GBK trail byte may be 5Ch).
    size_t start = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (rtl::IsGbkLeadByte(c) && i + 1 < value.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == ':') start = i + 1;
    }
    const std::string_view name = value.substr(start);
    const size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}

size_t LoadSkinBitmap(TBitmap& bitmap, const TSkinReader& reader, std::string_view value)
{
    bitmap.Assign(nullptr);
    const std::string member = SkinImageMember(value);
    if (member.empty()) return 0;
    const std::string_view bytes = reader.MemberBytes(member);
    if (bytes.empty()) return 0;
    try {
        bitmap.LoadFromMemory(bytes.data(), bytes.size());
    } catch (const fw::EOutOfResources&) {
        throw;
    } catch (const rtl::Exception&) {
        bitmap.Assign(nullptr);  // a damaged image is an empty one
    }
    return bytes.size();
}

namespace {

constexpr const char kPersonality[] = "Personality";

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

void AtLeastOne(int32_t& frames) { frames = std::max(frames, 1); }

// Raised inside a load whose images take more than kMaxSkinImageBytes.
struct TTooMuchImage {};

// The bytes of a bitmap's pixels, rows padded to 4 bytes.
int64_t PixelBytes(const TBitmap& bitmap)
{
    if (bitmap.Empty()) return 0;
    const int64_t row = (int64_t(bitmap.Width()) * bitmap.BitsPerPixel() + 31) / 32 * 4;
    return row * bitmap.Height();
}

class TSkinIniLoader {
public:
    TSkinIniLoader(TSkinContent& skin, const TQuickIni& ini, const TSkinReader& reader)
        : skin_(skin), ini_(ini), reader_(reader)
    {}

    void Run()
    {
        skin_.SkinName = Str("TitlebarSkin", "SkinName");
        ReadFrameParts();
        ReadColours(skin_, ini_);
        ReadTitleButtons();
        ReadButtons();
        ReadTitle();
        ReadProgressObject();
        skin_.ProgressChunk = ReadSkinObject("Progress.Chunk");
        ReadMenuBarObject();
        skin_.GroupBoxEdge = ReadSkinObject("GroupBoxEdge");
        ReadBoxLabel();
        skin_.Tabs = ReadSkinBorder("Tabs", "Border");
        skin_.StatusBarEdges = ReadSkinObject("StatusBarEdges");
        skin_.TabPane = ReadSkinObject("Tab.Pane");
        if (TDataSkinObject* pane = skin_.TabPane.get()) {
            for (int32_t* m :
                 {&pane->LeftWidth, &pane->TopHeight, &pane->RightWidth, &pane->BottomHeight})
                *m = std::min(*m, 4);
        }
        skin_.ToolBars = ReadSkinObject("ToolBars");
        skin_.ComboButton = ReadSkinBorder("ComboButton", "****");
        skin_.SunkEdge = ReadSkinObject("SunkEdge");
        skin_.ExtraImages = ReadSkinObject("ExtraImages");
        skin_.Headerbar = ReadSkinObject("Headerbar");
        skin_.MenuItem = ReadSkinObject("MenuItem");
        skin_.MenuBackground = ReadSkinObject("MenuBackground");
        skin_.Scrollbar = ReadSkinObject("Scrollbar");
        skin_.HorzScroll = ReadSkinObject("HorzScroll");
        skin_.VertScroll = ReadSkinObject("VertScroll");
        skin_.HorzScrollThumb = ReadSkinObject("HorzScrollThumb");
        skin_.VertScrollThumb = ReadSkinObject("VertScrollThumb");
        skin_.ThumbHorz = ReadSkinObject("Trackbar.ThumbHorz");
        skin_.ThumbVert = ReadSkinObject("Trackbar.ThumbVert");
        skin_.ThumbLeft = ReadSkinObject("Trackbar.ThumbLeft");
        skin_.ThumbRight = ReadSkinObject("Trackbar.ThumbRight");
        skin_.ThumbUp = ReadSkinObject("Trackbar.ThumbUp");
        skin_.ThumbDown = ReadSkinObject("Trackbar.ThumbDown");
        skin_.UpDownHorz = ReadSkinBorder("UpDown.Horz", "GlyphImage");
        skin_.UpDownVert = ReadSkinBorder("UpDown.Vert", "GlyphImage");
        skin_.Track = ReadSkinObject("Track");
        if (!skin_.Track) skin_.Track = TrackFromResource("TRACK");
        skin_.TrackVert = ReadSkinObject("TRACKVERT");
        if (!skin_.TrackVert) skin_.TrackVert = TrackFromResource("TRACKVERT");
        SetFrameCounts();
        // Only a combo box draws these: they are made when the first one
        // asks for them (WithComboParts).
        skin_.ComboPartsMade = false;
        BuildToolbarGradient(skin_);
        skin_.Colours[static_cast<size_t>(TColourSlot::Frame)] = GetFrameColour(skin_);
        skin_.ButtonFaceBrush.Reset(
            CreateSolidBrush(fw::ColorToRGB(skin_.Colour(TColourSlot::ButtonFace))));
    }

private:
    std::string Str(std::string_view section, std::string_view key) const
    {
        return ini_.ReadString(section, key, "");
    }
    int32_t Int(std::string_view section, std::string_view key, int32_t fallback) const
    {
        return ini_.ReadInteger(section, key, fallback);
    }
    void Image(TBitmap& bitmap, std::string_view section, std::string_view key)
    {
        Load(bitmap, Str(section, key));
    }
    // Every image of the load comes here, and is counted: the member bytes
    // read and the pixels kept. The image that takes the count past the
    // bound ends the load.
    void Load(TBitmap& bitmap, std::string_view value)
    {
        imageBytes_ += int64_t(LoadSkinBitmap(bitmap, reader_, value)) + PixelBytes(bitmap);
        if (imageBytes_ > kMaxSkinImageBytes) throw TTooMuchImage{};
    }
    TColor ButtonText() const { return skin_.Colour(TColourSlot::ButtonText); }

    // The keys every generic object has after its image.
    void ReadCommon(TDataSkinObject& o, std::string_view section, bool frameKey) const
    {
        o.Style = Int(section, "Style", 0);
        o.LeftWidth = Int(section, "LeftWidth", 0);
        o.RightWidth = Int(section, "RightWidth", 0);
        o.TopHeight = Int(section, "TopHeight", 0);
        o.BottomHeight = Int(section, "BottomHeight", 0);
        if (frameKey) o.Frame = Int(section, "Frame", 0);
        o.Trans = Int(section, "Trans", 0);
        o.Tile = Int(section, "Tile", 0);
        o.NormalColour = Int(section, "NormalColour", -1);
        o.MouseOverColour = Int(section, "MouseOverColour", -1);
        o.PressedColour = Int(section, "PressedColour", -1);
        o.NormalColour2 = ColourOrDefault(Str(section, "NormalColour2"), ButtonText());
        o.MouseOverColour2 = ColourOrDefault(Str(section, "MouseOverColour2"), ButtonText());
        o.PressedColour2 = ColourOrDefault(Str(section, "PressedColour2"), ButtonText());
        if (o.Tile > 1) o.Tile = 0;
    }

    // An object that exists only when its section gives an image.
    template <class T>
    std::unique_ptr<T> Make(std::string_view section, std::string_view imageKey)
    {
        const std::string value = Str(section, imageKey);
        if (value.empty()) return nullptr;
        auto o = std::make_unique<T>(std::string(section));
        Load(*o->Image, value);
        return o;
    }

    std::unique_ptr<TDataSkinObject> ReadSkinObject(std::string_view section)
    {
        auto o = Make<TDataSkinObject>(section, "Image");
        if (o) ReadCommon(*o, section, true);
        return o;
    }

    std::unique_ptr<TDataSkinBorder> ReadSkinBorder(std::string_view section,
                                                    std::string_view secondKey)
    {
        auto o = Make<TDataSkinBorder>(section, "Image");
        if (!o) return o;
        ReadCommon(*o, section, false);
        const std::string second = Str(section, secondKey);
        if (!second.empty()) Load(*o->Image2, second);
        return o;
    }

    void ReadBoxLabel()
    {
        skin_.GroupBox = Make<TDataSkinBoxLabel>("GroupBox", "Image");
        if (TDataSkinBoxLabel* o = skin_.GroupBox.get()) {
            ReadCommon(*o, "GroupBox", false);
            o->BackgroundAlignment = Int("GroupBox", "BackgroundAlignment", 0);
            o->BackgroundLeftShift = Int("GroupBox", "BackgroundLeftShift", 0);
            o->BackgroundRightShift = Int("GroupBox", "BackgroundRightShift", 0);
        }
    }

    void ReadProgressObject()
    {
        skin_.Progress = Make<TDataSkinBorder>("Progress", "Bitmap");
        if (TDataSkinBorder* o = skin_.Progress.get()) {
            o->Style = Int("Progress", "Style", 0);
            o->LeftWidth = Int("Progress", "LeftWidth", 0);
            o->RightWidth = Int("Progress", "RightWidth", 0);
            o->TopHeight = Int("Progress", "TopHeight", 0);
            o->BottomHeight = Int("Progress", "BottomHeight", 0);
            o->Trans = Int("Progress", "Trans", 0);
            o->Tile = std::min(Int("Progress", "Tile", 0), 1);
        }
    }

    void ReadMenuBarObject()
    {
        skin_.MenuBar = Make<TDataSkinObject>(kPersonality, "menuBar");
        if (TDataSkinObject* o = skin_.MenuBar.get()) {
            o->TopHeight = 0;
            o->BottomHeight = 0;
            o->Tile = std::min(Int(kPersonality, "TileMenu", 1), 1);
            o->LeftWidth = Int(kPersonality, "TileLeftMenu", 1);
            o->RightWidth = Int(kPersonality, "TileRightMenu", 1);
        }
    }

    // Left, Right, Top, Bottom from [Personality]: the two height keys are
    // the fixed ends along the piece's length.
    void ReadFrameParts()
    {
        const std::pair<TDataSkinBorder*, const char*> parts[] = {{skin_.Left.get(), "Left"},
                                                                  {skin_.Right.get(), "Right"},
                                                                  {skin_.Top.get(), "Top"},
                                                                  {skin_.Bottom.get(), "Bottom"}};
        for (const auto& [o, p] : parts) {
            const std::string stem = p;
            const int32_t first = Int(kPersonality, stem + "TopHeight", 0);
            const int32_t last = Int(kPersonality, stem + "BotHeight", 0);
            const bool across = o == skin_.Left.get() || o == skin_.Right.get();
            o->TopHeight = across ? first : 0;
            o->BottomHeight = across ? last : 0;
            o->LeftWidth = across ? 0 : first;
            o->RightWidth = across ? 0 : last;
            o->Frame = Int(kPersonality, stem + "Frame", 1);
            o->Tile = std::min(Int(kPersonality, stem + "Stretch", 1), 1);
            o->Trans = Int(kPersonality, stem + "Trans", 1);
            Image(*o->Image, kPersonality, stem);
        }
    }

    void ReadButtons()
    {
        TDataSkinButton& b = *skin_.Buttons;
        const char* s = "Buttons";
        b.LeftWidth = Int(s, "LeftWidth", 0);
        b.RightWidth = Int(s, "RightWidth", 0);
        b.TopHeight = Int(s, "TopHeight", 0);
        b.BottomHeight = Int(s, "BottomHeight", 0);
        b.Trans = Int(s, "Trans", 0);
        Image(*b.Image, s, "Bitmap");
        b.Tile = Int(s, "Tile", 0);
        Image(*b.CheckImage, s, "CheckButton");
        Image(*b.RadioImage, s, "RadioButton");
        b.NormalColour = Int(s, "NormalColour", -1);
        b.MouseOverColour = Int(s, "MouseOverColour", -1);
        b.PressedColour = Int(s, "PressedColour", -1);
        b.RadioFrame = Int(s, "RadioButtonFrame", 0);
        b.CheckFrame = Int(s, "CheckButtonFrame", 0);
        if (b.Tile > 1) b.Tile = 0;
        const std::string normal = Str(s, "NormalColour2"), over = Str(s, "MouseOverColour2"),
                          pressed = Str(s, "PressedColour2");
        b.NormalColour2Given = !normal.empty();
        b.MouseOverColour2Given = !over.empty();
        b.PressedColour2Given = !pressed.empty();
        b.NormalColour2 = ColourOrDefault(normal, ButtonText());
        b.MouseOverColour2 = ColourOrDefault(over, ButtonText());
        b.PressedColour2 = ColourOrDefault(pressed, ButtonText());
    }

    void ReadTitle()
    {
        TDataSkinTitle& t = *skin_.Title;
        Image(*t.Image, kPersonality, "TextBack");
        t.LeftWidth = Int(kPersonality, "TextShift", 0);
        t.TopHeight = Int(kPersonality, "TextShiftVert", 0);
        t.RightWidth = Int(kPersonality, "TextRightClip", 0);
        t.BottomHeight = 0;
        t.TextAlignment = Int(kPersonality, "TextAlignment", 0);
        t.Textbackground = Int(kPersonality, "Textbackground", 0);
        t.FontHeight = Int("Fonts", "FontHeight", 14);
        t.TXTBackleft = Int(kPersonality, "TXTBackleft", 0);
        t.TXTBackRight = Int(kPersonality, "TXTBackRight", 0);
        t.ActiveColour = fw::clNone;
        ReadRGBKeys(ini_, kPersonality, "ActiveText", t.ActiveColour);
        t.InactiveColour = fw::clNone;
        ReadRGBKeys(ini_, kPersonality, "InActiveText", t.InactiveColour);
    }

    // Every BUTTON* section that is a caption button, then the three MDI
    // child buttons.
    void ReadTitleButtons()
    {
        skin_.SysButtons.clear();
        std::vector<std::string> kept;
        for (const std::string& s : ini_.ReadSections()) {
            const std::string up = rtl::UpperCase(s);
            if (!StartsWith(up, "BUTTON") || up == "BUTTON" || up == "BUTTONS" ||
                up == "BUTTON.RADIO" || up == "BUTTON.CHECKBOX")
                continue;
            if (Int(s, "Action", 0) == -1 && Int(s, "Visibility", -1) != 0) continue;
            kept.push_back(s);
        }
        bool recorded = false;
        int32_t recordedX = 0, recordedY = 0;
        for (const std::string& s : kept) {
            auto b = std::make_unique<TDataSkinSysButton>(rtl::UpperCase(s));
            b->Action = Int(s, "Action", 0);
            b->Align = Int(s, "Align", 0);
            b->Xcoord = Int(s, "Xcoord", 0);
            b->Ycoord = Int(s, "Ycoord", 0);
            b->Visibility = Int(s, "Visibility", 0);
            b->Visibility1 = Int(s, "Visibility1", b->Action == -1 ? -1 : 0);
            if (b->Action == 1 && b->Visibility == 2) {
                recorded = true;
                recordedX = b->Xcoord;
                recordedY = b->Ycoord;
            } else if (b->Action == 4 && recorded) {
                b->Xcoord = recordedX;
                b->Ycoord = recordedY;
            }
            b->CombineOp = Int(s, "CombineOp", -1);
            // A negative count is no count: it gets the count of a missing key.
            b->Frame = std::max(Int(s, "frame", 0), 0);
            Image(*b->Image, s, "ButtonImage");
            if (b->Frame == 0) {
                b->Frame = 6;
                const TBitmap& img = *b->Image;
                if (!img.Empty())
                    b->Frame = double(img.Width()) / double(img.Height()) <= 3.8 ? 3 : 6;
                if (b->Action < 0) b->Frame = 6;
                if (b->Action == 3 || b->Action == 11) b->Image->Assign(nullptr);
            }
            skin_.SysButtons.push_back(std::move(b));
        }
        const size_t n = skin_.SysButtons.size();
        const char* mdiNames[] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
        for (int i = 0; i < 3; ++i) {
            auto b = std::make_unique<TDataSkinSysButton>(mdiNames[i]);
            b->Action = 7 + i;
            b->Align = b->Visibility = b->Visibility1 = 100;
            b->Frame = 4;
            skin_.SysButtons.push_back(std::move(b));
        }
        ReadMdiButtons(n);
    }

    // [MDICONTROLS] Image: 12 frames, four for each MDI child button.
    void ReadMdiButtons(size_t first)
    {
        TBitmap strip;
        Image(strip, "MDICONTROLS", "Image");
        if (strip.Empty()) return;
        const int w = strip.Width() / 12, h = strip.Height();
        for (int i = 0; i < 3; ++i) {
            TDataSkinSysButton& b = *skin_.SysButtons[first + static_cast<size_t>(i)];
            b.Xcoord = (w + 4) * (3 - i);
            if (w == 0) continue;
            b.Image->SetPixelFormat(fw::pf24bit);
            b.Image->SetSize(4 * w, h);
            // A 24-bit strip's rows are copied as they are.
            if (strip.PixelFormat() == fw::pf24bit) {
                for (int y = 0; y < h; ++y)
                    std::memcpy(b.Image->ScanLine(y), strip.ScanLine(y) + size_t(12 * i * w),
                                size_t(12 * w));
                continue;
            }
            BitBlt(b.Image->Canvas()->Handle(), 0, 0, 4 * w, h, strip.Canvas()->Handle(), 4 * i * w,
                   0, SRCCOPY);
        }
    }

    // The track pictures the program carries, for skins without them.
    static std::unique_ptr<TDataSkinObject> TrackFromResource(const char* name)
    {
        auto o = std::make_unique<TDataSkinObject>(name);
        try {
            o->Image->LoadFromResourceName(GetModuleHandleW(nullptr), name);
        } catch (const rtl::Exception&) {
            o->Image->Assign(nullptr);
        }
        o->LeftWidth = o->TopHeight = o->RightWidth = o->BottomHeight = 3;
        o->Tile = 0;
        o->Frame = 1;
        return o;
    }

    // Fixed frame counts; every other count is kept from the ini but never
    // below 1.
    void SetFrameCounts()
    {
        TSkinContent& s = skin_;
        s.Buttons->Frame = 5;
        auto strip = [](int32_t& count, const TBitmap& image) {
            if (count > 0) return;
            count = std::max(image.Height() < 16 ? image.Width() / 13 : image.Width() / 16, 4);
        };
        strip(s.Buttons->RadioFrame, *s.Buttons->RadioImage);
        strip(s.Buttons->CheckFrame, *s.Buttons->CheckImage);
        s.Title->Frame = 2;
        if (s.Progress) s.Progress->Frame = s.Progress->Style != 0 ? 1 : 2;
        const std::pair<TDataSkinObject*, int32_t> fixed[] = {
            {s.MenuBar.get(), 2},        {s.GroupBoxEdge.get(), 2}, {s.Toolbar.get(), 1},
            {s.ToolBars.get(), 5},       {s.Tabs.get(), 5},         {s.TabPane.get(), 1},
            {s.StatusBarEdges.get(), 3}, {s.GroupBox.get(), 1},     {s.ComboButton.get(), 4},
            {s.SunkEdge.get(), 4},       {s.ExtraImages.get(), 5},  {s.MenuItem.get(), 5},
            {s.MenuBackground.get(), 1}, {s.Scrollbar.get(), 23},   {s.HorzScroll.get(), 4},
            {s.VertScroll.get(), 4},     {s.UpDownHorz.get(), 8},   {s.UpDownVert.get(), 8},
            {s.ThumbHorz.get(), 5},      {s.ThumbVert.get(), 5},    {s.ThumbLeft.get(), 5},
            {s.ThumbRight.get(), 5},     {s.ThumbUp.get(), 5},      {s.ThumbDown.get(), 5},
        };
        for (const auto& [o, frames] : fixed)
            if (o) o->Frame = frames;
        if (s.Headerbar && s.Headerbar->Frame <= 0) s.Headerbar->Frame = 5;
        if (s.HorzScrollThumb) s.HorzScrollThumb->Frame = Int("HorzScrollThumb", "FrameCount", 3);
        if (s.VertScrollThumb) s.VertScrollThumb->Frame = Int("VertScrollThumb", "FrameCount", 3);
        for (TDataSkinObject* o :
             {static_cast<TDataSkinObject*>(s.Left.get()),
              static_cast<TDataSkinObject*>(s.Right.get()),
              static_cast<TDataSkinObject*>(s.Top.get()),
              static_cast<TDataSkinObject*>(s.Bottom.get()), s.ProgressChunk.get(), s.Track.get(),
              s.TrackVert.get(), s.Headerbar.get(), s.HorzScrollThumb.get(),
              s.VertScrollThumb.get()})
            if (o) AtLeastOne(o->Frame);
        for (auto& b : s.SysButtons) AtLeastOne(b->Frame);
    }

    TSkinContent& skin_;
    const TQuickIni& ini_;
    const TSkinReader& reader_;
    int64_t imageBytes_ = 0;
};

}  // namespace

bool ApplySkinIni(TSkinContent& skin, const TQuickIni& ini, const TSkinReader& reader)
{
    try {
        TSkinIniLoader(skin, ini, reader).Run();
        return true;
    } catch (const TTooMuchImage&) {
    } catch (const std::bad_alloc&) {
    } catch (const fw::EOutOfResources&) {}
    return false;
}

}  // namespace skin
