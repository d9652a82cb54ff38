#include "app/output_box.h"

#include <QTextDocument>

namespace Chromell {

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

QString OutputBox::text() const {
    if (!document()->isModified()) {
        return text_;
    }
    QString edited = document()->toRawText();
    edited.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return edited;
}

void OutputBox::setText(const QString& text) {
    text_ = text;
    setPlainText(text);
    document()->setModified(false);
}

} // namespace Chromell
