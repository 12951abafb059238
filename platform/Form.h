#pragma once
// A window shown modally through the dialog service. Unlike a bare QDialog, Esc does not
// close it: a form closes only through its own buttons or the title bar's close box
// (which rejects it).

#include <QDialog>

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
