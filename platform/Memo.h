#pragma once
// A multi-line text field. Its text is held with CR LF between lines, as the files store
// it. It either word-wraps at its width or, with a horizontal scroll bar, does not wrap;
// lines() are the lines as displayed (LineBreaker.h), computed from text, font and width,
// so they are the same before the memo is first shown. textChanged() (QPlainTextEdit's)
// is its change handler and runs for changes from code too.
//
// Input: Enter (with any modifier) inserts a plain line break and is refused once the
// memo has its line limit of lines; pasted or dropped line breaks of any kind become
// plain line breaks; text Windows-1250 cannot hold is refused and the value never grows
// past 2,047 bytes by typing or pasting. Tab moves the focus on.

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
    // Bars that are there are always there (a vertical bar narrows the wrap width).
    void setScrollBars(ScrollBars bars);
    ScrollBars scrollBars() const { return scrollBars_; }

    // Width in pixels at which the text wraps; 0 when it does not wrap.
    int wrapWidth() const;
    QStringList lines() const;
    int lineCount() const { return int(lines().size()); }

    // Enter is refused while the memo has this many lines or more; 0 = no limit.
    void setLineLimit(int lines) { lineLimit_ = lines; }
    int lineLimit() const { return lineLimit_; }

    // Keeps the first `n` displayed lines, each then a line of its own ending in CR LF;
    // does nothing when the memo has n lines or fewer.
    void keepFirstLines(int n);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool wraps() const;
    void applyWrapMode();
    // Bytes the value may still grow by when the selection is replaced.
    qsizetype byteRoom() const;
    void insertAtCursor(const QString& text);

    bool wordWrap_ = true;
    ScrollBars scrollBars_ = ScrollBars::None;
    int lineLimit_ = 0;
};
