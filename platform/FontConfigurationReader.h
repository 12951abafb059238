#pragma once

#include <future>
#include <thread>

// Reads the system's font configuration (fontconfig parses its files: about 9 ms) on a
// thread of its own from construction, so that the first text the program measures finds
// it read instead of reading it on the way to the first window. Once the application object
// exists (`fillFontDatabase`), the same thread goes on to fill Qt's list of installed fonts,
// which the first text would fill otherwise. Waits for the thread when destroyed.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    // Call once, after the application object is made: Qt's font database needs its
    // platform. Qt guards the database with a lock, so a text measured meanwhile waits for
    // the filling instead of doing it again.
    void fillFontDatabase();

    // Returns once the configuration is read. Call before the first text is measured: a
    // text measured earlier makes Qt read the whole configuration again beside this thread
    // (fontconfig keeps whichever reading ends first), which takes longer than waiting for
    // the rest of this one.
    void wait();

    // Returns once the thread has ended, its filling done (if it was asked for).
    void finish();

private:
    std::promise<bool> fill_;
    std::promise<void> readPromise_;
    std::future<void> read_;
    bool fillAnswered_ = false;
    std::thread thread_;
};
