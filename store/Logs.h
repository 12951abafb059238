#pragma once
// Reading the log and handing a file to the desktop's mail program.
#include <chrono>
#include <memory>
#include <string>
#include <vector>
#include "store/ErrorStream.h"
#include "store/Records.h"

// Appends the rows of the log's `error` table; false (silent) when the log is missing.
bool bFunSqlGetLogsData(ErrorStream& es, std::vector<LogRecord>& out);

struct MailMessage {
    std::string subject;
    std::string recipient;
    std::string body;
    std::string attachmentPath;
    std::string attachmentName;
};

// Hands a message to the mail program; true when it took it over.
class MailSender {
public:
    virtual ~MailSender() = default;
    virtual bool Send(const MailMessage& message) = 0;
};

// Production: "xdg-email" with subject, body and attachment; exit code 0 = true. A mail
// program that xdg-email has to start keeps it waiting until that program closes: still
// running after `handOverWait` counts as the message taken over (true).
class XdgEmailSender : public MailSender {
public:
    explicit XdgEmailSender(std::chrono::milliseconds handOverWait = std::chrono::seconds(5))
        : handOverWait_(handOverWait)
    {
    }
    bool Send(const MailMessage& message) override;

private:
    std::chrono::milliseconds handOverWait_;
};

// Replaces the sender (tests); null restores xdg-email.
void SetMailSender(std::shared_ptr<MailSender> sender);

bool SendFileByMail(ErrorStream& es, const std::string& subject, const std::string& recipient,
                    const std::string& body, const std::string& attachmentPath,
                    const std::string& attachmentName);
