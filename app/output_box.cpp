#include "app/output_box.h"

#include <QTextDocument>

namespace Chromell {

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
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
    QString edited = document()->toRawText();
    edited.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return edited;
}

void OutputBox::setText(const QString& text) {
    text_ = text;
    settingText_ = true;
    setPlainText(text);
    settingText_ = false;
    edited_ = false;
}

} // namespace Chromell
