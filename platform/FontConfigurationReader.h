#pragma once

#include <thread>

// Reads the system's font configuration (fontconfig parses its files: about 9 ms) on a
// thread of its own from construction, so that the first text the program measures finds
// it read instead of reading it on the way to the first window. Waits for the thread
// when destroyed, or in `wait`.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    // Returns once the configuration is read. Call before the first text is measured: a
    // text measured earlier makes Qt read the whole configuration again beside this thread
    // (fontconfig keeps whichever reading ends first), which takes longer than waiting for
    // the rest of this one.
    void wait();

private:
    std::thread thread_;
};
