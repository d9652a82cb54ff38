#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <vector>

class QFontMetricsF;

namespace Chromell {

// The multi-line output box. Its text reads back exactly as it was set, line
// break characters included, until the user edits it; then it reads as shown,
// with "\r\n" for a line the user broke. Copying gives the text, too.
//
// Fader markup is one long line, up to 32,767 x 27 characters. Qt lays out a
// paragraph as a whole, which for a line that long takes a noticeable part of
// a second, so the box wraps the text itself, cheaply, into one paragraph per
// shown line and remembers which paragraph ends are its own ("soft") and
// which stand for a line break of the text. Only the visible paragraphs are
// ever laid out. A shown line never ends inside a grapheme cluster, and the
// text is laid out again when the box's width or font changes.
class OutputBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit OutputBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Puts the text into the document, one paragraph per shown line.
    void Lay(const QString& text);
    // Lays the current text out again when the width or font has changed.
    void Relay();
    // The text between two document positions, soft paragraph ends left out.
    QString Text(int from, int to) const;
    qreal WrapWidth() const;
    qreal Advance(const QFontMetricsF& metrics, const QString& text, qsizetype at,
                  qsizetype length);

    QString text_;
    bool settingText_ = false;
    bool edited_ = false;
    qreal laidWidth_ = -1;
    std::vector<float> advances_; // per UTF-16 unit, in the current font; < 0: not measured
};

} // namespace Chromell
