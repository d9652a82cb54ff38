#include "preview/qt/qt_drawing_surface.h"

#include "preview/qt/qt_color.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace VexoFade {
namespace {

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

// What one printed text takes: its advance, and the bounding box of its ink
// relative to the top-left corner of its line box.
struct QtDrawingSurface::Glyphs {
    double advance = -1.0; // below 0: not measured yet
    QRectF ink;
};

// One font as measured on this surface. Glyphs are remembered per text: the
// preview measures the same few characters over and over.
struct QtDrawingSurface::FontState {
    FontState(const QFont& f, QPaintDevice* device)
        : font(f), metrics(f, device), ascent(metrics.ascent()), height(metrics.height()) {}

    QFont font;
    QFontMetricsF metrics;
    double ascent;
    double height;
    std::array<Glyphs, 128> ascii;
    QHash<QString, Glyphs> other;
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

const QtDrawingSurface::Glyphs& QtDrawingSurface::Measure(FontState& state,
                                                          std::u16string_view text) {
    Glyphs* glyphs = nullptr;
    if (text.size() == 1 && text[0] < state.ascii.size()) {
        glyphs = &state.ascii[text[0]];
        if (glyphs->advance >= 0.0) {
            return *glyphs;
        }
        FillScratch(text);
    } else {
        FillScratch(text);
        glyphs = &state.other[scratch_];
        if (glyphs->advance >= 0.0) {
            return *glyphs;
        }
    }
    glyphs->advance = state.metrics.horizontalAdvance(scratch_);
    glyphs->ink = state.metrics.tightBoundingRect(scratch_).translated(0.0, state.ascent);
    return *glyphs;
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
    fore_ = VexoFade::ToQColor(color);
    painterPenSet_ = false;
}

void QtDrawingSurface::Print(std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    FontState& state = CurrentFontState();
    const Glyphs& glyphs = Measure(state, text);
    const QRectF drawn =
        QRectF(0.0, 0.0, glyphs.advance, state.height).united(glyphs.ink).translated(current_);
    drawnRight_ = std::max(drawnRight_, drawn.right());
    drawnBottom_ = std::max(drawnBottom_, drawn.bottom());

    // Glyphs wholly outside the image are not drawn: a long line runs far past
    // the preview box's right edge.
    if (!drawn.intersects(QRectF(image_.rect()))) {
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
    painter.drawText(QPointF(current_.x(), current_.y() + state.ascent), scratch_);
}

float QtDrawingSurface::TextWidth(std::u16string_view text) {
    if (text.empty()) {
        return 0.0f;
    }
    return static_cast<float>(Measure(CurrentFontState(), text).advance);
}

} // namespace VexoFade
