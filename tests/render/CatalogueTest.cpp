// The one catalogue of types, labels and calibration sets.
#include "render/Catalogue.h"

#include <gtest/gtest.h>

#include <set>

TEST(CatalogueTest, CountsOfTypesLabelsTreeChildrenAndPreviews)
{
    EXPECT_EQ(DocumentTypes().size(), 34u);
    std::size_t labels = 0;
    std::size_t treeChildren = 0;
    std::size_t separators = 0;
    std::set<std::string_view> distinct;
    for (const DocumentLabel& row : DocumentLabels()) {
        treeChildren += row.inTree;
        separators += row.label.empty();
        if (!row.label.empty()) {
            ++labels;
            distinct.insert(row.label);
            EXPECT_TRUE(row.label.starts_with("ART-II/")) << row.label;
            const DocumentType* type = FindDocumentType(row.type);
            ASSERT_NE(type, nullptr) << row.label;
            EXPECT_EQ(row.pages, type->pages) << row.label;
            EXPECT_EQ(row.defaultA4Portrait, type->defaultA4Portrait) << row.label;
        }
    }
    EXPECT_EQ(labels, 48u);
    EXPECT_EQ(distinct.size(), 48u);
    EXPECT_EQ(treeChildren, 53u);
    EXPECT_EQ(separators, 7u);
    EXPECT_EQ(CalibrationPreviews().size(), 30u);
    for (int type = 0; type < 34; ++type)
        EXPECT_EQ(DocumentTypes()[static_cast<std::size_t>(type)].type, type);
}

TEST(CatalogueTest, LabelsAreComparedByteForByte)
{
    const DocumentLabel* noComma = FindDocumentLabel("ART-II/281/3 świadectwo 201 i 201-w klasa V");
    ASSERT_NE(noComma, nullptr);
    EXPECT_EQ(noComma->formClass, "TFArkusz281str6");
    EXPECT_EQ(FindDocumentLabel("ART-II/281/3 świadectwo 201 i 201-w, klasa V"), nullptr);
    EXPECT_EQ(FindDocumentLabel("ART-II/205/3 Świad. klasa II"), nullptr);
    EXPECT_EQ(FindDocumentLabel("ART-II/205/3 świad. klasa II "), nullptr);
    EXPECT_EQ(FindDocumentLabel(""), nullptr);

    const DocumentLabel* hidden = FindDocumentLabel("ART-II/205/3 świad. klasa I");
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->inTree);
    EXPECT_EQ(hidden->formClass, "TFSwiad205kl1");
    const DocumentLabel* shown = FindDocumentLabel("ART-II/205/3 świad. klasa II");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->inTree);
    EXPECT_EQ(shown->type, 12);
    EXPECT_EQ(shown->pages, 2);
}

TEST(CatalogueTest, SetsOfARenderAndTheirTwins)
{
    const std::tuple<int, bool, std::string> cases[] = {
        {8, false, "swiad_203"},
        {8, true, "swiad_203_bk"},
        {19, true, "swiad_221w_bk"},
        {24, true, "arkusz_283_str1"},
        {33, false, "arkusz_280a_str9"},
        {34, false, ""},
        {-1, true, ""},
    };
    for (const auto& [type, noDots, set] : cases)
        EXPECT_EQ(RenderSetName(type, noDots), set) << type;
}

TEST(CatalogueTest, FiftyFourSetsInTheFileOrder)
{
    const auto names = CalibrationSetNames();
    ASSERT_EQ(names.size(), 54u);
    EXPECT_EQ(names[0], "swiad_200");
    EXPECT_EQ(names[1], "swiad_200_bk");
    EXPECT_EQ(names[39], "swiad_221w_bk");
    EXPECT_EQ(names[40], "arkusz_280_str1");
    EXPECT_EQ(names[49], "arkusz_281_str2_6");
    EXPECT_EQ(names[53], "arkusz_280a_str9");
    EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), 54u);
}

TEST(CatalogueTest, CalibrationPreviewsByPlainSetAndTwin)
{
    NoDotsOption noDots{};
    const CalibrationPreview* plain = FindCalibrationPreview("swiad_205", &noDots);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->formClass, "TFSwiad205kl1");
    EXPECT_EQ(noDots, NoDotsOption::Unchecked);
    const CalibrationPreview* twin = FindCalibrationPreview("swiad_205w_bk", &noDots);
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->type, 13);
    EXPECT_EQ(noDots, NoDotsOption::Checked);
    FindCalibrationPreview("arkusz_283_str2", &noDots);
    EXPECT_EQ(noDots, NoDotsOption::NotTouched);
    EXPECT_EQ(FindCalibrationPreview("arkusz_280a_str1"), nullptr);
    EXPECT_EQ(FindCalibrationPreview("arkusz_281_str1_bk"), nullptr);
    EXPECT_EQ(FindCalibrationPreview("arkusz_281_str2_6")->formClass, "TFArkusz281str2");
}
