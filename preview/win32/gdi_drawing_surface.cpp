#include "preview/win32/gdi_drawing_surface.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <new>
#include <stdexcept>

namespace VexoFade {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// More fonts than a preview meets are dropped rather than kept: each is a GDI
// object, and a process has only some thousands of those.
constexpr std::size_t kMaxFonts = 64;
// Texts other than single ASCII characters remembered per font.
constexpr std::size_t kMaxRememberedTexts = 4096;
// How far around its line box a text's ink is looked for, at most.
constexpr int kMaxInkMargin = 2048;

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

// 0x00BBGGRR as the DIB's 0x00RRGGBB, and back (the swap is its own inverse).
std::uint32_t SwapRedBlue(std::uint32_t color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// Nearest whole number, ties to even, held inside the range GDI can take.
int RoundToInt(double value) {
    constexpr double kLimit = 1 << 29;
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

RECT Moved(const RECT& box, int dx, int dy) {
    return RECT{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

// A memory DC with a 32-bit top-down DIB section selected into it.
class GdiDrawingSurface::Bitmap {
public:
    // Nothing when the size is below 1 x 1 or there is no memory for it.
    static std::unique_ptr<Bitmap> Make(int width, int height) {
        if (width < 1 || height < 1 || width > INT_MAX / 4 / height) {
            return nullptr;
        }
        auto made = std::unique_ptr<Bitmap>(new Bitmap);
        made->dc = CreateCompatibleDC(nullptr);
        if (made->dc == nullptr) {
            return nullptr;
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        made->bitmap = CreateDIBSection(made->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (made->bitmap == nullptr || bits == nullptr) {
            return nullptr;
        }
        made->bits = static_cast<std::uint32_t*>(bits);
        made->width = width;
        made->height = height;
        made->originalBitmap = SelectObject(made->dc, made->bitmap);
        made->originalFont = GetCurrentObject(made->dc, OBJ_FONT);
        SetBkMode(made->dc, TRANSPARENT);
        SetTextAlign(made->dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        return made;
    }

    ~Bitmap() {
        if (originalBitmap != nullptr) {
            SelectObject(dc, originalFont);
            SelectObject(dc, originalBitmap);
        }
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        if (dc != nullptr) {
            DeleteDC(dc);
        }
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Fills every pixel with a 0x00RRGGBB value.
    void Fill(std::uint32_t value) {
        GdiFlush();
        std::fill(bits, bits + static_cast<std::ptrdiff_t>(width) * height, value);
    }

    // Gives the DC its own font back, so that fonts can be deleted.
    void ReleaseFont() { SelectObject(dc, originalFont); }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ originalBitmap = nullptr;
    HGDIOBJ originalFont = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

private:
    Bitmap() = default;
};

// What one printed text takes: its advance, and the box of its ink relative
// to the top-left corner of its line box (empty when it has none).
struct GdiDrawingSurface::Glyphs {
    int advance = -1; // below 0: not measured yet
    RECT ink{};
};

// One font as created on this surface, with what has been measured in it.
struct GdiDrawingSurface::Font {
    explicit Font(HFONT made) : handle(made) {}
    ~Font() { DeleteObject(handle); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT handle;
    int lineHeight = 0;
    std::array<Glyphs, 128> ascii;
    std::map<std::u16string, Glyphs, std::less<>> other;
};

GdiDrawingSurface::GdiDrawingSurface(int width, int height, int dpi, COLORREF background)
    : dpi_(dpi), background_(background & 0xFFFFFF) {
    if (width < 1 || height < 1 || dpi < 1) {
        throw std::invalid_argument("a drawing surface needs a size of at least 1 x 1 and a DPI");
    }
    picture_ = Bitmap::Make(width, height);
    if (!picture_) {
        throw std::bad_alloc();
    }
    picture_->Fill(SwapRedBlue(background_));
    font_.lfHeight = -RoundToInt(10.0 * dpi_ / 72.0);
    font_.lfWeight = FW_NORMAL;
    font_.lfCharSet = DEFAULT_CHARSET;
    font_.lfOutPrecision = OUT_TT_PRECIS;
    font_.lfQuality = ANTIALIASED_QUALITY;
    SetFontName(u"Arial");
}

GdiDrawingSurface::~GdiDrawingSurface() {
    // The DCs go first: a font is not deleted while a DC holds it.
    picture_.reset();
    scratch_.reset();
}

int GdiDrawingSurface::width() const {
    return picture_->width;
}

int GdiDrawingSurface::height() const {
    return picture_->height;
}

HDC GdiDrawingSurface::dc() const {
    return picture_->dc;
}

HBITMAP GdiDrawingSurface::bitmap() const {
    return picture_->bitmap;
}

bool GdiDrawingSurface::Paint(HDC target, int x, int y) const {
    return BitBlt(target, x, y, picture_->width, picture_->height, picture_->dc, 0, 0, SRCCOPY) !=
           0;
}

COLORREF GdiDrawingSurface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= picture_->width || y >= picture_->height) {
        return CLR_INVALID;
    }
    GdiFlush();
    return SwapRedBlue(picture_->bits[static_cast<std::ptrdiff_t>(y) * picture_->width + x] &
                       0xFFFFFFu);
}

const std::uint32_t* GdiDrawingSurface::Bits() const {
    GdiFlush();
    return picture_->bits;
}

bool GdiDrawingSurface::Resize(int width, int height) {
    std::unique_ptr<Bitmap> made = Bitmap::Make(width, height);
    if (!made) {
        return false;
    }
    picture_ = std::move(made);
    selected_ = nullptr;
    Cls();
    return true;
}

void GdiDrawingSurface::Cls() {
    picture_->Fill(SwapRedBlue(background_));
    drawnRight_ = 0;
    drawnBottom_ = 0;
}

SIZE GdiDrawingSurface::DrawnExtent() const {
    return SIZE{drawnRight_, drawnBottom_};
}

void GdiDrawingSurface::SetFontName(std::u16string_view name) {
    if (name.ends_with(u'"')) {
        name.remove_suffix(1);
    }
    if (name.empty()) {
        return;
    }
    // A name GDI cannot hold whole (or one with a NUL in it) names no font;
    // cut short it might name another, so the font mapper chooses instead.
    const bool fits = name.size() < LF_FACESIZE && name.find(u'\0') == std::u16string_view::npos;
    const std::u16string_view kept = fits ? name : std::u16string_view();
    std::copy(kept.begin(), kept.end(), font_.lfFaceName);
    font_.lfFaceName[kept.size()] = L'\0';
    FontChanged();
}

void GdiDrawingSurface::SetFontSize(float points) {
    if (points > 0.0f && std::isfinite(points)) {
        // At least one pixel: a height of 0 would ask GDI for its default size.
        font_.lfHeight = -std::max(1, RoundToInt(static_cast<double>(points) * dpi_ / 72.0));
        FontChanged();
    }
}

void GdiDrawingSurface::SetFontBold(bool on) {
    font_.lfWeight = on ? FW_BOLD : FW_NORMAL;
    FontChanged();
}

void GdiDrawingSurface::SetFontItalic(bool on) {
    font_.lfItalic = static_cast<BYTE>(on);
    FontChanged();
}

void GdiDrawingSurface::SetFontUnderline(bool on) {
    font_.lfUnderline = static_cast<BYTE>(on);
    FontChanged();
}

void GdiDrawingSurface::SetFontStrikethru(bool on) {
    font_.lfStrikeOut = static_cast<BYTE>(on);
    FontChanged();
}

void GdiDrawingSurface::SetForeColor(VexoFade::RgbColor color) {
    fore_ = static_cast<COLORREF>(color) & 0xFFFFFFu;
}

GdiDrawingSurface::Font& GdiDrawingSurface::CurrentFont() {
    if (current_ != nullptr) {
        return *current_;
    }
    std::wstring key(font_.lfFaceName);
    key += {L'\0',
            static_cast<wchar_t>(font_.lfHeight & 0xFFFF),
            static_cast<wchar_t>(font_.lfHeight >> 16),
            static_cast<wchar_t>(font_.lfWeight),
            static_cast<wchar_t>(font_.lfItalic),
            static_cast<wchar_t>(font_.lfUnderline),
            static_cast<wchar_t>(font_.lfStrikeOut)};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        if (fonts_.size() >= kMaxFonts) {
            picture_->ReleaseFont();
            if (scratch_) {
                scratch_->ReleaseFont();
            }
            selected_ = nullptr;
            fonts_.clear();
        }
        const HFONT handle = CreateFontIndirectW(&font_);
        if (handle == nullptr) {
            throw std::runtime_error("the font could not be made (GDI has no room for it)");
        }
        found = fonts_.emplace(std::move(key), std::make_unique<Font>(handle)).first;
        Font& made = *found->second;
        const HGDIOBJ before = SelectObject(picture_->dc, made.handle);
        TEXTMETRICW metrics{};
        GetTextMetricsW(picture_->dc, &metrics);
        made.lineHeight = metrics.tmHeight;
        SelectObject(picture_->dc, before);
    }
    current_ = found->second.get();
    return *current_;
}

void GdiDrawingSurface::Select(Font& font) {
    if (selected_ != &font) {
        SelectObject(picture_->dc, font.handle);
        selected_ = &font;
    }
}

const GdiDrawingSurface::Glyphs& GdiDrawingSurface::Measure(Font& font, std::u16string_view text) {
    Glyphs* glyphs = nullptr;
    if (text.size() == 1 && text[0] < font.ascii.size()) {
        glyphs = &font.ascii[text[0]];
    } else {
        const auto found = font.other.find(text);
        if (found != font.other.end()) {
            return found->second;
        }
        if (font.other.size() >= kMaxRememberedTexts) {
            font.other.clear();
        }
        glyphs = &font.other[std::u16string(text)];
    }
    if (glyphs->advance < 0) {
        Select(font);
        SIZE size{};
        GetTextExtentPoint32W(picture_->dc, Wide(text), static_cast<int>(text.size()), &size);
        glyphs->ink = FindInk(font, text, size.cx);
        glyphs->advance = std::max(0, static_cast<int>(size.cx));
    }
    return *glyphs;
}

// Draws the text black on white on the scratch bitmap, with a margin around
// its line box, and takes the bounding box of what changed. The margin grows
// while the ink reaches the bitmap's edge.
RECT GdiDrawingSurface::FindInk(Font& font, std::u16string_view text, int advance) {
    for (int margin = std::max(16, font.lineHeight);; margin *= 2) {
        const int width = std::max(advance, 0) + 2 * margin;
        const int height = font.lineHeight + 2 * margin;
        if (!scratch_ || scratch_->width < width || scratch_->height < height) {
            scratch_.reset();
            scratch_ = Bitmap::Make(width, height);
            if (!scratch_) {
                return RECT{}; // no room to look: the line box has to do
            }
        }
        Bitmap& scratch = *scratch_;
        scratch.Fill(0xFFFFFFu);
        SelectObject(scratch.dc, font.handle);
        SetTextColor(scratch.dc, RGB(0, 0, 0));
        ExtTextOutW(scratch.dc, margin, margin, 0, nullptr, Wide(text),
                    static_cast<UINT>(text.size()), nullptr);
        GdiFlush();
        RECT ink{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (int y = 0; y < height; ++y) {
            const std::uint32_t* row =
                scratch.bits + static_cast<std::ptrdiff_t>(y) * scratch.width;
            for (int x = 0; x < width; ++x) {
                if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                    ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
                }
            }
        }
        if (ink.left > ink.right) {
            return RECT{};
        }
        const bool touchesEdge =
            ink.left == 0 || ink.top == 0 || ink.right == width || ink.bottom == height;
        if (!touchesEdge || margin >= kMaxInkMargin) {
            return Moved(ink, -margin, -margin);
        }
    }
}

void GdiDrawingSurface::Print(std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    Font& font = CurrentFont();
    const Glyphs& glyphs = Measure(font, text);
    const int x = RoundToInt(currentX_);
    const int y = RoundToInt(currentY_);
    const RECT& ink = glyphs.ink;
    const RECT drawn =
        Moved(ink.left < ink.right ? RECT{std::min(ink.left, 0L), std::min(ink.top, 0L),
                                          std::max(ink.right, LONG{glyphs.advance}),
                                          std::max(ink.bottom, LONG{font.lineHeight})}
                                   : RECT{0, 0, glyphs.advance, font.lineHeight},
              x, y);
    drawnRight_ = std::max(drawnRight_, drawn.right);
    drawnBottom_ = std::max(drawnBottom_, drawn.bottom);

    // Texts wholly outside the picture are not drawn: a long line runs far
    // past the preview box's right edge.
    if (!Overlaps(drawn, RECT{0, 0, picture_->width, picture_->height})) {
        return;
    }
    Select(font);
    SetTextColor(picture_->dc, fore_);
    ExtTextOutW(picture_->dc, x, y, 0, nullptr, Wide(text), static_cast<UINT>(text.size()),
                nullptr);
}

float GdiDrawingSurface::TextWidth(std::u16string_view text) {
    if (text.empty()) {
        return 0.0f;
    }
    return static_cast<float>(Measure(CurrentFont(), text).advance);
}

} // namespace VexoFade
