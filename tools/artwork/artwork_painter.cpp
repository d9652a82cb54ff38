#include "tools/artwork/artwork_painter.h"

#include "app/core/form30_layout.h"
#include "app/qt/qt_rect.h"
#include "chromell/version.h"
#include "tools/artwork/artwork_palette.h"
#include "tools/artwork/icon_painter.h"
#include "tools/artwork/paint_helpers.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <stdexcept>

namespace Chromell {
namespace {

using namespace ArtworkPalette;

// The controls the artwork lines up with, in pixels.
constexpr QRect kRed1 = PixelRect(Form30Layout::kRed1);
constexpr QRect kRed2 = PixelRect(Form30Layout::kRed2);
constexpr QRect kRed3 = PixelRect(Form30Layout::kRed3);
constexpr QRect kText1 = PixelRect(Form30Layout::kText1);
constexpr QRect kCommand1 = PixelRect(Form30Layout::kCommand1);
constexpr QRect kText2 = PixelRect(Form30Layout::kText2);
constexpr QRect kPicture1 = PixelRect(Form30Layout::kPicture1);
constexpr QRect kLabel1 = PixelRect(Form30Layout::kLabel1);
constexpr QRect kLabel2 = PixelRect(Form30Layout::kLabel2);

QFont Font(int pixels, bool bold) {
    return ArtFont(pixels, bold, false);
}

void PaintLogo(QPainter& painter) {
    PaintLogoIcon(painter, QPoint(6, 6));

    QPainterPath name;
    name.addText(QPointF(60, 40), Font(34, true), QStringLiteral("Chromell"));
    painter.fillPath(name.translated(2, 2), kShadow);
    const QRectF nameBounds = name.boundingRect();
    FillBanded(painter, name, QLineF(nameBounds.left(), 0, nameBounds.right(), 0), kSweep);
    painter.strokePath(name, QPen(kDark, 1));

    // The credit line and the sweep under the heading end short of the Fade It
    // button, which stands to their right.
    const int right = kCommand1.left() - 6;
    // The build's home page, if it names one.
    const QString home = QString::fromUtf8(CHROMELL_HOMEPAGE_SHOWN);
    const QString credit = QStringLiteral("by the Chromell developers") +
                           (home.isEmpty() ? QString() : QStringLiteral(" \u00B7 ") + home);
    const QFont creditFont = Font(11, false);
    if (58 + QFontMetrics(creditFont).horizontalAdvance(credit) > right) {
        throw std::runtime_error("the credit line would run under the Fade It button");
    }
    painter.setPen(kInk);
    painter.setFont(creditFont);
    painter.drawText(QPointF(58, 58), credit);

    QPainterPath rule;
    rule.addRect(6, 64, right - 6, 2);
    FillBanded(painter, rule, QLineF(6, 0, right, 0), kSweep);
}

// A small raised button face exactly over a hotspot, with its glyph inside.
void PaintKnob(QPainter& painter, QRect area) {
    painter.fillRect(area, kKnobFace);
    painter.setPen(kWhite);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(kShadow);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
}

void PaintWindowCommands(QPainter& painter) {
    painter.setFont(Font(11, true));
    painter.setPen(kInk);
    const int wordsRight = kLabel1.left() - 5;
    painter.drawText(QRect(wordsRight - 80, kLabel1.top() - 3, 80, kLabel1.height() + 6),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Close"));
    painter.drawText(QRect(wordsRight - 80, kLabel2.top(), 80, kLabel2.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Minimize"));

    PaintKnob(painter, kLabel1);
    PaintKnob(painter, kLabel2);
    // The cross: two strokes corner to corner, inside the knob.
    const QRect cross = kLabel1.adjusted(5, 2, -5, -2);
    painter.setPen(QPen(kBlack, 1));
    for (int dx = 0; dx < 2; ++dx) {
        painter.drawLine(cross.left() + dx, cross.top(), cross.right() - 1 + dx, cross.bottom());
        painter.drawLine(cross.left() + dx, cross.bottom(), cross.right() - 1 + dx, cross.top());
    }
    // The underscore: a bar along the bottom of the knob.
    painter.fillRect(QRect(kLabel2.left() + 4, kLabel2.bottom() - 5, kLabel2.width() - 8, 2),
                     kBlack);
}

// A caption just above the control at `below`, starting at its left edge.
void PaintCaption(QPainter& painter, QRect below, const QString& text) {
    painter.drawText(QRect(below.left() + 1, below.top() - 16, 300, 15),
                     Qt::AlignLeft | Qt::AlignBottom, text);
}

void PaintCaptions(QPainter& painter) {
    painter.setPen(kInk);
    painter.setFont(Font(11, true));
    PaintCaption(painter, kRed1, QStringLiteral("First colour"));
    PaintCaption(painter, kRed2, QStringLiteral("Second colour"));
    PaintCaption(painter, kRed3, QStringLiteral("Third colour"));

    painter.setFont(Font(11, false));
    PaintCaption(painter, kText1, QStringLiteral("Type the text to fade:"));
    PaintCaption(painter, kText2, QStringLiteral("Copy this code into your chat window:"));
    PaintCaption(painter, kPicture1, QStringLiteral("This is how it will look:"));
}

} // namespace

QImage PaintArtwork() {
    QImage artwork(Form30Layout::kArtworkSize.width, Form30Layout::kArtworkSize.height,
                   QImage::Format_RGB32);
    artwork.fill(kGrey);
    QPainter painter(&artwork);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintLogo(painter);
    PaintWindowCommands(painter);
    PaintCaptions(painter);
    return artwork;
}

} // namespace Chromell
