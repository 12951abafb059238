// The button Enter presses in each question the program asks: "Nie" wherever "Tak" deletes
// or overwrites stored data, and such a question names what it destroys.
#include "tests/main/WorkflowTestSupport.h"

#include <QDialog>

#include <fstream>
#include <functional>

#include "main/Glowna.h"
#include "main/WindowRegistry.h"
#include "render/CalibrationWindow.h"
#include "render/DrukujWindow.h"
#include "tests/print/RecordingPrint.h"

namespace {

// A command that asks one question; `ask` scripts the answers, "Nie" to the question.
struct Question {
    const char* what;
    std::function<void()> ask;
    QString text;  // how the question begins
    Answer defaultButton;
};

}  // namespace

class QuestionDefaultsTest : public WorkflowTest {};

TEST_F(QuestionDefaultsTest, EnterAnswersNieWhereTakDestroysData)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string existing = folders.root() + "/szkola.sqvlm";
    std::ofstream(existing, std::ios::binary) << "poprzedni plik";
    auto* calibration =
        dynamic_cast<TFKalibracja*>(WindowRegistry::instance().window("TFKalibracja"));
    ASSERT_NE(calibration, nullptr);
    auto* print = dynamic_cast<TFDrukuj*>(WindowRegistry::instance().window("TFDrukuj"));
    ASSERT_NE(print, nullptr);
    PrintRecord record;
    print->setPrintSystem(std::make_unique<RecordingPrintSystem>(record, QStringList{"Biuro"}));
    const auto inPrintWindow = [this](std::function<void(TFDrukuj&)> act) {
        click(documentNode("Adamski Piotr", "ART-II/205/3 świad. klasa II"));
        dialogs
            .answerModal([act](QDialog& dialog) {
                act(static_cast<TFDrukuj&>(dialog));
                dialog.reject();
            })
            .answerMessage(Answer::No);
        window().DrukujToolButtonClick();
    };

    const Question questions[] = {
        {"delete a student",
         [&] {
             click(studentNode("Adamski Piotr"));
             dialogs.answerMessage(Answer::No);
             window().UsunUczniaToolButtonClick();
         },
         "Czy na pewno chcesz skasować dane ucznia: \nAdamski Piotr", Answer::No},
        {"a new student under a PESEL in use",
         [&] {
             dialogs
                 .answerModal([](QDialog& dialog) {
                     FillStudentDialog({"Borek", "Anna", "111", "kobieta"});
                     Press(dialog, "OK");
                     Press(dialog, "Anuluj");
                 })
                 .answerMessage(Answer::No);
             window().DodajUczniaToolButtonClick();
         },
         "Uczeń o tym numerze PESEL już istnieje, czy chcesz nadpisać dane tego ucznia ?\nAdamski "
         "Piotr",
         Answer::No},
        {"save as over a file",
         [&] {
             dialogs.answerSaveFile(QString::fromStdString(existing)).answerMessage(Answer::No);
             window().Zapiszjako1Click();
         },
         "Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?", Answer::No},
        {"factory calibration",
         [&] {
             dialogs
                 .answerModal(
                     [calibration](QDialog&) { calibration->PrzywrocUstawieniaButtonClick(); })
                 .answerMessage(Answer::No);
             window().Formatowaniewiadectwapodstawowe1Click();
         },
         "Czy na pewno chcesz przywrócić oryginalne ustawienia ?", Answer::No},
        {"factory margins", [&] { inPrintWindow([](TFDrukuj& w) { w.ResetButtonClick(); }); },
         "Czy na pewno chcesz przywrócić oryginalne ustawienia ?", Answer::No},
        {"delete a margin set",
         [&] { inPrintWindow([](TFDrukuj& w) { w.DeleteSettingsButtonClick(); }); },
         "Czy na pewno chcesz skasować ustawienia: ", Answer::No},
        // Here "Tak" keeps the work: it saves it.
        {"unsaved changes before opening a file",
         [&] {
             window().Modified = 1;
             dialogs.answerMessage(Answer::No).answerOpenFile(std::nullopt);
             window().OtworzPlikToolButtonClick();
         },
         "Czy chcesz zapisać zmiany ?", Answer::Yes},
    };
    for (const Question& q : questions) {
        SCOPED_TRACE(q.what);
        dialogs.clearRequests();
        q.ask();
        ASSERT_FALSE(messages().empty());
        EXPECT_TRUE(messages()[0].text.startsWith(q.text)) << messages()[0].text.toStdString();
        EXPECT_EQ(messages()[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(messages()[0].defaultButton, q.defaultButton);
    }
    // Every "Nie" kept what it was asked about.
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
    EXPECT_EQ(ReadFile(existing), "poprzedni plik");
}
