#pragma once
// Shared by the forms tests: the one application object, typing into widgets, numbered memo
// lines, and the two dialog-side sources the forms read (student data, school-data template).
#include "forms/SchoolData.h"
#include "forms/StudentData.h"
#include "store/Records.h"
#include "tests/support/TestApplication.h"
#include "tests/support/Typing.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

// "<word> 1" to "<word> n", as a list and as a memo text (lines joined by CR LF).
QStringList NumberedLineList(int n, const QString& word);
QString NumberedLines(int n, const QString& word = QStringLiteral("linia"));

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

// Writes the school-data template "school_data" into the data folder's templates file.
void WriteSchoolTemplate(const std::vector<FieldRecord>& records);
