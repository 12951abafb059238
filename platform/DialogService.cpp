#include "platform/DialogService.h"

#include "platform/FileFilter.h"
#include "platform/GuiThread.h"
#include "platform/InputFilter.h"
#include "platform/PrinterSetupDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QValidator>

namespace {

// An answer ends up in a Windows-1250 file: what that cannot hold is left out at input,
// and the dialog says so under its prompt, without a box of its own over it.
class Cp1250Validator : public QValidator {
public:
    Cp1250Validator(QInputDialog* dialog, const QString& prompt)
        : QValidator(dialog)
        , dialog_(dialog)
        , prompt_(prompt)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        const Cp1250Split split = SplitCp1250(JoinLines(input));
        if (split.refused.isEmpty() && split.kept == input)
            return Acceptable;
        pos = int(SplitCp1250(JoinLines(input.left(pos))).kept.size());
        input = split.kept;
        if (!split.refused.isEmpty())
            dialog_->setLabelText(prompt_ + QStringLiteral("\n\n") +
                                  RefusedCharactersMessage(split.refused));
        return Acceptable;
    }

private:
    QInputDialog* dialog_;
    QString prompt_;
};

// Qt's own file dialog reads a typed name with a quote as a list of quoted names, and would
// return another name, in another folder: such a name is refused and the dialog stays open.
class FileNameDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit && edit->isVisible() && edit->text().contains(u'"')) {
            DialogService::instance().message(
                QStringLiteral("Nazwa pliku nie może zawierać cudzysłowu (\").\nPopraw nazwę: ") +
                    edit->text(),
                windowTitle(), MsgIcon::Warning, MsgButtons::Ok);
            return;
        }
        QFileDialog::accept();
    }
};

DialogService* installed = nullptr;

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The window manager shows the application's name for an empty title; a blank keeps the
// title bar empty.
QString shownCaption(const QString& caption)
{
    return caption.isEmpty() ? QStringLiteral(" ") : caption;
}

// The bell character (7) in a message stands for a line break.
QString shownText(QString text)
{
    return text.replace(QChar(7), QChar(u'\n'));
}

QMessageBox::StandardButton qtButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

}  // namespace

Answer DefaultButtonOf(MsgButtons buttons, std::optional<Answer> wanted)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return Answer::Ok;
    case MsgButtons::YesNo:
        return wanted == Answer::No ? Answer::No : Answer::Yes;
    case MsgButtons::YesNoCancel:
        return wanted == Answer::No || wanted == Answer::Cancel ? *wanted : Answer::Yes;
    }
    return Answer::Ok;
}

DialogService::~DialogService() = default;

DialogService& DialogService::instance()
{
    static DialogService qtDialogs;
    return installed ? *installed : qtDialogs;
}

DialogService* DialogService::install(DialogService* service)
{
    return std::exchange(installed, service);
}

Answer DialogService::message(const QString& text, const QString& caption, MsgIcon icon,
                              MsgButtons buttons, std::optional<Answer> defaultButton)
{
    const Answer preselected = DefaultButtonOf(buttons, defaultButton);
    return CallOnGuiThread([&] { return askMessage(text, caption, icon, buttons, preselected); });
}

std::optional<QString> DialogService::inputQuery(const QString& caption, const QString& prompt,
                                                 const QString& initial)
{
    std::optional<QString> answer =
        CallOnGuiThread([&] { return askInput(caption, prompt, initial); });
    if (!answer)
        return answer;
    const Cp1250Split split = SplitCp1250(JoinLines(*answer));
    TellRefusedCharacters(split.refused);
    return split.kept;
}

std::optional<QString> DialogService::nameQuery(const QString& caption, const QString& prompt,
                                                const QString& initial)
{
    for (;;) {
        std::optional<QString> name = inputQuery(caption, prompt, initial);
        if (!name || !name->trimmed().isEmpty())
            return name;
        message(QStringLiteral("Nazwa nie może być pusta. Proszę podać nazwę."), caption,
                MsgIcon::Warning, MsgButtons::Ok);
    }
}

std::optional<QString> DialogService::openFileName(const QString& title,
                                                   const QString& windowsFilter,
                                                   const QString& initialName)
{
    return fileName(FileDialog::Open, title, windowsFilter, initialName);
}

std::optional<QString> DialogService::saveFileName(const QString& title,
                                                   const QString& windowsFilter,
                                                   const QString& initialName)
{
    return fileName(FileDialog::Save, title, windowsFilter, initialName);
}

std::optional<QString> DialogService::fileName(FileDialog dialog, const QString& title,
                                               const QString& windowsFilter,
                                               const QString& initialName)
{
    return CallOnGuiThread([&] { return askFileName(dialog, title, windowsFilter, initialName); });
}

bool DialogService::printerSetup(QPrinter& printer)
{
    return CallOnGuiThread([&] { return askPrinterSetup(printer); });
}

int DialogService::showModal(QDialog& dialog)
{
    return CallOnGuiThread([&] { return askModal(dialog); });
}

Answer DialogService::askMessage(const QString& text, const QString& caption, MsgIcon icon,
                                 MsgButtons buttons, Answer defaultButton)
{
    QMessageBox box(qtIcon(icon), shownCaption(caption), shownText(text), QMessageBox::NoButton,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(qtButton(defaultButton));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        return Answer::Ok;
    case MsgButtons::YesNo:
        return Answer::No;
    case MsgButtons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

std::optional<QString> DialogService::askInput(const QString& caption, const QString& prompt,
                                               const QString& initial)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(initial);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setValidator(new Cp1250Validator(&dialog, prompt));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> DialogService::askFileName(FileDialog kind, const QString& title,
                                                  const QString& windowsFilter,
                                                  const QString& proposedName)
{
    const bool save = kind == FileDialog::Save;
    FileNameDialog dialog(dialogParent(), title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller adds a missing extension itself, and asks before replacing a file.
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QtFileFilter(windowsFilter));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool DialogService::askPrinterSetup(QPrinter& printer)
{
    PrinterSetupDialog dialog(printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int DialogService::askModal(QDialog& dialog)
{
    return dialog.exec();
}
