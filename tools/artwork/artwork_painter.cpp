#include "tools/artwork/artwork_painter.h"

#include "app/form30_layout.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Chromell {
namespace {

using namespace Form30Layout;

const QColor kGrey(0xC0, 0xC0, 0xC0);
const QColor kInk(0x10, 0x18, 0x48);
const QColor kShadow(0x60, 0x60, 0x60);
const QColor kDark(0x30, 0x30, 0x30);

// Red, orange, green, blue, violet: the sweep the program is about.
QLinearGradient Sweep(QPointF from, QPointF to) {
    QLinearGradient sweep(from, to);
    sweep.setColorAt(0.0, QColor(0xE0, 0x20, 0x30));
    sweep.setColorAt(0.3, QColor(0xF0, 0x90, 0x10));
    sweep.setColorAt(0.55, QColor(0x20, 0xA0, 0x40));
    sweep.setColorAt(0.8, QColor(0x20, 0x60, 0xE0));
    sweep.setColorAt(1.0, QColor(0x90, 0x30, 0xC0));
    return sweep;
}

QFont Font(int pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void PaintLogo(QPainter& painter) {
    painter.drawImage(QPoint(6, 6), PaintIcon(44));

    QPainterPath name;
    name.addText(QPointF(60, 40), Font(34, true), QStringLiteral("Chromell"));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kShadow);
    painter.drawPath(name.translated(2, 2));
    painter.setBrush(Sweep(QPointF(60, 0), QPointF(220, 0)));
    painter.setPen(QPen(kDark, 0.8));
    painter.drawPath(name);

    painter.setPen(kInk);
    painter.setFont(Font(11, false));
    painter.drawText(QPointF(61, 58),
                     QStringLiteral("by Wenna Drossel  \u00B7  wenna-drossel.example"));

    // A thin sweep under the heading.
    painter.fillRect(QRect(6, 64, 262, 2), Sweep(QPointF(6, 0), QPointF(268, 0)));
}

// A small raised button face exactly over a hotspot, with its glyph inside.
void PaintKnob(QPainter& painter, QRect area) {
    painter.fillRect(area, QColor(0xD4, 0xD4, 0xD4));
    painter.setPen(Qt::white);
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

    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintKnob(painter, kLabel1);
    PaintKnob(painter, kLabel2);
    // The cross: two strokes corner to corner, inside the knob.
    const QRect cross = kLabel1.adjusted(5, 2, -5, -2);
    painter.setPen(QPen(Qt::black, 1));
    for (int dx = 0; dx < 2; ++dx) {
        painter.drawLine(cross.left() + dx, cross.top(), cross.right() - 1 + dx, cross.bottom());
        painter.drawLine(cross.left() + dx, cross.bottom(), cross.right() - 1 + dx, cross.top());
    }
    // The underscore: a bar along the bottom of the knob.
    painter.fillRect(QRect(kLabel2.left() + 4, kLabel2.bottom() - 5, kLabel2.width() - 8, 2),
                     Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, true);
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

QImage PaintIcon(int size) {
    QImage icon(size, size, QImage::Format_RGB888);
    icon.fill(kGrey);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient bands(face.topLeft(), face.bottomRight());
    bands.setColorAt(0.0, QColor(0xE8, 0x20, 0x30));
    bands.setColorAt(0.5, QColor(0x20, 0xB0, 0x40));
    bands.setColorAt(1.0, QColor(0x20, 0x50, 0xE8));
    painter.setBrush(bands);
    painter.setPen(QPen(kDark, 1));
    painter.drawRoundedRect(face, size / 6.0, size / 6.0);

    QFont letter = Font(size * 3 / 4, true);
    QPainterPath c;
    c.addText(0, 0, letter, QStringLiteral("C"));
    const QRectF bounds = c.boundingRect();
    c.translate(size / 2.0 - bounds.center().x(), size / 2.0 - bounds.center().y());
    painter.setBrush(Qt::white);
    painter.setPen(QPen(kDark, size / 24.0));
    painter.drawPath(c);
    return icon;
}

QImage PaintArtwork() {
    QImage artwork(kArtworkSize, QImage::Format_RGB32);
    artwork.fill(kGrey);
    QPainter painter(&artwork);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintLogo(painter);
    PaintWindowCommands(painter);
    PaintCaptions(painter);
    return artwork;
}

} // namespace Chromell
