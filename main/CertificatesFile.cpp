#include "main/CertificatesFile.h"

#include <QFileInfo>

#include <cerrno>
#include <fstream>
#include <string>

#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "store/DatabaseCopy.h"
#include "store/FileCopy.h"
#include "store/FileState.h"
#include "main/Glowna.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "store/Folders.h"
#include "store/Log.h"

namespace {

constexpr const char* kCertificatesFilter = "Velmorandia(*.sqvlm)|*.sqvlm";

// Empties the stream, writes `text`, logs it under `fun` and shows it.
void Report(TFGlowna& window, const std::string& text, const char* fun, const QString& caption,
            MsgIcon icon)
{
    window.ErrorStream.str(text);
    LogWrite(window.ErrorStream, fun);
    DialogService::instance().message(QString::fromStdString(text), caption, icon, MsgButtons::Ok);
}

std::string Code(int error)
{
    return std::to_string(error);
}

// What a copy's EBUSY means to the user; nothing for other codes, which the code names.
std::string BusyReason(int error, const char* what)
{
    return error == EBUSY ? std::string("\n\n") + what : std::string();
}

constexpr const char* kOpenFun = "bFunWczytajPlikSwiadectw()";
constexpr const char* kTargetInUse =
    "Plik jest w tej chwili otwarty w innym programie. Zamknij go tam i zapisz ponownie.";

// A pipe, a device or a folder under the chosen name would hold the program or never give
// a certificates file: refused before anything is deleted.
bool RefusedAsNoFile(TFGlowna& window, const std::string& path)
{
    if (!FileExists(path) || IsRegularFile(path))
        return false;
    Report(window,
           "Wybrana nazwa nie wskazuje zwykłego pliku:\n" + path +
               "\nDane świadectw nie zostały wczytane.",
           kOpenFun, "Błąd", MsgIcon::Error);
    return true;
}

// The certificates file as this program last read or wrote it: a save compares the file on
// disk with it, so another user's save in between is not replaced unasked.
struct KnownFile {
    std::string path;
    FileState state;
};

KnownFile& LastReadOrWritten()
{
    static KnownFile known;
    return known;
}

void Remember(const std::string& path)
{
    LastReadOrWritten() = {path, ReadFileState(path)};
}

// Whether `target` is the file last read or written, under its name or another one.
bool IsKnownFile(const std::string& target, const FileState& now)
{
    const FileMark& known = LastReadOrWritten().state.file;
    return LastReadOrWritten().path == target ||
           (known.present && now.file.present && known.device == now.file.device &&
            known.inode == now.file.inode);
}

// Asks before replacing a file someone else wrote since this program read or wrote it; true
// when there is nothing to ask or the user wants it replaced.
bool ReplacingAnotherSaveConfirmed(const std::string& target)
{
    const FileState now = ReadFileState(target);
    if (!IsKnownFile(target, now))
        return true;
    const std::string change = DescribeChange(LastReadOrWritten().state, now);
    if (change.empty())
        return true;
    return DialogService::instance().message(
               QString::fromStdString(
                   "Plik\n" + target +
                   "\nzmienił się na dysku, odkąd program go otworzył lub ostatnio zapisał:\n" +
                   change +
                   "\n\nMógł go zapisać inny użytkownik albo ten program na innym komputerze. "
                   "Zastąpienie pliku usunie zmiany, które ktoś inny w nim zapisał.\n\n"
                   "Czy mimo to zastąpić plik danymi z programu?"),
               "Zapisz", MsgIcon::Warning, MsgButtons::YesNo, Answer::No) == Answer::Yes;
}

}  // namespace

