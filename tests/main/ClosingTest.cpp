// The questions asked when the main window closes, and what keeps it open.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "main/Glowna.h"
#include "platform/Application.h"

namespace fs = std::filesystem;

namespace {

const QString kSaveQuestion = "Czy chcesz zapisać zmiany ?";
const QString kQuitQuestion = "Czy na pewno chcesz zakończyć pracę ?";

}  // namespace

class ClosingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(start());
        std::ofstream(workingCopy(), std::ios::binary) << "kopia robocza";
    }
    std::string workingCopy() const { return folders.dataFile("data_tmp.sqtmp"); }

    void expectQuestions(const std::vector<QString>& texts)
    {
        const auto shown = messages();
        ASSERT_EQ(shown.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(shown[i].text, texts[i]) << i;
    }
};

TEST_F(ClosingTest, ModifiedWithNoAndNoKeepsTheWindowAndTheChanges)
{
    window().Modified = 1;
    dialogs.answerMessage(Answer::No).answerMessage(Answer::No);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().Modified, 1);
    expectQuestions({kSaveQuestion, kQuitQuestion});
    const auto shown = messages();
    EXPECT_EQ(shown[0].caption, "");
    EXPECT_EQ(shown[0].icon, MsgIcon::None);
    EXPECT_EQ(shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown[1].caption, "Koniec");
    EXPECT_EQ(shown[1].icon, MsgIcon::Question);
    EXPECT_EQ(shown[1].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(fs::exists(workingCopy()));
}

TEST_F(ClosingTest, UnmodifiedAsksOnlyWhetherToQuitAndYesDeletesTheWorkingCopy)
{
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(window().close());
    expectQuestions({kQuitQuestion});
    EXPECT_FALSE(fs::exists(workingCopy()));
}

TEST_F(ClosingTest, CancelledSaveKeepsTheWindowOpenWithoutTheQuitQuestion)
{
    window().Modified = 1;
    dialogs.answerMessage(Answer::Yes).answerSaveFile(std::nullopt);
    EXPECT_FALSE(window().close());
    expectQuestions({kSaveQuestion});
    EXPECT_EQ(window().Modified, 1);
    EXPECT_TRUE(fs::exists(workingCopy()));
}

TEST_F(ClosingTest, FailedSaveKeepsTheWindowOpenWithoutTheQuitQuestion)
{
    window().Modified = 1;
    const std::string target = folders.root() + "/brak/katalogu/a.sqvlm";
    dialogs.answerMessage(Answer::Yes)
        .answerSaveFile(QString::fromStdString(target))
        .answerMessage(Answer::Ok);
    EXPECT_FALSE(window().close());
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].caption, "Błąd");
    EXPECT_TRUE(shown[1].text.startsWith("Funkcja: vFunZapiszNowyPlikSwiadectw()\n\nBłąd podczas "
                                         "próby kopiowania pliku\nz\n"));
    EXPECT_TRUE(shown[1].text.endsWith("\nKod błędu: 2\n\nDane nie zostały zapisane."));
    EXPECT_EQ(window().Modified, 1);
    EXPECT_TRUE(fs::exists(workingCopy()));
}

TEST_F(ClosingTest, SuccessfulSaveIsFollowedByTheQuitQuestion)
{
    window().Modified = 1;
    const std::string target = folders.root() + "/szkola";
    dialogs.answerMessage(Answer::Yes)
        .answerSaveFile(QString::fromStdString(target))
        .answerMessage(Answer::No);
    EXPECT_FALSE(window().close());
    expectQuestions({kSaveQuestion, kQuitQuestion});
    EXPECT_EQ(window().Modified, 0);
    EXPECT_EQ(window().currentPath().toStdString(), target + ".sqvlm");
    std::ifstream saved(target + ".sqvlm");
    std::string text;
    std::getline(saved, text);
    EXPECT_EQ(text, "kopia robocza");
}

TEST_F(ClosingTest, MenuKoniecAlwaysAsksEvenAfterClosingWasSet)
{
    window().Closing = 1;
    dialogs.answerMessage(Answer::No);
    window().action("Koniec1")->trigger();
    expectQuestions({kQuitQuestion});
    EXPECT_EQ(window().Closing, 0);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ClosingTest, ClosingSetAsksNothingAndDeletesTheWorkingCopy)
{
    window().Closing = 1;
    window().Modified = 1;
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(fs::exists(workingCopy()));
}

TEST_F(ClosingTest, KoniecWithYesEndsTheMessageLoop)
{
    dialogs.answerMessage(Answer::Yes);
    QTimer::singleShot(0, &window(), [this] { window().action("Koniec1")->trigger(); });
    EXPECT_EQ(Application::instance()->runMessageLoop(), 0);
    expectQuestions({kQuitQuestion});
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(fs::exists(workingCopy()));
}
