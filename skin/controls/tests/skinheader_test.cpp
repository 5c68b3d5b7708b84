// Headers and list views: a header's items painted from the Headerbar strip
// by state (normal, under the mouse, pressed), the place of an item's image
// against its text, a skin without Headerbar leaving the header its own
// look, and a list view classified with its scroll bars covered and its
// header skinned.
#include "skin/controls/skinheader.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/guards.h"
#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/listprobes.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;
using test::TListViewProbe;

constexpr fw::TColor kImageColour = 0x0000FF;  // the image list's one image
constexpr int kHeaderHeight = 24;

std::string HeaderSkin()
{
    return test::TestSkin("[Headerbar]\r\nImage=header.bmp\r\n",
                          {{"header.bmp", test::StripBmp(5, 20, 20)}});
}

void AddItem(HWND header, int width, const wchar_t* text, int format = HDF_LEFT, int image = -1)
{
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = width;
    item.pszText = const_cast<wchar_t*>(text);
    item.fmt = format | HDF_STRING;
    if (image >= 0) {
        item.mask |= HDI_IMAGE;
        item.iImage = image;
        item.fmt |= HDF_IMAGE;
    }
    const auto count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    SendMessageW(header, HDM_INSERTITEMW, WPARAM(count), reinterpret_cast<LPARAM>(&item));
}

RECT ItemRect(HWND header, int index)
{
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

// An image list of one 16 x 16 image in kImageColour.
HIMAGELIST OneImageList()
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    {
        fw::TMemoryDC dc(nullptr);
        fw::TSelectObject select(dc.Handle(), image);
        const RECT all{0, 0, 16, 16};
        TSkinControl::FillSolidRect(dc.Handle(), all, kImageColour);
    }
    ImageList_Add(list, image, nullptr);
    DeleteObject(image);
    return list;
}

class HeaderTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(HeaderSkin());
    }
    HWND Header(int width) { return Raw(WC_HEADERW, HDS_HORZ | HDS_BUTTONS, width, kHeaderHeight); }
    TSkinHeader* Skin(HWND header)
    {
        auto* s = new TSkinHeader(nullptr);
        s->InitHandle(header, data.get(), &list, nullptr);
        return s;
    }
    void Send(HWND window, UINT msg, int x, int y)
    {
        SendMessageW(window, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
};

TEST_F(HeaderTest, ItemsTakeTheirFrameByState)
{
    HWND h = Header(200);
    AddItem(h, 60, L"One");
    AddItem(h, 80, L"Two");
    TSkinHeader* s = Skin(h);
    // Before the first paint there are no item rectangles to be hot in.
    Send(h, WM_MOUSEMOVE, 100, 10);
    EXPECT_EQ(s->HotItem, -1);

    // Near each item's right end (clear of its text) and right of the items.
    auto look = [&] {
        auto b = Render(s);
        return std::vector<fw::TColor>{PixelAt(b.get(), 57, 1), PixelAt(b.get(), 137, 1),
                                       PixelAt(b.get(), 190, 1), PixelAt(b.get(), 190, 22)};
    };
    const fw::TColor normal = FrameColour(1), hot = FrameColour(2);
    EXPECT_EQ(look(), (std::vector<fw::TColor>{normal, normal, normal, normal}));
    ASSERT_EQ(s->ItemRects.size(), 2u);
    EXPECT_EQ(s->ItemRects[1].left, 63);
    EXPECT_EQ(s->ItemRects[1].right, 137);

    Send(h, WM_MOUSEMOVE, 100, 10);
    EXPECT_EQ(s->HotItem, 1);
    EXPECT_EQ(look(), (std::vector<fw::TColor>{normal, hot, normal, normal}));
    // Pressed, the item keeps the look of the item under the mouse.
    Send(h, WM_LBUTTONDOWN, 100, 10);
    Send(h, WM_LBUTTONUP, 100, 10);
    EXPECT_EQ(s->HotItem, 1);
    EXPECT_EQ(look(), (std::vector<fw::TColor>{normal, hot, normal, normal}));
    // The gap of 3 pixels at an item's edge changes nothing.
    Send(h, WM_MOUSEMOVE, 61, 10);
    EXPECT_EQ(s->HotItem, 1);
    Send(h, WM_MOUSEMOVE, 20, 10);
    EXPECT_EQ(s->HotItem, 0);
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s->HotItem, -1);
    EXPECT_EQ(look(), (std::vector<fw::TColor>{normal, normal, normal, normal}));
}

TEST_F(HeaderTest, PaintAndEraseAreTheSkinners)
{
    HWND h = Header(120);
    AddItem(h, 50, L"One");
    Skin(h);
    auto b = test::Solid(120, kHeaderHeight, 0x000000);
    HDC dc = b->Canvas()->Handle();
    EXPECT_EQ(SendMessageW(h, WM_ERASEBKGND, WPARAM(dc), 0), 1);
    EXPECT_EQ(PixelAt(b.get(), 100, 10), 0x000000);
    SendMessageW(h, WM_PAINT, WPARAM(dc), 0);
    EXPECT_EQ(PixelAt(b.get(), 48, 1), FrameColour(1));
    EXPECT_EQ(PixelAt(b.get(), 100, 10), FrameColour(1));
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
}

