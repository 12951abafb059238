#include "tests/support/BoundedChild.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>

namespace {

void WriteAll(int fd, const std::string& text)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written <= 0)
            return;
        done += std::size_t(written);
    }
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        text.append(buffer, std::size_t(got));
    }
    return text;
}

}  // namespace

std::string RunInBoundedChild(const std::function<std::string()>& body, unsigned seconds)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe for the child";
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return "no child process";
    }
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(seconds);
        std::string result;
        try {
            result = body();
        } catch (const std::exception& e) {
            result = std::string("an exception escaped: ") + e.what();
        } catch (...) {
            result = "an exception escaped";
        }
        WriteAll(channel[1], result);
        ::_exit(0);
    }
    ::close(channel[1]);
    const std::string reported = ReadAll(channel[0]);
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGALRM ? "still running after " + std::to_string(seconds) + " s"
                                           : "killed by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0)
        return "exit code " + std::to_string(WEXITSTATUS(status));
    return reported;
}

int ThreadCount()
{
    int threads = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++threads;
    return threads;
}

std::string ThreadNames()
{
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        std::getline(comm, name);
        names += (names.empty() ? "" : ",") + name;
    }
    return names;
}
