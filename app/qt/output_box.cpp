#include "app/qt/output_box.h"

#include "engine/unicode/grapheme.h"

#include <QFontMetricsF>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <array>
#include <string_view>

namespace Chromell {
namespace {

// What a paragraph end stands for, kept as the following block's user state.
// Blocks that the user makes get the state -1, which reads as "\r\n".
enum BreakKind : int {
    kSoft = 0,       // the box's own wrap: nothing in the text
    kReturn,         // "\r"
    kLineFeed,       // "\n"
    kReturnLineFeed, // "\r\n"
    kParagraph,      // U+2029
    kFrameStart,     // U+FDD0, which the document also takes for a paragraph end
    kFrameEnd,       // U+FDD1, likewise
};

QString BreakText(int state) {
    static const std::array<QString, 7> texts = {
        QString(),
        QStringLiteral("\r"),
        QStringLiteral("\n"),
        QStringLiteral("\r\n"),
        QString(QChar(0x2029)),
        QString(QChar(0xFDD0)),
        QString(QChar(0xFDD1)),
    };
    return state >= 0 && state < static_cast<int>(texts.size())
               ? texts[static_cast<std::size_t>(state)]
               : QStringLiteral("\r\n");
}

// The kind of line break that starts at `at`, and its length; kSoft when none.
std::pair<BreakKind, int> BreakAt(const QString& text, qsizetype at) {
    switch (text[at].unicode()) {
    case u'\r':
        return at + 1 < text.size() && text[at + 1] == u'\n' ? std::pair{kReturnLineFeed, 2}
                                                             : std::pair{kReturn, 1};
    case u'\n':
        return {kLineFeed, 1};
    case 0x2029:
        return {kParagraph, 1};
    case 0xFDD0:
        return {kFrameStart, 1};
    case 0xFDD1:
        return {kFrameEnd, 1};
    default:
        return {kSoft, 0};
    }
}

} // namespace

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere); // should a measured line come out too long
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!settingText_) {
            edited_ = true;
        }
    });
}

QString OutputBox::text() const {
    if (!edited_) {
        return text_;
    }
    return Text(0, document()->characterCount() - 1);
}

void OutputBox::setText(const QString& text) {
    text_ = text;
    Lay(text);
    edited_ = false;
}

void OutputBox::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        advances_.clear();
        Relay();
    }
}

void OutputBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (WrapWidth() != laidWidth_) {
        Relay();
    }
}

QMimeData* OutputBox::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* mime = new QMimeData;
    mime->setText(Text(cursor.selectionStart(), cursor.selectionEnd()));
    return mime;
}

void OutputBox::Relay() {
    const bool edited = edited_;
    const QString current = text();
    Lay(current);
    edited_ = edited;
}

qreal OutputBox::WrapWidth() const {
    // The room a line has inside the viewport, less a little for kerning,
    // which the per-character widths below do not see.
    return viewport()->width() - 2 * document()->documentMargin() - 4;
}

qreal OutputBox::Advance(const QFontMetricsF& metrics, const QString& text, qsizetype at,
                         qsizetype length) {
    if (advances_.empty()) {
        advances_.assign(0x10000, -1.0f);
    }
    if (length != 1) {
        return metrics.horizontalAdvance(text.mid(at, length));
    }
    float& advance = advances_[text[at].unicode()];
    if (advance < 0) {
        advance = static_cast<float>(metrics.horizontalAdvance(text[at]));
    }
    return advance;
}

void OutputBox::Lay(const QString& text) {
    const qreal width = WrapWidth();
    laidWidth_ = width;
    const QFontMetricsF metrics(font());
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    QString shown;
    shown.reserve(text.size() + text.size() / 32 + 1);
    std::vector<int> kinds; // of each paragraph end in `shown`, in order
    qreal x = 0;
    for (qsizetype at = 0; at < text.size();) {
        const auto [kind, breakLength] = BreakAt(text, at);
        if (breakLength > 0) {
            shown += QChar::ParagraphSeparator;
            kinds.push_back(kind);
            x = 0;
            at += breakLength;
            continue;
        }
        // A shown line never ends inside a cluster. A cluster may still hold
        // a character that the document takes for a paragraph end (a
        // prepended mark before U+FDD0 joins it); it stops there.
        qsizetype length =
            static_cast<qsizetype>(VexoFade::GraphemeLength(units, static_cast<std::size_t>(at)));
        for (qsizetype i = 1; i < length; ++i) {
            if (BreakAt(text, at + i).second > 0) {
                length = i;
                break;
            }
        }
        const qreal advance = Advance(metrics, text, at, length);
        if (x > 0 && x + advance > width) {
            shown += QChar::ParagraphSeparator;
            kinds.push_back(kSoft);
            x = 0;
        }
        shown.append(text.constData() + at, length);
        x += advance;
        at += length;
    }

    settingText_ = true;
    setPlainText(shown);
    QTextBlock block = document()->begin().next();
    for (const int kind : kinds) {
        block.setUserState(kind);
        block = block.next();
    }
    settingText_ = false;
}

QString OutputBox::Text(int from, int to) const {
    QString out;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from) {
            out += BreakText(block.userState());
        }
        const int start = std::max(from, block.position()) - block.position();
        const int end = std::min(to, block.position() + block.length() - 1) - block.position();
        if (end > start) {
            out += block.text().mid(start, end - start);
        }
    }
    return out;
}

} // namespace Chromell
