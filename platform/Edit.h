#pragma once
// A one-line edit. Its typing limit binds what a person types or pastes; a text set from
// code (setText) is kept whole, which QLineEdit::setMaxLength would cut. Of typed or pasted
// text, line breaks become blanks, characters Windows-1250 cannot hold are left out (and the
// person is told which) and what would take the value past 2,047 bytes is cut (see
// InputFilter.h).

#include <QLineEdit>

class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent = nullptr);

    // From code: kept whole and shown from its beginning, also where it is wider than the
    // box (Qt would show its end).
    void setText(const QString& text);

    // Characters a person may bring the text to; 0 = no limit of its own.
    void setTypingLimit(int characters) { typingLimit_ = characters; }
    int typingLimit() const { return typingLimit_; }

    // Height in pixels the text has inside the frame and margins: a font whose height is
    // more loses its descenders.
    int textAreaHeight() const;
    // Width in pixels the text has inside the frame and margins.
    int textAreaWidth() const;

protected:
    bool event(QEvent* event) override;
    // The standard menu, run to its end inside the event, so that its Paste counts as input.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class UserInputValidator;
    bool inUserInput() const { return userInputDepth_ > 0; }
    QRect textArea() const;

    int typingLimit_ = 0;
    int userInputDepth_ = 0;
    QString lastText_;  // the text before the change under validation
    QString refused_;   // characters left out of the input being handled, told after it
};
