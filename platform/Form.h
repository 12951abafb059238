#pragma once
// A window shown modally through the dialog service. By default Esc closes it as its
// "Anuluj" button would (rejected, nothing saved); a window that must not be left at the
// moment, or that has no cancelling, says so by overriding cancelByKeyboard(). A window in
// which much is typed keeps Esc from closing it at all (keepOpenOnEscape()).

#include <QDialog>

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

protected:
    // What Esc does; by default what "Anuluj" does: reject().
    virtual void cancelByKeyboard();
    // From now on Esc does nothing here: a page of typing is never one key from being
    // thrown away, nor two (the first closing an open list, the second the window).
    void keepOpenOnEscape() { escapeCancels_ = false; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool escapeCancels_ = true;
};
