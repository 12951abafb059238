// What the start tells instead of failing silently: a command-line name that is no UTF-8,
// fonts the pages need that the system lacks.
#include "tests/main/MainTestSupport.h"

#include <filesystem>
#include <fstream>

#include "main/Glowna.h"
#include "main/ProgramStart.h"
#include "platform/Fonts.h"

namespace fs = std::filesystem;

TEST_F(ShellTest, ACommandLineNameThatIsNoUtf8IsToldNotIgnored)
{
    // The byte 0xFF is no UTF-8; Qt hands the program U+FFFD in its place.
    const std::string bytes = folders.root() + "/klasa \xFF.sqvlm";
    std::ofstream(bytes, std::ios::binary) << "plik";
    const QString shown = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    ASSERT_TRUE(shown.contains(QChar::ReplacementCharacter));
    dialogs.answerMessage(Answer::Ok);

    ASSERT_TRUE(start({shown}));

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0].text,
        "Nie można otworzyć pliku podanego przy uruchomieniu programu:\n" + shown +
            "\n\nNazwa pliku zawiera bajty, które nie są tekstem UTF-8 (pokazane jako \"\uFFFD\"), "
            "więc program nie mógłby zapisać danych pod tą samą nazwą. Zmień nazwę pliku, na "
            "przykład w menedżerze plików, i otwórz go ponownie.");
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
    EXPECT_EQ(window().currentPath(), "");
    EXPECT_FALSE(fs::exists(folders.dataFile("data_tmp.sqtmp")));
}

TEST_F(ShellTest, ANameWithTheReplacementCharacterItselfOpensAsAnyOther)
{
    const std::string file = folders.root() + "/klasa \uFFFD.sqvlm";
    std::ofstream(file, std::ios::binary) << "";
    ASSERT_TRUE(start({QString::fromStdString(file)}));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(window().currentPath().toStdString(), file);
}

TEST_F(ShellTest, FontsThePagesNeedAreLookedUpAndTheMissingOnesNamed)
{
    EXPECT_EQ(PageFontFamilies(), (QStringList{"Liberation Serif", "Liberation Sans"}));
    EXPECT_EQ(
        MissingFontFamilies({"Liberation Serif", "Czcionka, której nie ma", "Liberation Sans"}),
        QStringList{"Czcionka, której nie ma"});

    ReportMissingFonts({});
    EXPECT_TRUE(messages().empty());
    dialogs.answerMessage(Answer::Ok);
    ReportMissingFonts({"Liberation Serif", "Liberation Sans"});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0].text,
        "Brak czcionek, których program używa w oknach i na wydrukach:\nLiberation "
        "Serif\nLiberation Sans"
        "\n\nZamiast liter mogą się pokazywać puste prostokąty, a wydruki nie trafią w pola "
        "blankietów. "
        "Zainstaluj czcionki Liberation (pakiet fonts-liberation) i uruchom program ponownie.");
    EXPECT_EQ(messages()[0].caption, "Uwaga");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
}
