#pragma once
// A temporary data folder and program folder for one test: the store's folder overrides
// point at them while the object lives; both are removed afterwards.
#include <string>

class TempFolders {
public:
    TempFolders();
    ~TempFolders();
    TempFolders(const TempFolders&) = delete;
    TempFolders& operator=(const TempFolders&) = delete;

    const std::string& root() const { return root_; }
    const std::string& dataFolder() const { return data_; }
    const std::string& programFolder() const { return program_; }
    // Path of a file in the data / program folder.
    std::string dataFile(const std::string& name) const { return data_ + "/" + name; }
    std::string programFile(const std::string& name) const { return program_ + "/" + name; }

    // Copies the build's program folder (every regular file and sub-folder, executables
    // excepted) into the temporary program folder.
    void copyFactoryFiles() const;

private:
    std::string root_;
    std::string data_;
    std::string program_;
};
