#pragma once
// The dialog service for tests: answers every request from a queue, in order, and records
// each request so a test can assert the exact texts, captions, icons and buttons.
// Constructing it installs it; destroying it puts the previous service back.
// A request that finds no answer of its kind is a failure: the failure handler is called
// (by default it prints the request and aborts the process) and the request is cancelled.

#include "platform/DialogService.h"

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

enum class DialogKind { Message, InputQuery, OpenFile, SaveFile, PrinterSetup, Modal };

struct DialogRequest {
    DialogKind kind;
    QString text;     // message text, query prompt, proposed file name, dialog object name
    QString caption;  // message caption, query caption, file dialog title, dialog window title
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString detail;                     // query initial text, file dialog filter (as passed)
    Answer defaultButton = Answer::Ok;  // a message's button that Enter presses
};

class ScriptedDialogs : public DialogService {
public:
    using FailureHandler = std::function<void(const std::string& message)>;
    // Runs against the dialog while it is shown; the dialog's result() is the answer.
    using ModalAction = std::function<void(QDialog&)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogs& answerMessage(Answer answer);
    ScriptedDialogs& answerInput(std::optional<QString> text);
    ScriptedDialogs& answerOpenFile(std::optional<QString> name);
    ScriptedDialogs& answerSaveFile(std::optional<QString> name);
    ScriptedDialogs& answerPrinterSetup(bool confirmed);
    ScriptedDialogs& answerModal(int resultCode);
    ScriptedDialogs& answerModal(ModalAction action);

    const std::vector<DialogRequest>& requests() const { return requests_; }
    std::vector<DialogRequest> requestsOf(DialogKind kind) const;
    std::size_t pendingAnswers() const { return answers_.size(); }
    void clearRequests() { requests_.clear(); }

    // Replaces the failure handler (tests may report through their framework instead).
    void setFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }

protected:
    Answer askMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override;
    std::optional<QString> askInput(const QString& caption, const QString& prompt,
                                    const QString& initial) override;
    std::optional<QString> askFileName(FileDialog dialog, const QString& title,
                                       const QString& windowsFilter,
                                       const QString& proposedName) override;
    bool askPrinterSetup(QPrinter& printer) override;
    // Really shows the dialog (its show handlers run), runs the scripted action against
    // it or sets the scripted result, and hides it again.
    int askModal(QDialog& dialog) override;

private:
    using Payload = std::variant<Answer, std::optional<QString>, bool, int, ModalAction>;
    struct Scripted {
        DialogKind kind;
        Payload payload;
    };

    ScriptedDialogs& push(DialogKind kind, Payload payload);
    // Records `request` and takes the next answer; nullopt (after reporting) when the
    // queue is empty or its next answer is of another kind.
    std::optional<Payload> take(DialogRequest request);

    std::deque<Scripted> answers_;
    std::vector<DialogRequest> requests_;
    FailureHandler onFailure_;
    DialogService* previous_ = nullptr;
};

const char* DialogKindName(DialogKind kind);
