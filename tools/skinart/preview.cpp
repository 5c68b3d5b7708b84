// A mock screen composed of the skin's images the way the engine slices
// them (fixed margins, stretched middles, magenta let through): an active
// window with a menu bar and one of each control, an inactive window and
// an open popup menu. Text is left to whoever looks at it.
#include <stdexcept>

#include "tools/skinart/geometry.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

struct TMargins {
    int l = 0, t = 0, r = 0, b = 0;
};

class TPreview {
public:
    explicit TPreview(const std::vector<TArtImage>& art)
        : art_(art), screen_(660, 430, Hex(0x6F7F8F))
    {}

    const TRaster& Image(const std::string& name) const
    {
        for (const TArtImage& a : art_)
            if (a.name == name) return a.image;
        throw std::invalid_argument("no image " + name);
    }

    // Frame `index` (1-based) of a strip of `count` frames, sliced into r.
    void Slice(const std::string& name, int count, int index, bool vertical, TRect r, TMargins m,
               bool transparent = true)
    {
        const TRaster& strip = Image(name);
        const int fw = vertical ? strip.Width() : strip.Width() / count;
        const int fh = vertical ? strip.Height() / count : strip.Height();
        const int fx = vertical ? 0 : (index - 1) * fw, fy = vertical ? (index - 1) * fh : 0;
        if (r.w < m.l + m.r) m.l = m.r = 0;
        if (r.h < m.t + m.b) m.t = m.b = 0;
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                const TRgb c =
                    strip.Get(fx + Map(x, r.w, fw, m.l, m.r), fy + Map(y, r.h, fh, m.t, m.b));
                if (!transparent || c != kMagenta) screen_.Set(r.x + x, r.y + y, c);
            }
    }

    // Frame `index` at its own size, centred in r.
    void Centre(const std::string& name, int count, int index, TRect r)
    {
        const TRaster& strip = Image(name);
        const int fw = strip.Width() / count, fh = strip.Height();
        Slice(name, count, index, false, {r.x + (r.w - fw) / 2, r.y + (r.h - fh) / 2, fw, fh}, {});
    }

    void Fill(TRect r, TRgb c) { screen_.Fill(r, c); }

    void Window(TRect r, bool active, bool menuBar, int hotButton)
    {
        using namespace geo;
        const int look = active ? 1 : 2;
        Slice("left.bmp", 2, look, false, {r.x, r.y, kBorder, r.h}, {0, kCaption, 0, kBorder});
        Slice("right.bmp", 2, look, false, {r.x + r.w - kBorder, r.y, kBorder, r.h},
              {0, kCaption, 0, kBorder});
        Slice("bottom.bmp", 2, look, true,
              {r.x + kBorder, r.y + r.h - kBorder, r.w - 2 * kBorder, kBorder}, {});
        Slice("top.bmp", 2, look, true, {r.x + kBorder, r.y, r.w - 2 * kBorder, kCaption},
              {kTopEnd, 0, kTopEnd, 0});
        const char* buttons[] = {"close.bmp", "maximize.bmp", "minimize.bmp"};
        for (int i = 0; i < 3; ++i) {
            const int frame = !active ? 4 : hotButton == i ? 3 : 1;
            Slice(buttons[i], 4, frame, false,
                  {r.x + r.w - (36 + 32 * i), r.y + kCapButtonY, kCapButtonW, kCapButtonH}, {});
        }
        int top = r.y + kCaption;
        if (menuBar) {
            Slice("menubar.bmp", 2, look, true, {r.x + kBorder, top, r.w - 2 * kBorder, 19},
                  {2, 0, 2, 0}, false);
            top += 19;
        }
        client_ = {r.x + kBorder, top, r.w - 2 * kBorder, r.y + r.h - kBorder - top};
    }

    TRect Client() const { return client_; }

    void Combo(TRect r, int state)
    {
        Slice("sunkedge.bmp", 4, state, false, r, {2, 2, 2, 2});
        const TRect button{r.x + r.w - 19, r.y, 19, r.h};
        Slice("combobutton.bmp", 4, state, false, button, {1, 1, 1, 1});
        Centre("extraimages.bmp", 5, state, button);
    }

    void VerticalScrollBar(TRect r, int thumbStart, int thumbEnd, int hotPart)
    {
        const int a = geo::kScroll;
        Slice("vertscroll.bmp", 4, 1, false, {r.x, r.y + a, r.w, r.h - 2 * a}, {});
        Slice("scrollbar.bmp", 23, hotPart == 0 ? 12 : 9, false, {r.x, r.y, r.w, a}, {});
        Slice("scrollbar.bmp", 23, 13, false, {r.x, r.y + r.h - a, r.w, a}, {});
        const int thumb = hotPart == 5 ? 3 : 1;
        Slice("vertthumb.bmp", 3, thumb, false, {r.x, r.y + thumbStart, r.w, thumbEnd - thumbStart},
              {0, 6, 0, 6});
        const int off = (thumbEnd - thumbStart - a) / 2;
        Slice("scrollbar.bmp", 23, hotPart == 5 ? 22 : 20, false,
              {r.x, r.y + thumbStart + off, r.w, a}, {});
    }

    void HorizontalScrollBar(TRect r, int thumbStart, int thumbEnd)
    {
        const int a = geo::kScroll;
        Slice("horzscroll.bmp", 4, 1, false, {r.x + a, r.y, r.w - 2 * a, r.h}, {});
        Slice("scrollbar.bmp", 23, 1, false, {r.x, r.y, a, r.h}, {});
        Slice("scrollbar.bmp", 23, 5, false, {r.x + r.w - a, r.y, a, r.h}, {});
        Slice("horzthumb.bmp", 3, 1, false, {r.x + thumbStart, r.y, thumbEnd - thumbStart, r.h},
              {6, 0, 6, 0});
        const int off = (thumbEnd - thumbStart - a) / 2;
        Slice("scrollbar.bmp", 23, 17, false, {r.x + thumbStart + off, r.y, a, r.h}, {});
    }

    void Progress(TRect r, int percent)
    {
        Slice("progress.bmp", 2, 1, false, r, {3, 3, 3, 3});
        Slice("progress.bmp", 2, 2, false, {r.x, r.y, r.w * percent / 100, r.h}, {3, 3, 3, 3});
    }

    void UpDown(TRect r, int hotHalf)
    {
        const int half = r.h / 2;
        const TRect up{r.x, r.y, r.w, half}, down{r.x, r.y + half, r.w, r.h - half};
        Slice("updownv.bmp", 8, hotHalf == 0 ? 4 : 1, false, up, {});
        Slice("updownv.bmp", 8, hotHalf == 1 ? 8 : 5, false, down, {});
        Centre("updownvglyph.bmp", 8, hotHalf == 0 ? 4 : 1, up);
        Centre("updownvglyph.bmp", 8, hotHalf == 1 ? 8 : 5, down);
    }

    const TRaster& Screen() const { return screen_; }

