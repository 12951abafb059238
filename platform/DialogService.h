#pragma once
// Everything modal that a person answers goes through this one service: message boxes,
// input queries, file dialogs, the printer set-up dialog and modal showing of a window.
// Production answers through Qt dialogs; tests install ScriptedDialogs (ScriptedDialogs.h).
// Every request may come from any thread: it is answered on the GUI thread while the
// asking thread waits.

#include <QString>

#include <optional>

class QDialog;
class QPrinter;

enum class MsgIcon { None, Error, Warning, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };
enum class FileDialog { Open, Save };

// The button of `buttons` that `wanted` names, else the set's first.
Answer DefaultButtonOf(MsgButtons buttons, std::optional<Answer> wanted);

class DialogService {
public:
    virtual ~DialogService();

    // The service in use: the installed one, else the Qt one.
    static DialogService& instance();

    // A message box; an empty caption is shown as an empty title, the character 7 in the
    // text as a line break (the caller's text keeps it). Closing the box
    // without a button answers Ok, No (YesNo) or Cancel (YesNoCancel).
    // `defaultButton` is the one Enter presses: by default the set's first (Ok, Yes). A
    // question whose "Tak" deletes or overwrites stored data passes Answer::No, so no
    // single key gives the data away.
    Answer message(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons,
                   std::optional<Answer> defaultButton = std::nullopt);

    // A one-line text query; nullopt when cancelled. The answer holds no line break and
    // only characters Windows-1250 holds: others are left out, and the person is told which.
    std::optional<QString> inputQuery(const QString& caption, const QString& prompt,
                                      const QString& initial);
    // An input query for a name the program stores: an empty (or blank) answer is refused
    // with a message and the query asked again, until a name or a cancel.
    std::optional<QString> nameQuery(const QString& caption, const QString& prompt,
                                     const QString& initial);

    // The two shared file dialogs. `windowsFilter` is "Description(*.ext)|*.ext[|...]".
    // Exactly `initialName` is proposed (empty: no name): the service remembers nothing,
    // so no command is offered the file another command chose; a command that offers its
    // own last name keeps it itself. nullopt when cancelled. The name is returned as
    // chosen: callers add a missing extension.
    std::optional<QString> openFileName(const QString& title, const QString& windowsFilter,
                                        const QString& initialName);
    std::optional<QString> saveFileName(const QString& title, const QString& windowsFilter,
                                        const QString& initialName);

    // The printer set-up dialog on `printer`; true when the person confirmed it.
    bool printerSetup(QPrinter& printer);

    // Shows `dialog` modally and returns its result code (QDialog::Accepted/Rejected or
    // whatever the dialog passed to done()).
    int showModal(QDialog& dialog);

protected:
    DialogService() = default;
    // Makes `service` the one instance() returns; returns the previous one (null = Qt).
    static DialogService* install(DialogService* service);

    // The answering itself, always on the GUI thread. `defaultButton` is one of the set's.
    virtual Answer askMessage(const QString& text, const QString& caption, MsgIcon icon,
                              MsgButtons buttons, Answer defaultButton);
    virtual std::optional<QString> askInput(const QString& caption, const QString& prompt,
                                            const QString& initial);
    virtual std::optional<QString> askFileName(FileDialog dialog, const QString& title,
                                               const QString& windowsFilter,
                                               const QString& proposedName);
    virtual bool askPrinterSetup(QPrinter& printer);
    virtual int askModal(QDialog& dialog);

private:
    std::optional<QString> fileName(FileDialog dialog, const QString& title,
                                    const QString& windowsFilter, const QString& initialName);
};
