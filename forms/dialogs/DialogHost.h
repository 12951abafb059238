#pragma once
// What the student and school-data dialogs need of the main window: its error stream,
// the save of the current student across every form, and the rebuild of the student
// list. The main window installs itself once it exists; until then the dialogs report
// into a stream of their own and cannot save a student.
#include "store/ErrorStream.h"

#include <QString>

class DialogHost {
public:
    virtual ~DialogHost() = default;

    virtual ErrorStream& errorStream() = 0;
    // Collects the student dialog and every document form and rewrites the table
    // "PESEL" + the dialog's PESEL in the working copy; on failure it has shown its own
    // message and returns false.
    virtual bool SaveStudentData() = 0;
    virtual void ReloadStudentsList() = 0;

    // The installed host, or null.
    static DialogHost* current();
    // Makes `host` the current one (null = none); returns the previous one.
    static DialogHost* install(DialogHost* host);
};

// The host's error stream, or the dialogs' own one when no host is installed.
ErrorStream& DialogErrorStream();

// A data function's failure: `sentence` followed by the error stream's text, caption
// "Błąd", error icon.
void ShowDataError(const QString& sentence);
