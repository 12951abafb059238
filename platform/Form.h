#pragma once
// A window shown modally through the dialog service. Esc closes it as its "Anuluj" button
// would (rejected, nothing saved); a window that must not be left at the moment, or that
// has no cancelling, says so by overriding cancelByKeyboard().

#include <QDialog>

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

protected:
    // What Esc does; by default what "Anuluj" does: reject().
    virtual void cancelByKeyboard();
    void keyPressEvent(QKeyEvent* event) override;
};
