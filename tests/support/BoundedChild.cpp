#include "tests/support/BoundedChild.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>

namespace {

// The first byte of every report: a child that ends without it did not finish its case.
constexpr char kReported = '=';

// Collects the assertions that fail in the child: the test's own record of them goes with
// the child's memory.
class FailureCollector : public ::testing::EmptyTestEventListener {
public:
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (!result.failed())
            return;
        failures += (failures.empty() ? "" : "; ") +
                    std::string(result.file_name() ? result.file_name() : "?") + ":" +
                    std::to_string(result.line_number()) + ": " + result.summary();
    }
    std::string failures;
};

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
    // Close-on-exec: a program the case starts must not hold the pipe open past the child.
    if (::pipe2(channel, O_CLOEXEC) != 0)
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
        auto* collector = new FailureCollector;  // owned by the listener list
        ::testing::UnitTest::GetInstance()->listeners().Append(collector);
        std::string result;
        try {
            result = body();
        } catch (const std::exception& e) {
            result = std::string("an exception escaped: ") + e.what();
        } catch (...) {
            result = "an exception escaped";
        }
        if (!collector->failures.empty())
            result += (result.empty() ? "" : "; ") + std::string("failed assertions: ") +
                      collector->failures;
        WriteAll(channel[1], kReported + result);
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
    if (reported.empty() || reported.front() != kReported)
        return "ended without finishing its case";
    return reported.substr(1);
}

std::string Joined(const std::vector<std::string>& failures)
{
    std::string text;
    for (const std::string& failure : failures)
        text += failure + "\n";
    return text;
}

int ThreadCount()
{
    int threads = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
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
