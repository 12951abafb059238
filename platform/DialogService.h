#pragma once
// Everything modal that a person answers goes through this one service: message boxes,
// input queries, file dialogs, the printer set-up dialog and modal showing of a window.
// Production answers through Qt dialogs; tests install ScriptedDialogs (ScriptedDialogs.h).

#include <QString>

#include <map>
#include <optional>
#include <utility>

class QDialog;
class QPrinter;

enum class MsgIcon { None, Error, Warning, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class DialogService {
public:
    virtual ~DialogService();

    // The service in use: the installed one, else the Qt one.
    static DialogService& instance();

    // A message box; an empty caption is shown as an empty title. Closing the box
    // without a button answers Cancel (YesNoCancel), No (YesNo) or Ok.
    virtual Answer message(const QString& text, const QString& caption, MsgIcon icon,
                           MsgButtons buttons);

    // A one-line text query; nullopt when cancelled.
    virtual std::optional<QString> inputQuery(const QString& caption, const QString& prompt,
                                              const QString& initial);

    // File dialogs. `windowsFilter` is "Description(*.ext)|*.ext[|...]"; an empty
    // `initialName` starts from the last name chosen with the same filter. nullopt when
    // cancelled. The name is returned as chosen: callers add a missing extension.
    virtual std::optional<QString> openFileName(const QString& title, const QString& windowsFilter,
                                                const QString& initialName);
    virtual std::optional<QString> saveFileName(const QString& title, const QString& windowsFilter,
                                                const QString& initialName);

    // The printer set-up dialog on `printer`; true when the person confirmed it.
    virtual bool printerSetup(QPrinter& printer);

    // Shows `dialog` modally and returns its result code (QDialog::Accepted/Rejected or
    // whatever the dialog passed to done()).
    virtual int showModal(QDialog& dialog);

protected:
    DialogService() = default;
    // Makes `service` the one instance() returns until uninstall(); returns the previous one.
    static DialogService* install(DialogService* service);

private:
    friend class ScriptedDialogs;
    std::optional<QString> fileName(bool save, const QString& title, const QString& windowsFilter,
                                    const QString& initialName);
    std::map<std::pair<bool, QString>, QString> lastNames_;
};
