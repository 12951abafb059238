// The print window offers each document its own paper: a margin set remembered from a print
// on other paper gives way to the first set for the document's paper, and what the user
// picks in the window is what prints and what is remembered.
#include "render/DrukujWindow.h"
#include "tests/print/RecordingPrint.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/Margins.h"
#include "store/Settings.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Page 1's left edge tells the sets apart.
const MarginSet kA4Portrait{
    "A4 pionowo", {{{9, 6, 201, 291}, {9, 6, 201, 291}, {9, 6, 201, 291}, {9, 6, 201, 291}}}, 1, 1};
const MarginSet kA3Portrait{
    "A3 pionowo",
    {{{12, 6, 285, 411}, {12, 6, 285, 411}, {12, 6, 285, 411}, {12, 6, 285, 411}}},
    0,
    1};
const MarginSet kA3Landscape{
    "A3 poziomo",
    {{{9, 6, 201, 291}, {219, 6, 411, 291}, {9, 6, 201, 291}, {219, 6, 411, 291}}},
    0,
    0};
const MarginSet kA4Landscape{
    "A4 poziomo", {{{7, 5, 290, 200}, {7, 5, 290, 200}, {7, 5, 290, 200}, {7, 5, 290, 200}}}, 1, 0};

const JobSettings kA4PortraitJob{QPageLayout::Portrait, QPageSize::A4, QPrinter::DuplexNone};
const JobSettings kA3LandscapeJob{QPageLayout::Landscape, QPageSize::A3, QPrinter::DuplexNone};

class DocumentPaperTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        std::filesystem::copy_file(folders.programFile("ustawienia.sqset"),
                                   folders.dataFile("ustawienia.sqset"));
        auto system = std::make_unique<RecordingPrintSystem>(record, QStringList{"Alpha"},
                                                             QStringLiteral("Alpha"));
        window.setPrintSystem(std::move(system));
    }

    void storeSets(const std::vector<MarginSet>& sets)
    {
        ErrorStream es;
        const std::string file = folders.dataFile("ustawienia.sqset");
        std::vector<MarginSet> stored;
        ASSERT_TRUE(bFunMarginReadData(es, file, stored)) << es.str();
        for (const MarginSet& set : stored)
            ASSERT_TRUE(bFunMarginDeleteSettings(es, file, set.name)) << es.str();
        for (const MarginSet& set : sets)
            ASSERT_TRUE(bFunMarginWriteNewSettings(es, file, set)) << es.str();
    }

    void remember(int index)
    {
        ErrorStream es;
        ASSERT_TRUE(bFunSqlSettingWriteValue(es, "print_margin", index)) << es.str();
    }

    int remembered()
    {
        ErrorStream es;
        int index = -99;
        EXPECT_TRUE(bFunSqlGetSettingsValue(es, "print_margin", index)) << es.str();
        return index;
    }

    // Opens the window for a one-page document on A4 portrait (true) or A3 landscape
    // (false) paper, lets `pick` act as the user, and presses "Drukuj". Returns the set the
    // window offered.
    std::string printDocument(bool a4Portrait, const std::function<void(TFDrukuj&)>& pick = {})
    {
        std::string offered;
        window.setPrintJob(1, a4Portrait, a4Portrait);
        dialogs.answerModal([&](QDialog& shown) {
            auto& print = dynamic_cast<TFDrukuj&>(shown);
            offered = print.MarginesyComboBox->currentText().toStdString();
            if (pick)
                pick(print);
            print.DrukujButton->click();
        });
        DialogService::instance().showModal(window.dialog());
        return offered;
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    PageImages pages;
    ErrorStream errors;
    PrintRecord record;
    TFDrukuj window{pages, errors};
};

TEST_F(DocumentPaperTest, TheRememberedSetGivesWayToTheFirstSetOnTheDocumentsPaper)
{
    struct Case {
        const char* what;
        std::vector<MarginSet> sets;
        int remembered;
        bool a4Portrait;
        const MarginSet& printed;
        int rememberedAfter;
        const JobSettings& job;
    };
    const std::vector<MarginSet> factory{kA4Portrait, kA3Landscape};
    const Case cases[] = {
        {"an A4 blank after an A3 print", factory, 1, true, kA4Portrait, 0, kA4PortraitJob},
        {"an A3 blank after an A4 print", factory, 0, false, kA3Landscape, 1, kA3LandscapeJob},
        {"the remembered set fits the A4 blank", factory, 0, true, kA4Portrait, 0, kA4PortraitJob},
        {"the remembered set fits the A3 blank", factory, 1, false, kA3Landscape, 1,
         kA3LandscapeJob},
        {"nothing remembered beyond the list", factory, 5, false, kA3Landscape, 1, kA3LandscapeJob},
        {"size and orientation both count",
         {kA4Portrait, kA3Portrait, kA4Landscape, kA3Landscape},
         0,
         false,
         kA3Landscape,
         3,
         kA3LandscapeJob},
        {"no set for A3: the remembered one stays",
         {kA4Portrait, kA4Landscape},
         1,
         false,
         kA4Landscape,
         1,
         {QPageLayout::Landscape, QPageSize::A4, QPrinter::DuplexNone}},
    };
    for (const Case& c : cases) {
        storeSets(c.sets);
        remember(c.remembered);
        record = {};
        EXPECT_EQ(printDocument(c.a4Portrait), c.printed.name) << c.what;
        EXPECT_EQ(window.pageRects(), c.printed.page) << c.what;
        ASSERT_EQ(record.settings.size(), 1u) << c.what;
        EXPECT_TRUE(record.settings[0] == c.job) << c.what;
        EXPECT_EQ(remembered(), c.rememberedAfter) << c.what;
    }
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Message).empty());
}

TEST_F(DocumentPaperTest, NothingRememberedKeepsTheDocumentsPaper)
{
    remember(-1);
    EXPECT_EQ(printDocument(false), "");
    ASSERT_EQ(record.settings.size(), 1u);
    EXPECT_TRUE(record.settings[0] == kA3LandscapeJob);
    EXPECT_EQ(remembered(), -1);
}

// One program run: an A3 certificate, then an A4 one, then an A4 one on A3 paper because
// the user picks the A3 set, then an A3 one again.
TEST_F(DocumentPaperTest, WhatTheUserPicksPrintsAndIsRememberedForTheNextPrint)
{
    const auto pickA3 = [](TFDrukuj& print) {
        print.MarginesyComboBox->setCurrentIndex(1);
        print.MarginesyComboBoxChange();
    };
    remember(0);
    EXPECT_EQ(printDocument(false), "A3 poziomo");
    EXPECT_EQ(printDocument(true), "A4 pionowo");
    EXPECT_EQ(printDocument(true, pickA3), "A4 pionowo");
    EXPECT_EQ(remembered(), 1);
    EXPECT_EQ(printDocument(false), "A3 poziomo");
    ASSERT_EQ(record.settings.size(), 4u);
    EXPECT_TRUE(record.settings[0] == kA3LandscapeJob);
    EXPECT_TRUE(record.settings[1] == kA4PortraitJob);
    EXPECT_TRUE(record.settings[2] == kA3LandscapeJob);
    EXPECT_TRUE(record.settings[3] == kA3LandscapeJob);
}

}  // namespace
