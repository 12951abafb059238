#pragma once
// A multi-line text field. Its text is held with CR LF between lines, as the files store
// it. It either word-wraps or, with a horizontal scroll bar, does not wrap; lines() are
// the lines as displayed (LineBreaker.h), computed from text, font and wrap width, so
// they are the same before the memo is first shown. textChanged() (QPlainTextEdit's)
// is its change handler and runs for changes from code too.
//
// The wrap width is the memo's own (setWrapWidth) or else what its width leaves; either
// way a vertical scroll bar, which shows whenever the text's lines are more than the memo
// shows (the empty line after a final line break is none), does not change where lines
// wrap. The scroll bars are thin (barThickness()), so a small memo
// keeps its height for lines.
//
// Input: Enter (with any modifier) inserts a plain line break and is refused once the
// memo has its line limit of lines; typing or pasting that would leave the text more lines
// than the limit (or than it already has, beyond it) is refused (a paste keeps what
// fits); pasted or dropped line breaks of any kind become plain line breaks; characters
// Windows-1250 cannot hold are left out of a paste (a typed one is refused), the person is
// told which, and the value never grows past 2,047 bytes by typing or pasting. Every
// refusal beeps and emits refused() at the moment of the input, so nothing typed is ever
// dropped unnoticed. Tab moves the focus on.
//
// A text with more lines than the limit (a stored one is kept whole) is marked: a tinted
// frame and the tooltip telling how many lines the printed page holds.

#include <QPlainTextEdit>
#include <QStringList>

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    enum class ScrollBars { None, Horizontal, Vertical, Both };

    explicit Memo(QWidget* parent = nullptr);

    QString text() const;
    // From code, kept whole; any kind of line break is accepted.
    void setText(const QString& text);

    // Wrapping applies only while there is no horizontal scroll bar.
    void setWordWrap(bool wrap);
    bool wordWrap() const { return wordWrap_; }
    // Bars asked for are always there; without one, the vertical bar shows when needed.
    void setScrollBars(ScrollBars bars);
    ScrollBars scrollBars() const { return scrollBars_; }
    static int barThickness();

    // Width in pixels at which the text wraps; 0 when it does not wrap.
    int wrapWidth() const;
    // The wrap width to keep, in pixels; 0: what the memo's width leaves.
    void setWrapWidth(int px);
    // Width a wrapping memo of `width` pixels wraps at by itself.
    int naturalWrapWidth(int width) const;
    QStringList lines() const;
    int lineCount() const { return int(lines().size()); }

    // Enter is refused while the memo has this many lines or more; 0 = no limit.
    void setLineLimit(int lines);
    int lineLimit() const { return lineLimit_; }
    // Whether the text has more lines than the limit (and is marked so).
    bool overLimit() const { return overLimit_; }
    // The tooltip of a memo over its limit of `lines`.
    static QString overLimitHint(int lines);

    // Keeps the first `n` displayed lines, each then a line of its own ending in CR LF;
    // does nothing when the memo has n lines or fewer.
    void keepFirstLines(int n);

signals:
    // A person's input was refused (and the memo beeped).
    void refused();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool wraps() const;
    void applyWrapMode();
    // Narrows the viewport from the right so that Qt wraps at wrapWidth().
    void keepWrapWidth();
    // Without a vertical bar asked for: shows one only when lines lie beyond the memo.
    void showVerticalBarWhenNeeded();
    // A memo without a vertical bar never shows anything but its top.
    void keepTopWithoutBar();
    // Bytes the value may still grow by when the selection is replaced.
    qsizetype byteRoom() const;
    // Whether replacing the selection with `text` would leave more lines than the limit,
    // or than the text already has where it is beyond the limit.
    bool wouldExceedLines(const QString& text) const;
    // The length of the longest beginning of `text` that may replace the selection.
    qsizetype fittingLength(const QString& text) const;
    // Whether `text` may replace the selection; if not, refuses it.
    bool mayInsert(const QString& text);
    void refuse();
    void insertAtCursor(const QString& text);
    void updateLimitMark();

    bool wordWrap_ = true;
    ScrollBars scrollBars_ = ScrollBars::None;
    int lineLimit_ = 0;
    int wrapWidth_ = 0;
    bool overLimit_ = false;
    QWidget* limitMark_ = nullptr;  // the tinted frame, over the memo while it is over its limit
};
