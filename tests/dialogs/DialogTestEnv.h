#pragma once
// Shared ground of the dialog tests: one application, temporary data and program
// folders with the factory files in place, scripted dialogs, and a main window stand-in
// whose save writes the student dialog's records into the real working copy.
#include "forms/dialogs/DialogHost.h"
#include "platform/ScriptedDialogs.h"
#include "store/Records.h"
#include "tests/support/Typing.h"
#include "tests/support/TempFolders.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

QApplication& DialogTestApp();

// Saves what the student dialog holds under "PESEL" + its PESEL, as the main window does.
class RecordingHost : public DialogHost {
public:
    ErrorStream& errorStream() override { return errors; }
    bool SaveStudentData() override;
    void ReloadStudentsList() override { ++reloads; }

    ErrorStream errors;
    bool failSave = false;
    int saves = 0;
    int reloads = 0;
};

class DialogTest : public ::testing::Test {
protected:
    DialogTest();
    ~DialogTest() override;

    std::string workingCopy() const;
    // The rows of a student's table in the working copy; empty when there is no table.
    std::vector<FieldRecord> tableRows(const std::string& table) const;
    bool tableExists(const std::string& table) const;
    // The requests of kind Message, as "caption|text".
    std::vector<QString> messages() const;

    TempFolders folders;
    ScriptedDialogs dialogs;
    RecordingHost host;

private:
    DialogHost* previousHost_;
};
