#pragma once

#include "preview/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

namespace VexoFade {

// A drawing surface backed by a persistent image: Cls clears it to the
// background colour, Print draws with the text's top-left corner at the
// current point. Positions and widths are always in pixels: ScaleMode only
// keeps the code it is given (the renderer sets pixels and puts back what it
// found). The image is 96 dots per inch whatever the screen, so point sizes
// give the same pixels everywhere (10 points: 13 px).
//
// Face names are taken as markup gives them, lower case and with the closing
// double quote of `face="..."` still on: a trailing double quote is dropped,
// an empty name keeps the current face, and a name that no installed font
// answers to falls back as the system's font configuration decides.
class QtDrawingSurface : public DrawingSurface {
public:
    explicit QtDrawingSurface(QSize size, QColor background = Qt::white);
    ~QtDrawingSurface() override;
    QtDrawingSurface(const QtDrawingSurface&) = delete;
    QtDrawingSurface& operator=(const QtDrawingSurface&) = delete;

    // The picture so far. Finishes any drawing in progress.
    const QImage& image();
    // Changes the image size; the picture is cleared to the background.
    void Resize(QSize size);

    // The image size that would show everything printed since the picture was
    // last cleared (Cls, Resize), whether or not it fell inside the image: from
    // the origin to the furthest right and bottom edge of any printed text,
    // each text's line box and its glyphs' bounding boxes (overhangs, marks and
    // glyphs that reach below the descent). Empty when nothing was printed.
    QSize DrawnExtent() const;

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
    void SetCurrentX(float x) override { current_.setX(x); }
    void SetCurrentY(float y) override { current_.setY(y); }
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

    bool autoRedraw() const { return autoRedraw_; }
    const QFont& font() const { return font_; }

private:
    struct FontState;
    struct Glyphs;

    void FontChanged();
    FontState& CurrentFontState();
    // Advance and ink of `text` in `state`'s font, measured once per font.
    const Glyphs& Measure(FontState& state, std::u16string_view text);
    // Puts the text into scratch_, reusing its storage.
    void FillScratch(std::u16string_view text);
    QPainter& Painter();
    void EndPainting();

    QImage image_;
    QColor background_;
    QColor fore_ = Qt::black;
    QFont font_;
    QPointF current_;
    std::int16_t scaleMode_ = VexoFade::kScaleTwips;
    bool autoRedraw_ = false;

    // Metrics and measured widths, one entry per font met so far.
    QHash<QString, std::shared_ptr<FontState>> fontStates_;
    FontState* fontState_ = nullptr;

    std::unique_ptr<QPainter> painter_;
    const FontState* painterFont_ = nullptr;
    bool painterPenSet_ = false;

    QString scratch_;
    double drawnRight_ = 0.0;
    double drawnBottom_ = 0.0;
};

} // namespace VexoFade
