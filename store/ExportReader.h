#pragma once
// An older export read line by line, as its Windows-1250 bytes or as UTF-8, without the
// line end (a line ends at LF; the CR of a CR LF pair is no part of it). Only a regular
// file is opened: opening a pipe waits until some program writes into it, and a device
// may never end.
#include <string>

#include "store/ErrorStream.h"

// A read of the export failed; `code` is the system's error code.
struct ExportReadError {
    int code;
};

class ExportReader {
public:
    ExportReader() = default;
    ExportReader(const ExportReader&) = delete;
    ExportReader& operator=(const ExportReader&) = delete;
    ~ExportReader();

    // Opens `path`; false, with the reason in the stream (logged under `logName`), when
    // it is no regular file or cannot be opened.
    bool Open(ErrorStream& es, const std::string& path, const char* logName);
    // The next line; false at the end of the file. Throws ExportReadError.
    bool NextRaw(std::string& line);
    bool Next(std::string& utf8);
    // Back to the first line.
    void Rewind();
    // The number of the line read last, from 1.
    long long Number() const { return number_; }

private:
    void Fill();

    int fd_ = -1;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool atEnd_ = false;
    long long number_ = 0;
    std::string raw_;
};
