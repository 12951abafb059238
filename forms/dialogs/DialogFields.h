#pragma once
// The stored fields of a dialog (edits and combo boxes) as values that exist without
// widgets: the rest of the program reads, clears and fills them while the dialog is
// hidden. The widgets are created on first show and bound both ways: a text set here
// reaches the widget, a person's typing reaches the value.
#include "store/Records.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string>
#include <vector>

#include <QWidget>

class DialogFields {
public:
    enum class Kind {
        Edit,     // one-line edit
        Combo,    // editable combo box: any text, the items are offers
        PickList  // drop-down list without free text: an item's text or ""
    };

    struct Field {
        QString name;
        Kind kind = Kind::Edit;
        int typingLimit = 0;  // characters a person may type; 0 = none of its own
        QStringList items;
        QString text;
        QPointer<QWidget> widget;
    };

    DialogFields();
    ~DialogFields();
    DialogFields(const DialogFields&) = delete;
    DialogFields& operator=(const DialogFields&) = delete;

    // Appends a field; the order of adding is the component order.
    Field& add(const QString& name, Kind kind, int typingLimit = 0, QStringList items = {});

    // In component order.
    std::vector<const Field*> fields() const;
    // A-Z letter case ignored; null when the dialog has no such field.
    Field* find(QStringView name);
    const Field* find(QStringView name) const;

    // "" for a name the dialog does not have.
    QString text(QStringView name) const;
    // A pick list takes only one of its items (anything else leaves nothing chosen);
    // the other kinds keep the text whole. An unknown name is skipped.
    void setText(QStringView name, const QString& text);
    // Replaces the item list; the current text stays.
    void setItems(QStringView name, const QStringList& items);

    // Every field's text := "".
    void clearAll();
    // One record (key, name, text) per field, in component order.
    void collect(const std::string& key, std::vector<FieldRecord>& records) const;

    // Creates the field's widget under `parent` and binds it; its object name is the
    // field's name.
    QWidget* createWidget(Field& field, QWidget* parent);

private:
    void showInWidget(const Field& field);

    std::vector<std::unique_ptr<Field>> fields_;
    bool updatingWidget_ = false;
};
