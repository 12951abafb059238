#pragma once
// What the student dialog and the school-data dialog share: their stored fields as
// values (DialogFields), widgets built just before the first showing, the show handler
// run on every showing with the window centred on the screen and the focus in the first
// field, and the "OK" / "Anuluj" panel at the bottom ("Anuluj", and in the student dialog
// also Esc, close without writing anything).
#include "forms/dialogs/DialogFields.h"
#include "platform/Form.h"

class QVBoxLayout;

class FieldDialog : public Form {
    Q_OBJECT
public:
    DialogFields& fields() { return fields_; }
    void setVisible(bool visible) override;

    virtual void FormShow() = 0;
    virtual void OKButtonClick() = 0;
    void AnulujButtonClick();

protected:
    FieldDialog(const QString& instanceName, const QString& caption, QWidget* parent,
                Qt::WindowFlags flags = {});
    // Lays the dialog's own widgets out above the button panel.
    virtual void buildWidgets(QVBoxLayout* layout) = 0;
    void showEvent(QShowEvent* event) override;

    DialogFields fields_;

private:
    // The first stored field in the focus chain.
    QWidget* firstField() const;

    bool built_ = false;
};
