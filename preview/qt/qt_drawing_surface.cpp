#include "preview/qt/qt_drawing_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace Chromell {
namespace {

constexpr double kTwipsPerPixel = 15.0;
// 96 dots per inch, as dots per metre.
constexpr int kDotsPerMeter = 3780;

QImage BlankImage(QSize size, QColor background) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(background);
    return image;
}

int CeilToInt(double value) {
    if (!(value > 0.0)) {
        return 0;
    }
    return value >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                    : static_cast<int>(std::ceil(value));
}

} // namespace

// One font as measured on this surface. Widths are remembered per character:
// the preview measures the same few characters over and over.
struct QtDrawingSurface::FontState {
    FontState(const QFont& f, QPaintDevice* device)
        : font(f), metrics(f, device), ascent(metrics.ascent()), height(metrics.height()),
          leftOverhang(std::max(0.0, -metrics.minLeftBearing())),
          rightOverhang(std::max(0.0, -metrics.minRightBearing())) {
        asciiWidths.fill(-1.0);
    }

    QFont font;
    QFontMetricsF metrics;
    double ascent;
    double height;
    // How far any glyph may reach left of its origin or right of its advance.
    double leftOverhang;
    double rightOverhang;
    std::array<double, 128> asciiWidths;
    QHash<char32_t, double> otherWidths;
};

QtDrawingSurface::QtDrawingSurface(QSize size, QColor background)
    : image_(BlankImage(size, background)), background_(background) {
    font_.setStyleStrategy(QFont::PreferDefault);
}

QtDrawingSurface::~QtDrawingSurface() {
    EndPainting();
}

const QImage& QtDrawingSurface::image() {
    EndPainting();
    return image_;
}

void QtDrawingSurface::Resize(QSize size) {
    EndPainting();
    image_ = BlankImage(size, background_);
    drawnRight_ = 0.0;
    drawnBottom_ = 0.0;
}

void QtDrawingSurface::Cls() {
    EndPainting();
    image_.fill(background_);
    drawnRight_ = 0.0;
    drawnBottom_ = 0.0;
}

QSize QtDrawingSurface::DrawnExtent() const {
    return QSize(CeilToInt(drawnRight_), CeilToInt(drawnBottom_));
}

QPainter& QtDrawingSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        painterFont_ = nullptr;
        painterPenSet_ = false;
    }
    return *painter_;
}

void QtDrawingSurface::EndPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

double QtDrawingSurface::ToPixels(float value) const {
    return scaleMode_ == VexoFade::kScaleTwips ? value / kTwipsPerPixel : value;
}

float QtDrawingSurface::FromPixels(double pixels) const {
    return static_cast<float>(scaleMode_ == VexoFade::kScaleTwips ? pixels * kTwipsPerPixel
                                                                  : pixels);
}

void QtDrawingSurface::FontChanged() {
    fontState_ = nullptr;
}

QtDrawingSurface::FontState& QtDrawingSurface::CurrentFontState() {
    if (!fontState_) {
        std::shared_ptr<FontState>& slot = fontStates_[font_.key()];
        if (!slot) {
            slot = std::make_shared<FontState>(font_, &image_);
        }
        fontState_ = slot.get();
    }
    return *fontState_;
}

void QtDrawingSurface::FillScratch(std::u16string_view text) {
    scratch_.resize(static_cast<qsizetype>(text.size()));
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(scratch_.data()));
}

double QtDrawingSurface::Advance(FontState& state, std::u16string_view text) {
    char32_t code = 0;
    if (text.size() == 1) {
        code = text[0];
    } else if (text.size() == 2 && (text[0] & 0xFC00) == 0xD800 && (text[1] & 0xFC00) == 0xDC00) {
        code = 0x10000 + ((static_cast<char32_t>(text[0]) - 0xD800) << 10) + (text[1] - 0xDC00);
    } else {
        FillScratch(text);
        return state.metrics.horizontalAdvance(scratch_);
    }
    if (code < state.asciiWidths.size()) {
        double& width = state.asciiWidths[code];
        if (width < 0.0) {
            FillScratch(text);
            width = state.metrics.horizontalAdvance(scratch_);
        }
        return width;
    }
    const auto known = state.otherWidths.constFind(code);
    if (known != state.otherWidths.constEnd()) {
        return *known;
    }
    FillScratch(text);
    return *state.otherWidths.insert(code, state.metrics.horizontalAdvance(scratch_));
}

void QtDrawingSurface::SetFontName(std::u16string_view name) {
    if (name.ends_with(u'"')) {
        name.remove_suffix(1);
    }
    if (name.empty()) {
        return;
    }
    font_.setFamily(
        QString(reinterpret_cast<const QChar*>(name.data()), static_cast<qsizetype>(name.size())));
    FontChanged();
}

void QtDrawingSurface::SetFontSize(float points) {
    if (points > 0.0f && std::isfinite(points)) {
        font_.setPointSizeF(points);
        FontChanged();
    }
}

void QtDrawingSurface::SetFontBold(bool on) {
    font_.setBold(on);
    FontChanged();
}

void QtDrawingSurface::SetFontItalic(bool on) {
    font_.setItalic(on);
    FontChanged();
}

void QtDrawingSurface::SetFontUnderline(bool on) {
    font_.setUnderline(on);
    FontChanged();
}

void QtDrawingSurface::SetFontStrikethru(bool on) {
    font_.setStrikeOut(on);
    FontChanged();
}

void QtDrawingSurface::SetForeColor(VexoFade::RgbColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    fore_ = QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                   static_cast<int>((bits >> 16) & 0xFF));
    painterPenSet_ = false;
}

void QtDrawingSurface::Print(std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    FontState& state = CurrentFontState();
    const double advance = Advance(state, text);
    const double x = current_.x();
    const double y = current_.y();
    drawnRight_ = std::max(drawnRight_, x + advance + state.rightOverhang);
    drawnBottom_ = std::max(drawnBottom_, y + state.height);

    // Glyphs wholly outside the image are not drawn: a long line runs far past
    // the preview box's right edge.
    if (x - state.leftOverhang >= image_.width() || x + advance + state.rightOverhang <= 0.0 ||
        y >= image_.height() || y + state.height <= 0.0) {
        return;
    }
    QPainter& painter = Painter();
    if (painterFont_ != &state) {
        painter.setFont(state.font);
        painterFont_ = &state;
    }
    if (!painterPenSet_) {
        painter.setPen(fore_);
        painterPenSet_ = true;
    }
    FillScratch(text);
    painter.drawText(QPointF(x, y + state.ascent), scratch_);
}

float QtDrawingSurface::TextWidth(std::u16string_view text) {
    if (text.empty()) {
        return 0.0f;
    }
    return FromPixels(Advance(CurrentFontState(), text));
}

} // namespace Chromell
