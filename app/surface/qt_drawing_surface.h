#pragma once

#include "preview/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <memory>

class QPainter;

namespace Chromell {

// A drawing surface backed by a persistent image: Cls clears it to the
// background colour, Print draws with the text's top-left corner at the
// current point. Units are pixels (3) or twips (1, 15 to the pixel).
class QtDrawingSurface : public VexoFade::DrawingSurface {
public:
    explicit QtDrawingSurface(QSize size, QColor background = Qt::white);
    ~QtDrawingSurface() override;
    QtDrawingSurface(const QtDrawingSurface&) = delete;
    QtDrawingSurface& operator=(const QtDrawingSurface&) = delete;

    // The picture so far. Finishes any drawing in progress.
    const QImage& image();
    // Changes the image size; the picture is cleared to the background.
    void Resize(QSize size);
    QColor background() const { return background_; }

    std::int16_t ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(std::int16_t unit) override { scaleMode_ = unit; }
    void SetFontName(std::u16string_view name) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    void SetFontStrikethru(bool on) override;
    void SetAutoRedraw(bool on) override { autoRedraw_ = on; }
    void SetForeColor(VexoFade::RgbColor color) override;
    void Cls() override;
    void SetCurrentX(float x) override { current_.setX(ToPixels(x)); }
    void SetCurrentY(float y) override { current_.setY(ToPixels(y)); }
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

    bool autoRedraw() const { return autoRedraw_; }
    const QFont& font() const { return font_; }
    QColor foreColor() const { return fore_; }

private:
    double ToPixels(float value) const;
    float FromPixels(double pixels) const;
    QPainter& Painter();
    void EndPainting();
    void FontChanged();

    QImage image_;
    QColor background_;
    QColor fore_ = Qt::black;
    QFont font_;
    QPointF current_;
    std::int16_t scaleMode_ = VexoFade::kScaleTwips;
    bool autoRedraw_ = false;
    std::unique_ptr<QPainter> painter_;
    struct Metrics;
    std::unique_ptr<Metrics> metrics_;
};

} // namespace Chromell
