#include "platform/LineBreaker.h"

#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>

namespace {

void wrapParagraph(const QString& paragraph, const QFont& font, int widthPx, QStringList& out)
{
    if (paragraph.isEmpty()) {
        out << QString();
        return;
    }
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthPx);
        out << paragraph.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
}

} // namespace

QStringList BreakLines(const QString& text, const QFont& font, int widthPx)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList paragraphs = text.split(lineBreak);
    if (paragraphs.constLast().isEmpty())
        paragraphs.removeLast();
    if (widthPx <= 0)
        return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        wrapParagraph(paragraph, font, widthPx, lines);
    return lines;
}
