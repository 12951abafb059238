#include "platform/Memo.h"

#include "platform/InputFilter.h"
#include "platform/LineBreaker.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// Line breaks as the document holds them: "\n" between blocks.
QString plainLineBreaks(QString text)
{
    static const QRegularExpression anyBreak(QStringLiteral("\r\n|\r|\u2028|\u2029"));
    return text.replace(anyBreak, QStringLiteral("\n"));
}

// Stored bytes of document text: every line break takes CR LF.
qsizetype storedBytes(const QString& text, QChar lineBreak)
{
    return text.size() + text.count(lineBreak);
}

} // namespace

namespace {

constexpr int kBarThickness = 10;
constexpr int kDocumentMargin = 2;

// A scroll bar thinner than the style's, for memos a few lines high.
class ThinScrollBar : public QScrollBar {
public:
    explicit ThinScrollBar(Qt::Orientation orientation)
        : QScrollBar(orientation)
    {
    }
    QSize sizeHint() const override
    {
        const QSize hint = QScrollBar::sizeHint();
        return orientation() == Qt::Horizontal ? QSize(hint.width(), kBarThickness)
                                               : QSize(kBarThickness, hint.height());
    }
    QSize minimumSizeHint() const override { return sizeHint().boundedTo(QScrollBar::minimumSizeHint()); }
};

} // namespace

Memo::Memo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    document()->setDocumentMargin(kDocumentMargin);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBar(new ThinScrollBar(Qt::Horizontal));
    setVerticalScrollBar(new ThinScrollBar(Qt::Vertical));
    // The bar's appearing or going narrows or widens the viewport: the wrap width stays.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &Memo::showVerticalBarWhenNeeded);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &Memo::keepWrapWidth);
    connect(this, &QPlainTextEdit::textChanged, this, &Memo::showVerticalBarWhenNeeded);
    setScrollBars(ScrollBars::None);
}

int Memo::barThickness()
{
    return kBarThickness;
}

QString Memo::text() const
{
    return toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void Memo::setText(const QString& text)
{
    setPlainText(plainLineBreaks(text));
}

void Memo::setWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    applyWrapMode();
}

void Memo::setScrollBars(ScrollBars bars)
{
    scrollBars_ = bars;
    const bool horizontal = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
    const bool vertical = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    applyWrapMode();
    showVerticalBarWhenNeeded();
}

void Memo::showVerticalBarWhenNeeded()
{
    if (scrollBars_ == ScrollBars::Vertical || scrollBars_ == ScrollBars::Both)
        return;
    // A final line break leaves an empty last line that is no line of the memo (lines()):
    // a text that fits but for it does not scroll.
    const bool fitsButTheEmptyLastLine = document()->lastBlock().length() <= 1 && verticalScrollBar()->maximum() <= 1;
    const Qt::ScrollBarPolicy policy = fitsButTheEmptyLastLine ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    if (verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
    keepTopWithoutBar();
}

void Memo::keepTopWithoutBar()
{
    // Qt still scrolls to show the caret on the empty last line, with its scroll bar's
    // signals blocked: checked after every event the memo handles.
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && verticalScrollBar()->value() != 0)
        verticalScrollBar()->setValue(0);
}

bool Memo::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    keepTopWithoutBar();
    return handled;
}

bool Memo::wraps() const
{
    return wordWrap_ && scrollBars_ != ScrollBars::Horizontal && scrollBars_ != ScrollBars::Both;
}

void Memo::applyWrapMode()
{
    setLineWrapMode(wraps() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    keepWrapWidth();
}

void Memo::setWrapWidth(int px)
{
    wrapWidth_ = std::max(0, px);
    keepWrapWidth();
}

int Memo::naturalWrapWidth(int width) const
{
    ensurePolished();
    // The frame and room for a vertical bar taken off, then the document's margin on
    // both sides.
    const int viewport = width - 2 * frameWidth() - kBarThickness;
    const int margin = int(document()->documentMargin());
    return std::max(1, viewport - 2 * margin);
}

int Memo::wrapWidth() const
{
    if (!wraps())
        return 0;
    return wrapWidth_ > 0 ? wrapWidth_ : naturalWrapWidth(width());
}

void Memo::keepWrapWidth()
{
    int right = 0;
    if (wraps()) {
        const int bar = verticalScrollBar()->isVisibleTo(this) ? kBarThickness : 0;
        const int margin = int(document()->documentMargin());
        right = std::max(0, width() - 2 * frameWidth() - bar - 2 * margin - wrapWidth());
    }
    if (viewportMargins().right() != right)
        setViewportMargins(0, 0, right, 0);
}

void Memo::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    keepWrapWidth();
}

QStringList Memo::lines() const
{
    return BreakLines(toPlainText(), font(), wrapWidth());
}

void Memo::keepFirstLines(int n)
{
    const QStringList all = lines();
    if (all.size() <= n)
        return;
    QString kept;
    for (int i = 0; i < n; ++i)
        kept += all[i] + QStringLiteral("\r\n");
    setText(kept);
}

qsizetype Memo::byteRoom() const
{
    const qsizetype now = storedBytes(toPlainText(), QLatin1Char('\n'));
    const qsizetype selected = storedBytes(textCursor().selectedText(), QChar::ParagraphSeparator);
    return kMaxValueBytes - (now - selected);
}

void Memo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if ((lineLimit_ > 0 && lineCount() >= lineLimit_) || byteRoom() < 2 || isReadOnly()) {
            event->accept();
            return;
        }
        insertAtCursor(QStringLiteral("\n"));
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !isReadOnly() && (!IsCp1250Text(typed) || byteRoom() < typed.size())) {
        event->accept();
        TellRefusedCharacters(SplitCp1250(typed).refused);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Memo::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && (!IsCp1250Text(commit) || byteRoom() < commit.size())) {
        event->accept();
        TellRefusedCharacters(SplitCp1250(commit).refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void Memo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly())
        return;
    const Cp1250Split split = SplitCp1250(plainLineBreaks(source->text()));
    QString text = split.kept;
    // Cut what does not fit; a line break cut in half is dropped whole.
    qsizetype room = byteRoom();
    qsizetype keep = 0;
    for (; keep < text.size(); ++keep) {
        const int cost = text[keep] == QLatin1Char('\n') ? 2 : 1;
        if (room < cost)
            break;
        room -= cost;
    }
    text.truncate(keep);
    if (!text.isEmpty())
        insertAtCursor(text);
    TellRefusedCharacters(split.refused);
}

void Memo::insertAtCursor(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
    ensureCursorVisible();
}
