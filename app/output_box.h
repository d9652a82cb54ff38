#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace Chromell {

// The multi-line output box. Its text reads back exactly as it was set, line
// break characters included, until the user edits it; an edited text reads
// with "\r\n" between its lines. (The document model underneath turns every
// kind of line break into a paragraph, so it cannot give them back itself.)
class OutputBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit OutputBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

private:
    QString text_;
    bool settingText_ = false;
    bool edited_ = false;
};

} // namespace Chromell
