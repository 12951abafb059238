#pragma once
// Progress of the long data functions (saving a student, the imports). The GUI's wait
// and import windows implement it; every data function accepts a null pointer.
#include <string>

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // A new stage: info text, position 0, minimum 0, maximum = steps (used by the imports;
    // the save leaves the range to its caller).
    virtual void Begin(const std::string& info, int steps) = 0;
    // One row written: position + 1.
    virtual void Advance() = 0;
};