private:
    // Source offset of destination offset d along one axis: the fixed
    // ends copied, the middle stretched to the nearest pixel.
    static int Map(int d, int dlen, int slen, int a, int b)
    {
        if (d < a) return d;
        if (d >= dlen - b) return slen - (dlen - d);
        const int dm = dlen - a - b, sm = slen - a - b;
        return dm <= 0 || sm <= 0 ? a : a + (d - a) * sm / dm;
    }

    const std::vector<TArtImage>& art_;
    TRaster screen_;
    TRect client_;
};

}  // namespace

TRaster ComposePreview(const std::vector<TArtImage>& art)
{
    TPreview p(art);
    const TRgb face = p.Image("tabpane.bmp").Get(5, 5);

    // Inactive window behind, then the active one.
    p.Window({300, 12, 340, 150}, false, false, -1);
    p.Fill(p.Client(), face);
    p.Window({20, 40, 470, 370}, true, true, 0);
    const TRect c = p.Client();
    p.Fill(c, face);

    // Push buttons: normal, hot, pressed, disabled, focused.
    const int frames[] = {1, 4, 2, 3, 5};
    for (int i = 0; i < 5; ++i)
        p.Slice("buttons.bmp", 5, frames[i], false, {c.x + 12 + 86 * i, c.y + 12, 78, 25},
                {4, 4, 4, 4});
    // Check boxes and radio buttons, frames 1 to 4.
    for (int i = 0; i < 4; ++i) {
        p.Slice("checkbox.bmp", 4, i + 1, false, {c.x + 12 + 100 * i, c.y + 50, 13, 13}, {});
        p.Slice("radio.bmp", 4, i + 1, false, {c.x + 12 + 100 * i, c.y + 72, 13, 13}, {});
    }
    p.Combo({c.x + 12, c.y + 96, 150, 21}, 1);
    p.Combo({c.x + 172, c.y + 96, 150, 21}, 4);
    p.Progress({c.x + 12, c.y + 128, 250, 16}, 60);
    // Tabs over their pane.
    const int tabTop = c.y + 156;
    p.Slice("tabpane.bmp", 1, 1, false, {c.x + 12, tabTop + 22, 300, 70}, {4, 5, 4, 4}, false);
    const int tabW[] = {70, 70, 70};
    for (int i = 0, x = c.x + 14; i < 3; x += tabW[i], ++i)
        p.Slice("tabs.bmp", 5, i == 0 ? 2 : 1, false,
                {x, tabTop + (i == 0 ? 0 : 2), tabW[i], i == 0 ? 23 : 21}, {4, 4, 4, 2});
    // Track bar and up-down.
    p.Slice("track.bmp", 1, 1, false, {c.x + 20, c.y + 268, 200, 4}, {3, 0, 3, 0}, false);
    p.Slice("trackthumbh.bmp", 5, 2, false, {c.x + 90, c.y + 259, 11, 21}, {});
    p.Combo({c.x + 240, c.y + 260, 60, 21}, 1);
    p.UpDown({c.x + 300, c.y + 260, 16, 21}, 0);
    // Header bar, a list frame with both scroll bars.
    const TRect list{c.x + 330, c.y + 50, 120, 190};
    p.Slice("sunkedge.bmp", 4, 1, false, list, {2, 2, 2, 2});
    for (int i = 0; i < 2; ++i)
        p.Slice("headerbar.bmp", 5, i == 1 ? 2 : 1, false,
                {list.x + 1 + 50 * i, list.y + 1, 50, 22}, {2, 2, 2, 2});
    p.Slice("headerbar.bmp", 5, 1, false, {list.x + 101, list.y + 1, list.w - 102 - 17, 22},
            {2, 2, 2, 2});
    p.VerticalScrollBar({list.x + list.w - 18, list.y + 1, 17, list.h - 19}, 40, 90, 5);
    p.HorizontalScrollBar({list.x + 1, list.y + list.h - 18, list.w - 19, 17}, 20, 60);
    // Status bar with a size grip.
    const TRect bar{c.x, c.y + c.h - 20, c.w, 20};
    p.Slice("statusbar.bmp", 3, 1, false, {bar.x, bar.y, 200, bar.h}, {2, 2, 2, 2}, false);
    p.Slice("statusbar.bmp", 3, 1, false, {bar.x + 200, bar.y, bar.w - 200, bar.h}, {2, 2, 2, 2},
            false);
    p.Slice("extraimages.bmp", 5, 5, false, {bar.x + bar.w - 13, bar.y + bar.h - 13, 12, 12}, {});
    // An open popup menu: an item, the selected item, a separator, an item.
    const TRect menu{500, 220, 140, 80};
    p.Slice("menubackground.bmp", 1, 1, false, menu, {3, 3, 3, 3}, false);
    const int itemH[] = {20, 20, 9, 20};
    const int itemFrame[] = {1, 4, 2, 1};
    for (int i = 0, y = menu.y + 3; i < 4; y += itemH[i], ++i)
        // A separator is cut from the bottom rows of its frame.
        p.Slice("menuitem.bmp", 5, itemFrame[i], false, {menu.x + 3, y, menu.w - 6, itemH[i]},
                itemFrame[i] == 2 ? TMargins{3, 0, 3, itemH[i]} : TMargins{3, 3, 3, 3});
    return p.Screen();
}

}  // namespace skinart
