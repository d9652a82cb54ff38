#include "app/surface/qt_drawing_surface.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QString>

namespace Chromell {
namespace {

constexpr double kTwipsPerPixel = 15.0;

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

} // namespace

// Font measurements for the current font, with widths remembered per text:
// the preview measures the same few characters over and over.
struct QtDrawingSurface::Metrics {
    Metrics(const QFont& font, QPaintDevice* device) : metrics(font, device) {}
    QFontMetricsF metrics;
    QHash<QString, double> widths;
};

QtDrawingSurface::QtDrawingSurface(QSize size, QColor background)
    : image_(size, QImage::Format_RGB32), background_(background) {
    font_.setStyleStrategy(QFont::PreferDefault);
    image_.fill(background_);
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
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(background_);
    metrics_.reset();
}

QPainter& QtDrawingSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        painter_->setFont(font_);
        painter_->setPen(fore_);
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
    metrics_.reset();
    if (painter_) {
        painter_->setFont(font_);
    }
}

double QtDrawingSurface::ToPixels(float value) const {
    return scaleMode_ == VexoFade::kScaleTwips ? value / kTwipsPerPixel : value;
}

float QtDrawingSurface::FromPixels(double pixels) const {
    return static_cast<float>(scaleMode_ == VexoFade::kScaleTwips ? pixels * kTwipsPerPixel
                                                                  : pixels);
}

void QtDrawingSurface::SetFontName(std::u16string_view name) {
    font_.setFamily(ToQString(name));
    FontChanged();
}

void QtDrawingSurface::SetFontSize(float points) {
    if (points > 0.0f) {
        font_.setPointSizeF(points);
    }
    FontChanged();
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
    if (painter_) {
        painter_->setPen(fore_);
    }
}

void QtDrawingSurface::Cls() {
    EndPainting();
    image_.fill(background_);
}

void QtDrawingSurface::Print(std::u16string_view text) {
    QPainter& painter = Painter();
    if (!metrics_) {
        metrics_ = std::make_unique<Metrics>(font_, &image_);
    }
    const QPointF baseline(current_.x(), current_.y() + metrics_->metrics.ascent());
    // Nothing of a character that starts beyond the right or bottom edge shows.
    if (current_.x() >= image_.width() || current_.y() >= image_.height()) {
        return;
    }
    painter.drawText(baseline, ToQString(text));
}

float QtDrawingSurface::TextWidth(std::u16string_view text) {
    if (!metrics_) {
        metrics_ = std::make_unique<Metrics>(font_, &image_);
    }
    const QString key = ToQString(text);
    auto it = metrics_->widths.constFind(key);
    if (it == metrics_->widths.constEnd()) {
        it = metrics_->widths.insert(key, metrics_->metrics.horizontalAdvance(key));
    }
    return FromPixels(*it);
}

} // namespace Chromell
