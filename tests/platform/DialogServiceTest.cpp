#include "TestApp.h"

#include "platform/FileFilter.h"
#include "platform/ScriptedDialogs.h"

#include <QDialog>
#include <QPrinter>
#include <QPushButton>

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(FileFilter, TranslatesWindowsFilters)
{
    const struct {
        const char* windows;
        const char* qt;
    } cases[] = {
        {"Velmorandia(*.sqvlm)|*.sqvlm", "Velmorandia (*.sqvlm)"},
        {"Kalibracja(*.sqset)|*.sqset", "Kalibracja (*.sqset)"},
        {"Obrazy (*.jpg;*.bmp)|*.jpg;*.bmp|Wszystkie|*.*", "Obrazy (*.jpg *.bmp);;Wszystkie (*.*)"},
        {"Bez wzorca|", ""},
        {"|*.snv", "*.snv (*.snv)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(c.windows)), QString::fromUtf8(c.qt)) << c.windows;
}

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEveryRequest)
{
    TestApp();
    ScriptedDialogs script;
    script.answerMessage(Answer::No)
        .answerInput(QStringLiteral("Kowalski"))
        .answerOpenFile(std::nullopt)
        .answerSaveFile(QStringLiteral("/tmp/a.sqvlm"))
        .answerPrinterSetup(true);

    DialogService& dialogs = DialogService::instance();
    EXPECT_EQ(dialogs.message(QStringLiteral("Czy chcesz zapisać zmiany ?"), QString(),
                              MsgIcon::None, MsgButtons::YesNo),
              Answer::No);
    EXPECT_EQ(
        dialogs.inputQuery(QStringLiteral("Nazwa"), QStringLiteral("Podaj:"), QStringLiteral("x")),
        QStringLiteral("Kowalski"));
    EXPECT_EQ(dialogs.openFileName(QStringLiteral("Otwórz"),
                                   QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm"), QString()),
              std::nullopt);
    EXPECT_EQ(dialogs.saveFileName(QStringLiteral("Zapisz"),
                                   QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm"),
                                   QStringLiteral("plik")),
              QStringLiteral("/tmp/a.sqvlm"));
    QPrinter printer;
    EXPECT_TRUE(dialogs.printerSetup(printer));
    EXPECT_EQ(script.pendingAnswers(), 0u);

    const auto& r = script.requests();
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].kind, DialogKind::Message);
    EXPECT_EQ(r[0].text, QStringLiteral("Czy chcesz zapisać zmiany ?"));
    EXPECT_TRUE(r[0].caption.isEmpty());
    EXPECT_EQ(r[0].icon, MsgIcon::None);
    EXPECT_EQ(r[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(r[1].detail, QStringLiteral("x"));
    EXPECT_EQ(r[2].detail, QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm"));
    EXPECT_EQ(r[3].text, QStringLiteral("plik"));
    EXPECT_EQ(r[4].kind, DialogKind::PrinterSetup);
}

TEST(ScriptedDialogs, RecordsTheButtonEnterWouldPress)
{
    TestApp();
    const struct {
        MsgButtons buttons;
        std::optional<Answer> wanted;
        Answer recorded;
    } cases[] = {
        {MsgButtons::Ok, std::nullopt, Answer::Ok},
        {MsgButtons::Ok, Answer::No, Answer::Ok},  // a set without "Nie" keeps its one button
        {MsgButtons::YesNo, std::nullopt, Answer::Yes},
        {MsgButtons::YesNo, Answer::No, Answer::No},
        {MsgButtons::YesNo, Answer::Cancel, Answer::Yes},
        {MsgButtons::YesNoCancel, std::nullopt, Answer::Yes},
        {MsgButtons::YesNoCancel, Answer::No, Answer::No},
        {MsgButtons::YesNoCancel, Answer::Cancel, Answer::Cancel},
    };
    for (const auto& c : cases) {
        ScriptedDialogs script;
        script.answerMessage(Answer::Ok);
        DialogService::instance().message(QStringLiteral("Usunąć ?"), QStringLiteral("Usuń"),
                                          MsgIcon::Warning, c.buttons, c.wanted);
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].defaultButton, c.recorded);
    }
}

TEST(ScriptedDialogs, UnexpectedOrMismatchedRequestsAreReported)
{
    TestApp();
    std::vector<std::string> failures;
    {
        ScriptedDialogs script;
        script.setFailureHandler([&](const std::string& m) { failures.push_back(m); });
        script.answerInput(QStringLiteral("x")).answerMessage(Answer::Yes);
        // A message where an input query was scripted: reported and cancelled.
        EXPECT_EQ(DialogService::instance().message(QStringLiteral("t"), QStringLiteral("c"),
                                                    MsgIcon::Error, MsgButtons::YesNo),
                  Answer::Cancel);
        // The scripted answers stay; the destructor reports both as never asked for.
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("Message"), std::string::npos);
    EXPECT_NE(failures[1].find("never asked"), std::string::npos);
}

TEST(ScriptedDialogs, RestoresThePreviousServiceWhenDestroyed)
{
    TestApp();
    DialogService* before = &DialogService::instance();
    {
        ScriptedDialogs outer;
        {
            ScriptedDialogs inner;
            EXPECT_EQ(&DialogService::instance(), &inner);
        }
        EXPECT_EQ(&DialogService::instance(), &outer);
    }
    EXPECT_EQ(&DialogService::instance(), before);
}

TEST(ScriptedDialogs, ModalShowingRunsTheDialogAndReturnsItsResult)
{
    TestApp();
    ScriptedDialogs script;
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("FLogi"));
    dialog.setWindowTitle(QStringLiteral("Logi"));
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    bool wasVisible = false;

    script.answerModal([&](QDialog& d) {
        wasVisible = d.isVisible();
        ok->click();
    });
    script.answerModal(QDialog::Rejected);

    EXPECT_EQ(DialogService::instance().showModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(DialogService::instance().showModal(dialog), QDialog::Rejected);

    ASSERT_EQ(script.requestsOf(DialogKind::Modal).size(), 2u);
    EXPECT_EQ(script.requests()[0].text, QStringLiteral("FLogi"));
    EXPECT_EQ(script.requests()[0].caption, QStringLiteral("Logi"));
}

TEST(DialogService, FileDialogsProposeExactlyTheNameTheCommandGives)
{
    TestApp();
    ScriptedDialogs script;
    const QString filter = QStringLiteral("Velmorandia(*.sqvlm)|*.sqvlm");
    script.answerOpenFile(QStringLiteral("/d/kopia.sqvlm"))
        .answerOpenFile(std::nullopt)
        .answerSaveFile(QStringLiteral("/d/vlm_kalibracja.sqset"))
        .answerSaveFile(std::nullopt);

    DialogService& dialogs = DialogService::instance();
    dialogs.openFileName(QStringLiteral("Wczytaj plik"), filter, QString());
    dialogs.openFileName(QStringLiteral("Wczytaj plik kalibracji"),
                         QStringLiteral("Kalibracja(*.sqset)|*.sqset"), QString());
    dialogs.saveFileName(QStringLiteral("Zapisz plik kalibracji"),
                         QStringLiteral("Kalibracja(*.sqset)|*.sqset"),
                         QStringLiteral("vlm_kalibracja"));
    dialogs.saveFileName(QStringLiteral("Zapisz"), filter, QStringLiteral("nowy"));

    const auto& r = script.requests();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_TRUE(r[0].text.isEmpty());
    EXPECT_TRUE(r[1].text.isEmpty());  // never the file another command chose
    EXPECT_EQ(r[2].text, QStringLiteral("vlm_kalibracja"));
    EXPECT_EQ(r[3].text, QStringLiteral("nowy"));
}

namespace {
// Notes the thread each message box is answered on.
class ThreadNotingDialogs : public ScriptedDialogs {
public:
    QThread* answeredOn = nullptr;

protected:
    Answer askMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override
    {
        answeredOn = QThread::currentThread();
        return ScriptedDialogs::askMessage(text, caption, icon, buttons, defaultButton);
    }
};
}  // namespace

TEST(DialogService, AWorkerThreadsQuestionIsAnsweredOnTheGuiThread)
{
    TestApp();
    ThreadNotingDialogs script;
    script.answerMessage(Answer::Yes);
    std::atomic<bool> done{false};
    Answer answer = Answer::Cancel;
    std::thread worker([&] {
        answer = DialogService::instance().message(QStringLiteral("Jest nowa wersja programu."),
                                                   QStringLiteral("Aktualizacja"),
                                                   MsgIcon::Question, MsgButtons::YesNo);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(answer, Answer::Yes);
    EXPECT_EQ(script.answeredOn, QCoreApplication::instance()->thread());
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].caption, QStringLiteral("Aktualizacja"));
}
