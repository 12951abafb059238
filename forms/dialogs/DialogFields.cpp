#include "forms/dialogs/DialogFields.h"

#include "platform/ComboBox.h"
#include "platform/ComponentRegistry.h"
#include "platform/Edit.h"

DialogFields::DialogFields() = default;
DialogFields::~DialogFields() = default;

DialogFields::Field& DialogFields::add(const QString& name, Kind kind, int typingLimit,
                                       QStringList items)
{
    auto field = std::make_unique<Field>();
    field->name = name;
    field->kind = kind;
    field->typingLimit = typingLimit;
    field->items = std::move(items);
    fields_.push_back(std::move(field));
    return *fields_.back();
}

std::vector<const DialogFields::Field*> DialogFields::fields() const
{
    std::vector<const Field*> result;
    result.reserve(fields_.size());
    for (const auto& field : fields_)
        result.push_back(field.get());
    return result;
}

DialogFields::Field* DialogFields::find(QStringView name)
{
    for (const auto& field : fields_)
        if (SameComponentName(field->name, name))
            return field.get();
    return nullptr;
}

const DialogFields::Field* DialogFields::find(QStringView name) const
{
    return const_cast<DialogFields*>(this)->find(name);
}

QString DialogFields::text(QStringView name) const
{
    const Field* field = find(name);
    return field ? field->text : QString();
}

void DialogFields::setText(QStringView name, const QString& text)
{
    Field* field = find(name);
    if (!field)
        return;
    field->text =
        (field->kind == Kind::PickList && !field->items.contains(text)) ? QString() : text;
    showInWidget(*field);
}

void DialogFields::setItems(QStringView name, const QStringList& items)
{
    Field* field = find(name);
    if (!field)
        return;
    field->items = items;
    if (auto* combo = qobject_cast<ComboBox*>(field->widget)) {
        updatingWidget_ = true;
        combo->clear();
        combo->addItems(items);
        updatingWidget_ = false;
    }
    setText(name, field->text);
}

void DialogFields::clearAll()
{
    for (const auto& field : fields_) {
        field->text.clear();
        showInWidget(*field);
    }
}

void DialogFields::collect(const std::string& key, std::vector<FieldRecord>& records) const
{
    for (const auto& field : fields_)
        records.push_back({key, field->name.toStdString(), field->text.toStdString()});
}

QWidget* DialogFields::createWidget(Field& field, QWidget* parent)
{
    if (field.kind == Kind::Edit) {
        auto* edit = new Edit(parent);
        edit->setTypingLimit(field.typingLimit);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [this, &field](const QString& text) {
            if (!updatingWidget_)
                field.text = text;
        });
        field.widget = edit;
    } else {
        auto* combo = new ComboBox(field.kind == Kind::Combo ? ComboBox::Style::Editable
                                                             : ComboBox::Style::ListOnly,
                                   parent);
        combo->setTypingLimit(field.typingLimit);
        combo->addItems(field.items);
        QObject::connect(combo, &QComboBox::currentTextChanged, combo, [this, &field, combo] {
            if (!updatingWidget_)
                field.text = combo->text();
        });
        field.widget = combo;
    }
    field.widget->setObjectName(field.name);
    showInWidget(field);
    return field.widget;
}

void DialogFields::showInWidget(const Field& field)
{
    if (!field.widget)
        return;
    updatingWidget_ = true;
    if (auto* edit = qobject_cast<Edit*>(field.widget))
        edit->setText(field.text);
    else if (auto* combo = qobject_cast<ComboBox*>(field.widget))
        combo->setText(field.text);
    updatingWidget_ = false;
}