TEST_F(HeaderTest, WithoutHeaderbarTheHeaderPaintsItself)
{
    LoadSkin(test::TestSkin());
    HWND h = Header(120);
    AddItem(h, 50, L"One");
    TSkinHeader* s = Skin(h);
    auto b = test::Solid(120, kHeaderHeight, 0x000000);
    s->PaintToDC(b->Canvas()->Handle());
    EXPECT_EQ(PixelAt(b.get(), 100, 10), 0x000000);  // the skinner draws nothing
    // The header's own painting, with its column, reaches the DC.
    SendMessageW(h, WM_PAINT, WPARAM(b->Canvas()->Handle()), 0);
    EXPECT_NE(PixelAt(b.get(), 25, 2), 0x000000);
}

TEST(HeaderText, AlignmentFromTheFormat)
{
    // Only the justify bits place the text: the flags beside them, in the
    // low byte or above it, leave the alignment as it is.
    const int justify[][2] = {{HDF_LEFT, 0}, {HDF_CENTER, 1}, {HDF_RIGHT, 2}};
    const int others[] = {0,
                          HDF_RTLREADING,
                          HDF_CHECKBOX,
                          HDF_CHECKED,
                          HDF_CHECKBOX | HDF_CHECKED,
                          HDF_RTLREADING | HDF_CHECKBOX | HDF_CHECKED,
                          HDF_STRING | HDF_IMAGE,
                          HDF_BITMAP_ON_RIGHT | HDF_SORTUP,
                          HDF_OWNERDRAW | HDF_SORTDOWN | HDF_SPLITBUTTON};
    for (const auto& [format, align] : justify)
        for (const int other : others)
            EXPECT_EQ(HeaderAlignment(format | other), align) << std::hex << (format | other);
    // Both justify bits name no alignment: left.
    EXPECT_EQ(HeaderAlignment(HDF_JUSTIFYMASK), 0);
    EXPECT_EQ(HeaderAlignment(HDF_JUSTIFYMASK | HDF_RTLREADING), 0);
}

TEST_F(HeaderTest, ImagePlacedAgainstItsText)
{
    const wchar_t* longText = L"A caption far too wide for its column";
    struct Case {
        int width, format;
        const wchar_t* text;
        int imageX;  // from the item's left; -1: no image
    } cases[] = {
        {60, HDF_LEFT, L"A", 3},
        {60, HDF_CENTER, longText, 1},
        {60, HDF_RIGHT, longText, 1},
        {12, HDF_LEFT, L"A", -1},  // icons wider than the item
        {60, HDF_LEFT, L"", -1},   // no text: only the background
        // Other flags of the format keep the item centred or right-aligned.
        {60, HDF_CENTER | HDF_CHECKBOX | HDF_CHECKED, longText, 1},
        {60, HDF_RIGHT | HDF_RTLREADING, longText, 1},
    };
    HIMAGELIST images = OneImageList();
    fw::TScopeExit destroy([&] { ImageList_Destroy(images); });
    HWND h = Header(400);
    SendMessageW(h, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    for (const Case& c : cases) AddItem(h, c.width, c.text, c.format, 0);
    auto b = Render(Skin(h));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RECT item = ItemRect(h, int(i));
        int found = -1;
        for (int x = item.left; x < item.right && found < 0; ++x)
            if (PixelAt(b.get(), x, kHeaderHeight / 2) == kImageColour) found = x - item.left;
        EXPECT_EQ(found, cases[i].imageX) << i;
        EXPECT_EQ(PixelAt(b.get(), item.right - 1, 1), FrameColour(1)) << i;
    }
}

TEST_F(HeaderTest, ListViewBarsCoveredAndHeaderSkinned)
{
    auto* view = Put<TListViewProbe>(10, 10, 200, 120);
    HWND v = view->Handle();
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 80;
    column.pszText = const_cast<wchar_t*>(L"Name");
    SendMessageW(v, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 40; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"item");
        SendMessageW(v, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    form->Show();
    TControlClassifier(list, data.get(), nullptr).SkinControl(view, form.get());
    auto* s = dynamic_cast<TSkinListView*>(list.FindByControl(view));
    ASSERT_NE(s, nullptr);
    Pump();

    ASSERT_TRUE(s->VertBar->Shown);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(v, OBJID_VSCROLL, &info));
    RECT over;
    GetWindowRect(s->VertBar->Handle(), &over);
    EXPECT_TRUE(EqualRect(&over, &info.rcScrollBar));

    HWND header = reinterpret_cast<HWND>(SendMessageW(v, LVM_GETHEADER, 0, 0));
    auto* hs = dynamic_cast<TSkinHeader*>(list.FindByHandle(header));
    ASSERT_NE(hs, nullptr);
    EXPECT_EQ(s->Header, hs);
    EXPECT_EQ(hs->Owner(), view);
    EXPECT_EQ(SendMessageW(header, WM_SKINQUERY, 0, 0), 1);
    RECT hr;
    GetWindowRect(header, &hr);
    auto b = Render(hs);
    EXPECT_EQ(PixelAt(b.get(), 77, 1), FrameColour(1));
    EXPECT_EQ(PixelAt(b.get(), hr.right - hr.left - 5, 1), FrameColour(1));

    // Freed with the list view, both skinners leave the form's list.
    view->Free();
    EXPECT_TRUE(list.SkinControls().empty());
}

}  // namespace
}  // namespace skin
