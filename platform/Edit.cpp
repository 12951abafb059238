#include "platform/Edit.h"

#include "platform/InputFilter.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <memory>
#include <utility>

// Filters a change only while the edit handles a person's input; changes made from code
// (setText, the combo box choosing an item) arrive outside that and pass unchanged.
class UserInputValidator : public QValidator {
public:
    explicit UserInputValidator(Edit* edit)
        : QValidator(edit)
        , edit_(edit)
    {
    }

    State validate(QString& input, int& pos) const override
    {
        if (!edit_->inUserInput())
            return Acceptable;
        const FilteredEdit kept = FilterUserEdit(edit_->lastText_, input, edit_->typingLimit_);
        edit_->refused_ += kept.refused;
        if (!kept.text)
            return Invalid;
        if (*kept.text != input) {
            input = *kept.text;
            pos = kept.cursor;
        }
        return Acceptable;
    }

private:
    Edit* edit_;
};

namespace {

// The blank Qt keeps above and below, and left and right of, the text of a line edit.
constexpr int kLineEditVerticalMargin = 1;
constexpr int kLineEditHorizontalMargin = 2;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::MouseButtonRelease:  // middle-button paste
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

}  // namespace

Edit::Edit(QWidget* parent)
    : QLineEdit(parent)
{
    setValidator(new UserInputValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lastText_ = text; });
}

void Edit::setText(const QString& text)
{
    QLineEdit::setText(text);
    setCursorPosition(0);
}

bool Edit::event(QEvent* event)
{
    const bool user = isUserInput(event->type());
    if (user)
        ++userInputDepth_;
    struct Leave {
        int* depth;
        bool active;
        ~Leave()
        {
            if (active)
                --*depth;
        }
    };
    bool handled = false;
    {
        Leave leave{&userInputDepth_, user};
        handled = QLineEdit::event(event);
    }
    // Told once the input is handled whole, so no message box opens inside Qt's editing.
    if (userInputDepth_ == 0 && !refused_.isEmpty())
        TellRefusedCharacters(SplitCp1250(std::exchange(refused_, QString())).refused);
    return handled;
}

QRect Edit::textArea() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins())
        .marginsRemoved(QMargins(kLineEditHorizontalMargin, kLineEditVerticalMargin,
                                 kLineEditHorizontalMargin, kLineEditVerticalMargin));
}

int Edit::textAreaHeight() const
{
    return textArea().height();
}

int Edit::textAreaWidth() const
{
    return textArea().width();
}

void Edit::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    menu->exec(event->globalPos());
}
