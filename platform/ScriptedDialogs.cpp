#include "platform/ScriptedDialogs.h"

#include <QDialog>

#include <cstdio>
#include <cstdlib>

namespace {

const char* iconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return "None";
    case MsgIcon::Error:
        return "Error";
    case MsgIcon::Warning:
        return "Warning";
    case MsgIcon::Question:
        return "Question";
    case MsgIcon::Information:
        return "Information";
    }
    return "?";
}

std::string describe(const DialogRequest& r)
{
    std::string s = DialogKindName(r.kind);
    s += " caption=\"" + r.caption.toStdString() + "\" text=\"" + r.text.toStdString() + "\"";
    if (r.kind == DialogKind::Message)
        s += std::string(" icon=") + iconName(r.icon);
    return s;
}

void abortWith(const std::string& message)
{
    std::fprintf(stderr, "ScriptedDialogs: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace

const char* DialogKindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Message:
        return "Message";
    case DialogKind::InputQuery:
        return "InputQuery";
    case DialogKind::OpenFile:
        return "OpenFile";
    case DialogKind::SaveFile:
        return "SaveFile";
    case DialogKind::PrinterSetup:
        return "PrinterSetup";
    case DialogKind::Modal:
        return "Modal";
    }
    return "?";
}

ScriptedDialogs::ScriptedDialogs()
    : onFailure_(abortWith)
{
    previous_ = install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    install(previous_);
    if (!answers_.empty())
        onFailure_(std::to_string(answers_.size()) +
                   " scripted answer(s) never asked for, the first a " +
                   DialogKindName(answers_.front().kind));
}

ScriptedDialogs& ScriptedDialogs::push(DialogKind kind, Payload payload)
{
    answers_.push_back({kind, std::move(payload)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerMessage(Answer answer)
{
    return push(DialogKind::Message, answer);
}

ScriptedDialogs& ScriptedDialogs::answerInput(std::optional<QString> text)
{
    return push(DialogKind::InputQuery, std::move(text));
}

ScriptedDialogs& ScriptedDialogs::answerOpenFile(std::optional<QString> name)
{
    return push(DialogKind::OpenFile, std::move(name));
}

ScriptedDialogs& ScriptedDialogs::answerSaveFile(std::optional<QString> name)
{
    return push(DialogKind::SaveFile, std::move(name));
}

ScriptedDialogs& ScriptedDialogs::answerPrinterSetup(bool confirmed)
{
    return push(DialogKind::PrinterSetup, confirmed);
}

ScriptedDialogs& ScriptedDialogs::answerModal(int resultCode)
{
    return push(DialogKind::Modal, resultCode);
}

ScriptedDialogs& ScriptedDialogs::answerModal(ModalAction action)
{
    return push(DialogKind::Modal, std::move(action));
}

std::vector<DialogRequest> ScriptedDialogs::requestsOf(DialogKind kind) const
{
    std::vector<DialogRequest> out;
    for (const DialogRequest& r : requests_)
        if (r.kind == kind)
            out.push_back(r);
    return out;
}

std::optional<ScriptedDialogs::Payload> ScriptedDialogs::take(DialogRequest request)
{
    requests_.push_back(request);
    if (answers_.empty()) {
        onFailure_("unexpected request, no answer left: " + describe(request));
        return std::nullopt;
    }
    if (answers_.front().kind != request.kind) {
        onFailure_("request " + describe(request) + " while the next answer is for a " +
                   DialogKindName(answers_.front().kind));
        return std::nullopt;
    }
    Payload payload = std::move(answers_.front().payload);
    answers_.pop_front();
    return payload;
}

Answer ScriptedDialogs::askMessage(const QString& text, const QString& caption, MsgIcon icon,
                                   MsgButtons buttons, Answer defaultButton)
{
    auto p = take({DialogKind::Message, text, caption, icon, buttons, {}, defaultButton});
    if (!p)
        return buttons == MsgButtons::Ok ? Answer::Ok : Answer::Cancel;
    return std::get<Answer>(*p);
}

std::optional<QString> ScriptedDialogs::askInput(const QString& caption, const QString& prompt,
                                                 const QString& initial)
{
    auto p =
        take({DialogKind::InputQuery, prompt, caption, MsgIcon::None, MsgButtons::Ok, initial});
    return p ? std::get<std::optional<QString>>(*p) : std::nullopt;
}

std::optional<QString> ScriptedDialogs::askFileName(FileDialog dialog, const QString& title,
                                                    const QString& windowsFilter,
                                                    const QString& proposedName)
{
    const DialogKind kind =
        dialog == FileDialog::Open ? DialogKind::OpenFile : DialogKind::SaveFile;
    auto p = take({kind, proposedName, title, MsgIcon::None, MsgButtons::Ok, windowsFilter});
    return p ? std::get<std::optional<QString>>(*p) : std::nullopt;
}

bool ScriptedDialogs::askPrinterSetup(QPrinter&)
{
    auto p = take({DialogKind::PrinterSetup, {}, {}, MsgIcon::None, MsgButtons::Ok, {}});
    return p && std::get<bool>(*p);
}

int ScriptedDialogs::askModal(QDialog& dialog)
{
    auto p = take({DialogKind::Modal,
                   dialog.objectName(),
                   dialog.windowTitle(),
                   MsgIcon::None,
                   MsgButtons::Ok,
                   {}});
    if (!p)
        return QDialog::Rejected;
    // The dialog is really shown, so its show handlers run as they would for a person.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    int result = QDialog::Rejected;
    if (auto* action = std::get_if<ModalAction>(&*p)) {
        (*action)(dialog);
        result = dialog.result();
    } else {
        result = std::get<int>(*p);
        dialog.setResult(result);
    }
    if (dialog.isVisible())
        dialog.hide();
    return result;
}
