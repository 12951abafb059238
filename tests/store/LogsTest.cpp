#include <gtest/gtest.h>

#include "store/Folders.h"
#include "store/Log.h"
#include "store/Logs.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

class RecordingSender : public MailSender {
public:
    explicit RecordingSender(bool result) : result_(result) {}
    bool Send(const MailMessage& message) override {
        sent.push_back(message);
        return result_;
    }
    std::vector<MailMessage> sent;

private:
    bool result_;
};

}  // namespace

TEST(LogReading, RowsInOrder) {
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

TEST(LogReading, MissingLogIsSilent) {
    TempFolders folders;
    ErrorStream es = StreamWithOldText();
    std::vector<LogRecord> rows;
    EXPECT_FALSE(bFunSqlGetLogsData(es, rows));
    EXPECT_EQ(es.str(), "older message");
    EXPECT_FALSE(FileExists(folders.dataFile("logs.sqdb")));
}

TEST(LogReading, LogWithoutErrorTableIsLoggedThere) {
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

TEST(Mail, HandsTheMessageToTheSender) {
    for (bool accepted : {true, false}) {
        auto sender = std::make_shared<RecordingSender>(accepted);
        SetMailSender(sender);
        ErrorStream es;
        EXPECT_EQ(SendFileByMail(es, "Logi", "pomoc@example.org", "Logi programu Tovrix-Kalenor", "/d/logs.sqdb",
                                 "logs.sqdb"),
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
