// A real form through the whole path: the sample-filled ART-II/205/3 class I form drawn
// from the factory calibration file, rasterised; the print render replays like the preview.
#include "forms/FormRegistry.h"
#include "main/DocumentFormSource.h"
#include "render/Fonts.h"
#include "render/PagePreviews.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class RasterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        dialogs.setFailureHandler([](const std::string& message) { FAIL() << message; });
        std::filesystem::copy_file(std::string(VLM_PROGRAM_DIR) + "/vlm_kalibracja.sqset",
                                   folders.dataFile("vlm_kalibracja.sqset"));
        form = registry.form(QStringLiteral("TFSwiad205kl1"));
        ASSERT_NE(form, nullptr);
        form->FillSampleData();
    }

    bool render(RenderMode mode)
    {
        const DocumentFormSource source(*form);
        RenderContext context = window.context();
        return RenderPages(context, source, mode, 12, 2, true, true);
    }

    const CalibrationRecord& row(const std::string& name) const
    {
        const std::vector<CalibrationRecord>& list = window.list;
        const auto found = std::find_if(list.begin(), list.end(),
                                        [&](const CalibrationRecord& r) { return r.name == name; });
        EXPECT_NE(found, list.end()) << name;
        return *found;
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    FormRegistry registry{LayoutCatalog::builtIn()};
    DocumentForm* form = nullptr;
    FixtureMainWindow window;
    PageImages& pages = window.pages;
    RecordingPreview& view = window.view;
};

TEST_F(RasterTest, TheInkOfAFieldLiesInItsCalibratedBox)
{
    ASSERT_TRUE(render(RenderPreview));
    const std::string name = "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT";
    ASSERT_FALSE(form->text(QString::fromStdString(name)).isEmpty())
        << "the sample texts fill the field";
    const CalibrationRecord& field = row(name);
    // The band from the box top down to where the dots start holds this field's text only.
    const int top =
        field.y2 -
        TextHeight(MakePageFont(QString::fromStdString(field.font_name), field.font_size,
                                {.bold = field.font_style_bold != 0})) -
        field.font_size / 4;
    const QImage page = RasterPage(pages[0]);
    const auto [first, last] = InkColumns(page, top, field.y2 - 14);
    ASSERT_GE(first, 0) << "the field's text is drawn";
    EXPECT_GE(first, field.x1);
    EXPECT_LE(last, field.x2);
}

TEST_F(RasterTest, ThePrintRenderReplaysLikeThePreviewAtEqualScale)
{
    ASSERT_TRUE(render(RenderPreview));
    const QImage preview = view.pictures.at(1);
    const PageImages previewPages = pages;

    dialogs.answerMessage(Answer::Ok)
        .answerMessage(Answer::Ok);  // no emblem, no stamp in the data folder
    ASSERT_TRUE(render(RenderPrint));
    EXPECT_EQ(dialogs.requests().size(), 2u);
    EXPECT_EQ(ComposePreviewPicture(QImage(), pages[0]), preview);
    const double printScale = 2480.0 / PageImage::kWidth;  // A4 width at 300 dots per inch
    for (std::size_t n = 0; n < 2; ++n)
        EXPECT_EQ(RasterPage(pages[n], printScale), RasterPage(previewPages[n], printScale))
            << "page " << n + 1;
}

}  // namespace
