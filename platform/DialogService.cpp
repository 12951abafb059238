#include "platform/DialogService.h"

#include "platform/FileFilter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

DialogService* installed = nullptr;

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

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
                              MsgButtons buttons)
{
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, dialogParent());
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
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: return Answer::Ok;
    case MsgButtons::YesNo: return Answer::No;
    case MsgButtons::YesNoCancel: break;
    }
    return Answer::Cancel;
}

std::optional<QString> DialogService::inputQuery(const QString& caption, const QString& prompt,
                                                 const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(dialogParent(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> DialogService::openFileName(const QString& title,
                                                   const QString& windowsFilter,
                                                   const QString& initialName)
{
    return fileName(false, title, windowsFilter, initialName);
}

std::optional<QString> DialogService::saveFileName(const QString& title,
                                                   const QString& windowsFilter,
                                                   const QString& initialName)
{
    return fileName(true, title, windowsFilter, initialName);
}

std::optional<QString> DialogService::fileName(bool save, const QString& title,
                                               const QString& windowsFilter,
                                               const QString& initialName)
{
    QString& last = lastNames_[{save, windowsFilter}];
    QFileDialog dialog(dialogParent(), title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller adds a missing extension itself; Qt must not do it behind its back.
    dialog.setDefaultSuffix(QString());
    dialog.setNameFilter(QtFileFilter(windowsFilter));
    const QString start = initialName.isEmpty() ? last : initialName;
    if (!start.isEmpty())
        dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    last = dialog.selectedFiles().constFirst();
    return last;
}

bool DialogService::printerSetup(QPrinter& printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int DialogService::showModal(QDialog& dialog)
{
    return dialog.exec();
}
