#pragma once
// What the entry point does between the application object and the message loop.
#include <QString>
#include <QStringList>

class InstanceLock;
class WindowRegistry;

inline constexpr const char* kApplicationTitle = "Tovrix - Velmorandia";

// The certificates file named on the command line: the arguments after the program name
// joined with blanks, taken whole; empty when that text has 5 characters or fewer.
QString CommandLineFile(const QStringList& arguments);

// Tells the user which fonts of PageFontFamilies() the system lacks; nothing when none.
void ReportMissingFonts(const QStringList& missing);

// A command-line file name with bytes that are no UTF-8 names no file the program could save
// back to: told, true. False (nothing shown) for any other name.
bool RefusedAsUnreadableName(const QString& file);

// Gives the registry the factory of every window that exists.
void ProvideProgramWindows(WindowRegistry& registry);

// Sets the title, takes the instance lock, creates the windows, runs the main window's
// start-up routine, shows it and opens the command-line file. False when the program
// must end without its message loop (a second instance, a failed required-files check).
bool StartProgram(const QStringList& arguments, InstanceLock& lock);
