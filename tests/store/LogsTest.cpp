#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "store/Folders.h"
#include "store/Log.h"
#include "store/Logs.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

class RecordingSender : public MailSender {
public:
    explicit RecordingSender(bool result)
        : result_(result)
    {
    }
    bool Send(const MailMessage& message) override
    {
        sent.push_back(message);
        return result_;
    }
    std::vector<MailMessage> sent;

private:
    bool result_;
};

}  // namespace

TEST(LogReading, RowsInOrder)
{
    TempFolders folders;
    ErrorStream es;
    for (const char* text : {"pierwszy", "drugi 'z' apostrofem", "trzeci"}) {
        es.str(text);
        LogWrite(es, "f()");
    }
    std::vector<LogRecord> rows;
    ASSERT_TRUE(bFunSqlGetLogsData(es, rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].info, "drugi 'z' apostrofem");
    EXPECT_EQ(rows[2].fun, "f()");
}

TEST(LogReading, MissingLogIsSilent)
{
    TempFolders folders;
    ErrorStream es = StreamWithOldText();
    std::vector<LogRecord> rows;
    EXPECT_FALSE(bFunSqlGetLogsData(es, rows));
    EXPECT_EQ(es.str(), "older message");
    EXPECT_FALSE(FileExists(folders.dataFile("logs.sqdb")));
}

TEST(LogReading, LogWithoutErrorTableIsLoggedThere)
{
    TempFolders folders;
    RawExec(folders.dataFile("logs.sqdb"), "create table other( a );");
    ErrorStream es;
    std::vector<LogRecord> rows;
    EXPECT_FALSE(bFunSqlGetLogsData(es, rows));
    EXPECT_EQ(es.str(), "Sql exception: SQLITE_ERROR");
    const auto logged = LogRows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].fun, "bFunSqlGetLogsData()");
    EXPECT_EQ(logged[0].info, "Sql exception: SQLITE_ERROR");
}

TEST(Mail, HandsTheMessageToTheSender)
{
    for (bool accepted : {true, false}) {
        auto sender = std::make_shared<RecordingSender>(accepted);
        SetMailSender(sender);
        ErrorStream es;
        EXPECT_EQ(SendFileByMail(es, "Logi", "pomoc@example.org", "Logi programu Tovrix-Kalenor",
                                 "/d/logs.sqdb", "logs.sqdb"),
                  accepted);
        ASSERT_EQ(sender->sent.size(), 1u);
        const MailMessage& m = sender->sent[0];
        EXPECT_EQ(m.subject, "Logi");
        EXPECT_EQ(m.recipient, "pomoc@example.org");
        EXPECT_EQ(m.body, "Logi programu Tovrix-Kalenor");
        EXPECT_EQ(m.attachmentPath, "/d/logs.sqdb");
        EXPECT_EQ(m.attachmentName, "logs.sqdb");
        EXPECT_TRUE(es.empty());
    }
    SetMailSender(nullptr);
}

// The production sender against a stand-in "xdg-email" on PATH that records its arguments
// and then exits with a code, or keeps running as a mail program that xdg-email started
// itself would (xdg-email then waits until that program closes).
TEST(Mail, XdgEmailGetsTheMessageAndItsAnswerCounts)
{
    TempFolders folders;
    const std::string bin = folders.root() + "/bin", arguments = folders.root() + "/arguments";
    std::filesystem::create_directory(bin);
    std::ofstream(bin + "/xdg-email")
        << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$VLM_MAIL_ARGUMENTS\"\n"
           "[ \"$VLM_MAIL_EXIT\" = running ] && exec sleep 8 >/dev/null 2>&1\nexit "
           "\"$VLM_MAIL_EXIT\"\n";
    chmod((bin + "/xdg-email").c_str(), 0755);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("VLM_MAIL_ARGUMENTS", arguments.c_str(), 1);

    const struct {
        const char* path;  // PATH while sending
        const char* exit;
        bool sent;
    } cases[] = {
        {"bin", "0", true},
        {"bin", "3", false},       // no mail program configured
        {"bin", "running", true},  // the mail program took the message over
        {"nowhere", "0", false},   // xdg-utils missing
    };
    for (const auto& c : cases) {
        std::filesystem::remove(arguments);
        setenv("PATH",
               (c.path == std::string("bin") ? bin + ":" + oldPath : folders.root() + "/nowhere")
                   .c_str(),
               1);
        setenv("VLM_MAIL_EXIT", c.exit, 1);
        const auto start = std::chrono::steady_clock::now();
        const bool sent = XdgEmailSender(std::chrono::milliseconds(500))
                              .Send({"Logi", "pomoc@example.invalid",
                                     "Logi programu Tovrix-Kalenor", "/d/logs.sqdb", "logs.sqdb"});
        EXPECT_EQ(sent, c.sent) << c.exit;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.exit;
        if (c.path == std::string("bin")) {
            EXPECT_EQ(FileBytes(arguments),
                      "--utf8\n--subject\nLogi\n--body\nLogi programu Tovrix-Kalenor\n"
                      "--attach\n/d/logs.sqdb\npomoc@example.invalid\n")
                << c.exit;
        }
    }
    setenv("PATH", oldPath.c_str(), 1);
    unsetenv("VLM_MAIL_ARGUMENTS");
    unsetenv("VLM_MAIL_EXIT");
}
