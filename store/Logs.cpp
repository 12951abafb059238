#include "store/Logs.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <thread>

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"

extern char** environ;

bool bFunSqlGetLogsData(ErrorStream& es, std::vector<LogRecord>& out)
{
    const std::string path = JoinPath(strFunGetMainDirPath(es), kLogFileName);
    if (!FileExists(path))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"Sql exception: ", "bFunSqlGetLogsData()", nullptr, &db}, [&] {
        db.Open(path);
        CppSQLite3Query query = db.RunQuery("select * from `error`");
        for (; !query.AtEnd(); query.Step())
            out.push_back({query.ColumnTextByName("datetime"), query.ColumnTextByName("fun"),
                           query.ColumnTextByName("info")});
        query.Release();
        db.Close();
        return true;
    });
}

bool XdgEmailSender::Send(const MailMessage& m)
{
    std::vector<std::string> args = {"xdg-email", "--utf8", "--subject",
                                     m.subject,   "--body", m.body};
    if (!m.attachmentPath.empty()) {
        args.push_back("--attach");
        args.push_back(m.attachmentPath);
    }
    args.push_back(m.recipient);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-email", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + handOverWait_;
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            // Reaped whenever the mail program closes; the caller goes on now.
            std::thread([pid] {
                int reapedStatus = 0;
                while (waitpid(pid, &reapedStatus, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

std::mutex senderMutex;
std::shared_ptr<MailSender> mailSender;

std::shared_ptr<MailSender> CurrentSender()
{
    std::lock_guard lock(senderMutex);
    if (!mailSender)
        mailSender = std::make_shared<XdgEmailSender>();
    return mailSender;
}

}  // namespace

void SetMailSender(std::shared_ptr<MailSender> sender)
{
    std::lock_guard lock(senderMutex);
    mailSender = std::move(sender);
}

bool SendFileByMail(ErrorStream&, const std::string& subject, const std::string& recipient,
                    const std::string& body, const std::string& attachmentPath,
                    const std::string& attachmentName)
{
    return CurrentSender()->Send({subject, recipient, body, attachmentPath, attachmentName});
}
