#include "store/FileState.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string_view>

#include "store/Descriptor.h"

namespace {

// A change of the bytes that keeps size and modification time (a copy that keeps the time,
// a clock set back) still shows in the hash.
std::uint64_t HashOfContent(const std::string& path)
{
    Descriptor in(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    std::uint64_t hash = 1469598103934665603ull;
    if (in.get() < 0)
        return hash;
    char buffer[1 << 16];
    for (ssize_t got; (got = ::read(in.get(), buffer, sizeof buffer)) > 0;)
        hash = (hash ^ std::hash<std::string_view>{}(std::string_view(buffer, std::size_t(got)))) *
               1099511628211ull;
    return hash;
}

bool Same(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::string LocalTime(const timespec& time)
{
    std::tm local{};
    ::localtime_r(&time.tv_sec, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

FileMark MarkOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

FileState ReadFileState(const std::string& path)
{
    FileState state{MarkOf(path), 0, MarkOf(path + "-wal")};
    if (state.file.present)
        state.contentHash = HashOfContent(path);
    return state;
}

std::string DescribeChange(const FileState& before, const FileState& now)
{
    const FileMark& was = before.file;
    const FileMark& is = now.file;
    if (was.present && !is.present)
        return "- plik został usunięty";
    if (!was.present && is.present)
        return "- plik powstał na nowo";
    std::string lines;
    auto add = [&lines](const std::string& line) {
        lines += (lines.empty() ? "- " : "\n- ") + line;
    };
    if (was.device != is.device || was.inode != is.inode)
        add("plik został zastąpiony innym plikiem");
    if (was.size != is.size)
        add("rozmiar: był " + std::to_string(was.size) + " B, jest " + std::to_string(is.size) +
            " B");
    if (!Same(was.modified, is.modified))
        add("czas modyfikacji: był " + LocalTime(was.modified) + ", jest " +
            LocalTime(is.modified));
    if (before.contentHash != now.contentHash)
        add("zawartość pliku jest inna");
    if (!(before.log == now.log))
        add("inny program zapisał zmiany w dzienniku \"-wal\" obok pliku");
    return lines;
}