bool bFunWczytajPlikSwiadectw(TFGlowna& window, const QString& path)
{
    ErrorStream& es = window.ErrorStream;
    if (RefusedAsNoFile(window, path.toStdString()))
        return false;
    if (!bFunDeleteTmpFile(es)) {
        DialogService::instance().message(QString::fromStdString(es.str()), "Błąd", MsgIcon::Error,
                                          MsgButtons::Ok);
        return false;
    }
    const std::string source = path.toStdString();
    const std::string working = DataTmpPath(es);
    // Taken before the copy: a change made while it runs is then asked about at a save.
    const FileState opened = ReadFileState(source);
    // The working copy takes what SQLite reads from the file: a write cut off or a log not
    // yet moved into the file is taken in, and the user's file is only read.
    const DatabaseCopyResult copy = CopyDatabaseAsRead(source, working);
    if (copy.error != 0) {
        Report(window,
               "Błąd kopiowania pliku\nz :" + source + "\ndo :" + working +
                   "\nKod błędu: " + Code(copy.error) + "\nDane świadectw nie zostały wczytane." +
                   BusyReason(copy.error,
                              "Inny program zapisywał plik przez cały czas próby odczytu."),
               kOpenFun, "Błąd", MsgIcon::Error);
        return false;
    }
    if (!ClearFileAttributes(es, source)) {
        Report(window,
               "Uwaga\nJeśli plik posiada atrybut \"tylko do odczytu\" zapis danych nie będzie "
               "możliwy.\nKod: " +
                   Code(errno),
               kOpenFun, "Uwaga", MsgIcon::Warning);
    }
    if (!ClearFileAttributes(es, working)) {
        Report(window,
               "Błąd podczas próby sprawdzenia atrybutów pliku.\n" + working +
                   "\nJeśli plik posiada atrybut \"tylko do odczytu\" zapis danych nie będzie "
                   "możliwy.\nKod błędu: " +
                   Code(errno),
               kOpenFun, "Błąd", MsgIcon::Error);
    }
    if (!copy.damage.empty()) {
        Report(window,
               "Plik\n" + source + "\njest uszkodzony. SQLite znajduje w nim:\n" + copy.damage +
                   "\n\nCzęść danych może być nieczytelna lub niepełna. Sprawdź uczniów przed "
                   "zapisaniem pliku.",
               kOpenFun, "Uwaga", MsgIcon::Warning);
    }
    LastReadOrWritten() = {source, opened};
    // A save into that folder cut off by a killed program left its temporary there.
    RemoveLeftCopyTemporaries(QFileInfo(path).absolutePath().toStdString());
    // The open still counts when its students cannot be read, but the tree must not go on
    // showing the students of the file that was open before.
    if (!window.ReloadStudentsList())
        window.RemoveAllNodes();
    return true;
}

bool bFunZapiszIstniejacyPlikSwiadectw(TFGlowna& window)
{
    static constexpr const char* kFun = "bFunZapiszIstniejacyPlikSwiadectw()";
    ErrorStream& es = window.ErrorStream;
    const std::string target = window.currentPath().toStdString();
    const std::string working = DataTmpPath(es);
    if (!ReplacingAnotherSaveConfirmed(target))
        return false;
    if (!ClearFileAttributes(es, target)) {
        Report(window,
               "Błąd podczas próby sprawdzenia atrybutów pliku\n" + target +
                   "\nJeśli plik ma atrybut \"tylko do odczytu\"\nzapis danych nie będzie "
                   "możliwy.\nKod błędu: " +
                   Code(errno),
               kFun, "Atrybuty", MsgIcon::Warning);
    }
    if (const int error = ReplaceDatabaseFile(working, target)) {
        Report(window,
               "Błąd kopiowania pliku z\n" + working + "\ndo:\n" + target + "\nKod błędu: " +
                   Code(error) + "\n\nDane nie zostały zapisane." + BusyReason(error, kTargetInUse),
               kFun, "Błąd", MsgIcon::Error);
        return false;
    }
    Remember(target);
    return true;
}

