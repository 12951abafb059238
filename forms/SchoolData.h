#pragma once
// The school-data template as the forms' "load school data" buttons read it, through the
// school-data dialog: load() empties the dialog's fields and reads the template
// "school_data" into them without showing the dialog; when the template cannot be read it
// shows its own error message and returns false. fieldText() then gives the dialog edit's
// text (empty when the template holds no value for it). The dialog installs itself.

#include <QString>

class SchoolData {
public:
    virtual ~SchoolData() = default;
    virtual bool load() = 0;
    virtual QString fieldText(const QString& name) const = 0;

    // The source in use; null when none is installed.
    static SchoolData* current();
    static void install(SchoolData* source);
};
