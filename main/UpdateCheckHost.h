#pragma once
// What the update check and the update window need from the main window. The main window
// registers itself once at start; every call is made on the GUI thread.
class UpdateHost {
public:
    virtual ~UpdateHost() = default;
    // True when the working copy may hold changes not yet saved.
    virtual bool modified() const = 0;
    // Starts the main window's update timer; its handler shows FAktualizacja modally and
    // closes the main window afterwards when closing has been asked for.
    virtual void enableUpdateTimer() = 0;
    // Lets the main window close without questions after the update window has closed.
    virtual void setClosing() = 0;
};

// nullptr unregisters.
void SetUpdateHost(UpdateHost* host);
UpdateHost* CurrentUpdateHost();
