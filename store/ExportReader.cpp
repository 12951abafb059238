#include "store/ExportReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/Cp1250.h"
#include "store/Frame.h"

namespace {

constexpr std::size_t kChunk = 1 << 16;

// What the user chose instead of a file, in the words of a message.
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "katalog";
    if (S_ISFIFO(mode))
        return "potok";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "urządzenie";
    if (S_ISSOCK(mode))
        return "gniazdo";
    return "plik specjalny";
}

bool RefuseKind(ErrorStream& es, const std::string& path, mode_t mode, const char* logName)
{
    Fail(es,
         std::string("Plik źródłowy nie jest zwykłym plikiem (") + KindOf(mode) + "): \n" + path,
         logName);
    return false;
}

}  // namespace

ExportReader::~ExportReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool ExportReader::Open(ErrorStream& es, const std::string& path, const char* logName)
{
    // Asked before opening, since opening a pipe would already wait; asked again of what
    // was opened (without waiting), in case the name was meanwhile given to a pipe.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return RefuseKind(es, path, info.st_mode, logName);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        Fail(es,
             "Nie można otworzyć pliku źródłowego: \n" + path +
                 "\nKod błędu: " + std::to_string(errno),
             logName);
        return false;
    }
    if (::fstat(fd_, &info) != 0) {
        Fail(es,
             "Nie można odczytać pliku źródłowego: \n" + path +
                 "\nKod błędu: " + std::to_string(errno),
             logName);
        return false;
    }
    if (!S_ISREG(info.st_mode))
        return RefuseKind(es, path, info.st_mode, logName);
    // A regular file never blocks; the flag goes so that reads are plain reads.
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    Rewind();
    return true;
}

void ExportReader::Fill()
{
    buffer_.resize(kChunk);
    ssize_t got;
    while ((got = ::read(fd_, buffer_.data(), kChunk)) < 0 && errno == EINTR) {
    }
    if (got < 0)
        throw ExportReadError{errno};
    buffer_.resize(std::size_t(got));
    pos_ = 0;
    atEnd_ = got == 0;
}

bool ExportReader::NextRaw(std::string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == buffer_.size()) {
            if (atEnd_)
                break;
            Fill();
            continue;
        }
        any = true;
        const char* start = buffer_.data() + pos_;
        const std::size_t left = buffer_.size() - pos_;
        if (const void* lf = std::memchr(start, '\n', left)) {
            const std::size_t length = std::size_t(static_cast<const char*>(lf) - start);
            line.append(start, length);
            pos_ += length + 1;
            break;
        }
        line.append(start, left);
        pos_ = buffer_.size();
    }
    if (!any)
        return false;
    ++number_;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool ExportReader::Next(std::string& utf8)
{
    if (!NextRaw(raw_))
        return false;
    utf8 = Cp1250ToUtf8(raw_);
    return true;
}

void ExportReader::Rewind()
{
    if (::lseek(fd_, 0, SEEK_SET) < 0)
        throw ExportReadError{errno};
    buffer_.clear();
    pos_ = 0;
    atEnd_ = false;
    number_ = 0;
}
