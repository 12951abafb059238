#pragma once
// What the two import commands need of the main window.
class ErrorStream;

class ImportHost {
public:
    virtual ~ImportHost() = default;
    // The main window's ErrorStream: the importer leaves a failure's reason in it.
    virtual ErrorStream& errorStream() = 0;
    // The working copy now differs from the open file (Modified := 1).
    virtual void setModified() = 0;
    // Reads the student list from the working copy and rebuilds the tree.
    virtual bool ReloadStudentsList() = 0;
};
