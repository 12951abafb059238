#include "platform/ComboBox.h"

#include "platform/Edit.h"

#include <QCompleter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

ComboBox::ComboBox(Style style, QWidget* parent)
    : QComboBox(parent)
    , style_(style)
{
    setInsertPolicy(QComboBox::NoInsert);
    if (style_ == Style::Editable) {
        // Our edit becomes the line edit directly (which makes the box editable). A
        // placeholder completer without a model keeps the box from building its default
        // completer over the item model, as it would for a line edit without one: the box
        // completes nothing, and that completer costs more than the rest of the box.
        // Dropping the completer deletes the placeholder.
        edit_ = new Edit(this);
        edit_->setCompleter(new QCompleter(edit_));
        setLineEdit(edit_);
        setCompleter(nullptr);
        // The size setEditable() leaves on a box not resized yet.
        adjustSize();
        connect(edit_, &QLineEdit::textEdited, this, &ComboBox::userChanged);
    }
    connect(this, &QComboBox::activated, this, &ComboBox::userChanged);
}

QString ComboBox::text() const
{
    return currentText();
}

void ComboBox::setText(const QString& text)
{
    // The list marks the item equal to the text, none when the text is no item.
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (edit_)
        edit_->setText(text);
}

void ComboBox::setTypingLimit(int characters)
{
    if (edit_)
        edit_->setTypingLimit(characters);
}

QRect ComboBox::editField() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    QRect field = QWidget::style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, this);
    // The style keeps a frame's band above and below the field even when the box draws no
    // frame; a frameless editable box gives its edit the whole height instead.
    if (edit_ && !hasFrame()) {
        field.setTop(rect().top());
        field.setBottom(rect().bottom());
    }
    return field;
}

void ComboBox::placeEdit()
{
    if (edit_ && !hasFrame())
        edit_->setGeometry(editField());
}

void ComboBox::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    placeEdit();
}

void ComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    placeEdit();
}

// An editable box's line edit stands on the field, frameless, with its own margins.
int ComboBox::textAreaHeight() const
{
    return editField().height() - 2;
}

int ComboBox::textAreaWidth() const
{
    return editField().width() - 2 * 2;
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
