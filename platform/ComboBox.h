#pragma once
// A combo box, editable (the person may pick an item or type) or list-only. userChanged()
// is its change handler: it runs for the person's choice or typing only, never for a text
// or index set from code (Qt's currentIndexChanged fires for both). Typing obeys the same
// rules as Edit. The mouse wheel changes the value only while the box has the focus, so
// scrolling a form does not alter the fields under the pointer.

#include <QComboBox>

class Edit;

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    enum class Style { Editable, ListOnly };

    explicit ComboBox(Style style = Style::Editable, QWidget* parent = nullptr);

    Style style() const { return style_; }

    // The edit text (editable) or the chosen item's text (list-only; empty when none).
    QString text() const;
    // From code, no change handler. The first item equal to `text` becomes the chosen
    // one, none when no item is; an editable box shows `text` whole in either case, from
    // its beginning (Edit::setText).
    void setText(const QString& text);

    // Characters a person may type (editable only); 0 = no limit of its own.
    void setTypingLimit(int characters);

    // Height in pixels the text has inside the box's frame (see Edit::textAreaHeight).
    int textAreaHeight() const;
    // Width in pixels the text has beside the arrow, inside the frame.
    int textAreaWidth() const;

signals:
    void userChanged();

protected:
    void wheelEvent(QWheelEvent* event) override;
    // Both re-place the edit after QComboBox placed it on the style's field.
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect editField() const;
    void placeEdit();

    Style style_;
    Edit* edit_ = nullptr;
};
