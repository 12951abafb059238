#pragma once
// Lines of a memo as it displays them, computed from text, font and width alone, so the
// count is the same whether or not the memo was ever shown, and the renderer prints the
// very lines the memo shows.

#include <QFont>
#include <QString>
#include <QStringList>

// Splits `text` at its line breaks (CR LF, LF or CR) into paragraphs and wraps each at
// `widthPx` pixels: at word boundaries, a word wider than the line anywhere. A width of
// 0 or less means no wrapping. The empty line after a final line break is not a line,
// so "" gives no line, "a\r\n" one and "\r\n" one empty line. A line broken at a blank
// keeps that blank at its end.
QStringList BreakLines(const QString& text, const QFont& font, int widthPx);
