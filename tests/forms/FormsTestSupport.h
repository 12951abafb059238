#pragma once
// Shared by the forms tests: one application object, typing into widgets, and the two
// dialog-side sources the forms read (student data, school-data template).
#include "forms/SchoolData.h"
#include "forms/StudentData.h"

#include <QMap>
#include <QString>

class QWidget;

// The one application of the test binary (offscreen), with the font substitutions.
void EnsureTestApp();
void TypeKey(QWidget* target, int key, const QString& text = QString(),
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(QWidget* target, const QString& text);
void PasteText(QWidget* target, const QString& text);

// The student dialog's fields as a test sets them; installed while it lives.
class TestStudent : public StudentData {
public:
    TestStudent() { install(this); }
    ~TestStudent() override { install(nullptr); }
    QString fieldText(const QString& name) const override { return fields.value(name); }
    QMap<QString, QString> fields;
};

// The school-data template "school_data" read from the real templates file of the data
// folder, as the school-data dialog reads it; installed while it lives.
class TemplateSchool : public SchoolData {
public:
    TemplateSchool() { install(this); }
    ~TemplateSchool() override { install(nullptr); }
    bool load() override;
    QString fieldText(const QString& name) const override { return values_.value(name); }

private:
    QMap<QString, QString> values_;
};
