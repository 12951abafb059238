#include "platform/Memo.h"

#include "platform/InputFilter.h"
#include "platform/LineBreaker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
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

}  // namespace

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
    QSize minimumSizeHint() const override
    {
        return sizeHint().boundedTo(QScrollBar::minimumSizeHint());
    }
};

constexpr int kMarkWidth = 2;
const QColor kOverLimitColour(0xE0, 0x70, 0x00);

// The tinted frame of a memo over its limit, drawn over the memo's edge whatever frame the
// memo has; the mouse (and its tooltip) reaches the memo through it.
class LimitMark : public QWidget {
public:
    explicit LimitMark(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QPen pen(kOverLimitColour, kMarkWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        const qreal inset = kMarkWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
};

}  // namespace

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
    connect(this, &QPlainTextEdit::textChanged, this, &Memo::updateLimitMark);
    limitMark_ = new LimitMark(this);
    setScrollBars(ScrollBars::None);
}

QString Memo::overLimitHint(int lines)
{
    // Polish counts: 1 wiersz, 2-4 (but not 12-14) wiersze, else wierszy.
    if (lines == 1)
        return QStringLiteral("Na druku zmieści się 1 wiersz");
    const int ones = lines % 10, tens = lines % 100;
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("Na druku zmieszczą się %1 wiersze").arg(lines);
    return QStringLiteral("Na druku zmieści się %1 wierszy").arg(lines);
}

void Memo::setLineLimit(int lines)
{
    lineLimit_ = lines;
    updateLimitMark();
}

void Memo::updateLimitMark()
{
    const bool over = lineLimit_ > 0 && lineCount() > lineLimit_;
    if (over != overLimit_ || (over && toolTip() != overLimitHint(lineLimit_))) {
        overLimit_ = over;
        setToolTip(over ? overLimitHint(lineLimit_) : QString());
        limitMark_->setVisible(over);
    }
    if (over) {
        limitMark_->setGeometry(rect());
        limitMark_->raise();
    }
}

void Memo::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateLimitMark();
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
    const bool fitsButTheEmptyLastLine =
        document()->lastBlock().length() <= 1 && verticalScrollBar()->maximum() <= 1;
    const Qt::ScrollBarPolicy policy =
        fitsButTheEmptyLastLine ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
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
    updateLimitMark();
}

void Memo::setWrapWidth(int px)
{
    wrapWidth_ = std::max(0, px);
    keepWrapWidth();
    updateLimitMark();
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
    updateLimitMark();
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

bool Memo::wouldExceedLines(const QString& text) const
{
    if (lineLimit_ <= 0)
        return false;
    const QTextCursor cursor = textCursor();
    QString result = toPlainText();
    result.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), text);
    const qsizetype room = std::max(lineLimit_, lineCount());
    return BreakLines(result, font(), wrapWidth()).size() > room;
}

bool Memo::mayInsert(const QString& text)
{
    if (IsCp1250Text(text) && byteRoom() >= storedBytes(text, QLatin1Char('\n')) &&
        !wouldExceedLines(text))
        return true;
    refuse();
    return false;
}

void Memo::refuse()
{
    QApplication::beep();
    emit refused();
}

void Memo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (isReadOnly())
            return;
        if ((lineLimit_ > 0 && lineCount() >= lineLimit_) || byteRoom() < 2)
            return refuse();
        insertAtCursor(QStringLiteral("\n"));
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !isReadOnly() && !mayInsert(typed)) {
        event->accept();
        TellRefusedCharacters(SplitCp1250(typed).refused);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Memo::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !isReadOnly() && !mayInsert(commit)) {
        event->accept();
        TellRefusedCharacters(SplitCp1250(commit).refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

qsizetype Memo::fittingLength(const QString& text) const
{
    // The value's byte room first; a line break cut in half is dropped whole.
    qsizetype room = byteRoom();
    qsizetype keep = 0;
    for (; keep < text.size(); ++keep) {
        const int cost = text[keep] == QLatin1Char('\n') ? 2 : 1;
        if (room < cost)
            break;
        room -= cost;
    }
    if (!wouldExceedLines(text.left(keep)))
        return keep;
    // A longer beginning never has fewer lines: the longest that fits lies between.
    qsizetype fits = 0, exceeds = keep;
    while (exceeds - fits > 1) {
        const qsizetype middle = (fits + exceeds) / 2;
        if (wouldExceedLines(text.left(middle)))
            exceeds = middle;
        else
            fits = middle;
    }
    return fits;
}

void Memo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly())
        return;
    // Characters Windows-1250 cannot hold are left out and named; what fits of the rest goes
    // in, and what does not is refused now, not dropped later.
    const Cp1250Split split = SplitCp1250(plainLineBreaks(source->text()));
    const QString text = split.kept.left(fittingLength(split.kept));
    if (text.size() < split.kept.size())
        refuse();
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
