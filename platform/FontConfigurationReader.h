#pragma once

#include <thread>

// Reads the system's font configuration (fontconfig parses its files: about 9 ms) on a
// thread of its own from construction, so that the first text the program measures finds
// it read instead of reading it on the way to the first window. Waits for the thread
// when destroyed.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

private:
    std::thread thread_;
};