bool bFunZapiszNowyPlikSwiadectw(TFGlowna& window)
{
    static constexpr const char* kFun = "bFunZapiszNowyPlikSwiadectw()";
    ErrorStream& es = window.ErrorStream;
    DialogService& dialogs = DialogService::instance();
    const std::string working = DataTmpPath(es);
    const auto chosen =
        dialogs.saveFileName("Zapisz", kCertificatesFilter, window.SaveDialogFileName);
    if (!chosen)
        return false;
    window.SaveDialogFileName = *chosen;
    QString name = *chosen;
    if (QFileInfo(name).suffix().isEmpty())
        name += ".sqvlm";
    const std::string target = name.toStdString();

    if (FileExists(target)) {
        if (dialogs.message("Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?",
                            "Zapisz", MsgIcon::Question, MsgButtons::YesNo,
                            Answer::No) != Answer::Yes ||
            !ReplacingAnotherSaveConfirmed(target))
            return false;
        if (!ClearFileAttributes(es, target)) {
            Report(window,
                   "Funkcja: vFunZapiszNowyPlikSwiadectw()\n\nBłąd podczas próby sprawdzenia "
                   "atrybutów pliku\n" +
                       target +
                       "\nJeśli plik ma atrybut \"tylko do odczytu\"\nzapis danych nie będzie "
                       "możliwy.\nKod błędu: " +
                       Code(errno),
                   kFun, "Atrybuty", MsgIcon::Warning);
        }
    }
    // A new file to which nothing was added: an empty file is a file without students.
    if (!FileExists(working))
        std::ofstream{working, std::ios::binary};
    if (const int error = ReplaceDatabaseFile(working, target)) {
        Report(
            window,
            "Funkcja: vFunZapiszNowyPlikSwiadectw()\n\nBłąd podczas próby kopiowania pliku\nz\n" +
                working + "\ndo\n" + target + "\nKod błędu: " + Code(error) +
                "\n\nDane nie zostały zapisane." + BusyReason(error, kTargetInUse),
            kFun, "Błąd", MsgIcon::Error);
        return false;
    }
    Remember(target);
    window.setCurrentPath(name);
    return true;
}

void TFGlowna::NowyPlikToolButtonClick()
{
    if (Modified == 1 &&
        DialogService::instance().message("Czy chcesz zapisać zmiany ?", "Edycja",
                                          MsgIcon::Question, MsgButtons::YesNo) == Answer::Yes) {
        const bool saved = FileExists(currentPath().toStdString())
                               ? bFunZapiszIstniejacyPlikSwiadectw(*this)
                               : bFunZapiszNowyPlikSwiadectw(*this);
        if (!saved)
            return;
    }
    ResetAll();
}

void TFGlowna::ResetAll()
{
    RemoveAllNodes();
    setCurrentPath(QString());
    StatusBar->repaint();
    bFunDeleteTmpFile(ErrorStream);
    FormRegistry& forms = FormRegistry::instance();
    forms.ClearAll();
    FDaneUcznia->ClearFields();
    // The preview of the cleared class I certificate, under document type 0.
    if (DocumentForm* first = forms.form("TFSwiad205kl1"))
        RenderDocument(*first, RenderPreview, 0, 2, true, true);
}

void TFGlowna::OtworzPlikToolButtonClick()
{
    DialogService& dialogs = DialogService::instance();
    // A save that failed or was cancelled keeps the changes: nothing is opened over them.
    if (Modified == 1 &&
        dialogs.message("Czy chcesz zapisać zmiany ?", QString(), MsgIcon::None,
                        MsgButtons::YesNo) == Answer::Yes &&
        !Zapisz1Click())
        return;
    const auto chosen = dialogs.openFileName("Wczytaj plik", kCertificatesFilter, QString());
    if (!chosen || RefusedAsNoFile(*this, chosen->toStdString()))
        return;
    if (bFunWczytajPlikSwiadectw(*this, *chosen)) {
        setCurrentPath(*chosen);
        StatusBar->repaint();
        return;
    }
    setCurrentPath(QString());
    StatusBar->repaint();
    bFunDeleteTmpFile(ErrorStream);
    RemoveAllNodes();
}

bool TFGlowna::Zapisz1Click()
{
    const bool saved = FileExists(currentPath().toStdString())
                           ? bFunZapiszIstniejacyPlikSwiadectw(*this)
                           : bFunZapiszNowyPlikSwiadectw(*this);
    if (saved)
        Modified = 0;
    return saved;
}

void TFGlowna::Zapiszjako1Click()
{
    bFunZapiszNowyPlikSwiadectw(*this);
}
