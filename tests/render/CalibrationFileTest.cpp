// The factory calibration file the build writes from the form layouts.
#include "forms/Layout.h"
#include "render/Catalogue.h"
#include "render/RowClassifier.h"
#include "store/Calibration.h"
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"
#include "tools/calibration/CalibrationSets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const std::string kFactoryFile = std::string(VLM_PROGRAM_DIR) + "/vlm_kalibracja.sqset";

std::vector<CalibrationRecord> LoadSet(const std::string& set)
{
    ErrorStream errors;
    std::vector<CalibrationRecord> rows;
    EXPECT_TRUE(bFunCalibLoadData(errors, kFactoryFile, set, rows)) << errors.str();
    return rows;
}

std::vector<std::string> Names(const std::vector<CalibrationRecord>& rows)
{
    std::vector<std::string> names;
    for (const CalibrationRecord& row : rows)
        names.push_back(row.name);
    return names;
}

bool IsLeader(const CalibrationRecord& row)
{
    return row.name.ends_with("_LINIA_Z_KROPEK");
}

TEST(CalibrationFileTest, FiftyFourTablesInOrderWithTheirColumns)
{
    CppSQLite3DB db;
    db.Open(kFactoryFile);
    std::vector<std::string> tables;
    for (CppSQLite3Query q = db.RunQuery("SELECT name FROM sqlite_master WHERE type='table'");
         !q.AtEnd(); q.Step())
        tables.push_back(q.TextAt(0));
    const auto expected = CalibrationSetNames();
    ASSERT_EQ(tables, std::vector<std::string>(expected.begin(), expected.end()));

    const std::vector<std::string> columns = {"name",
                                              "x1",
                                              "y1",
                                              "x2",
                                              "y2",
                                              "font_name",
                                              "font_size",
                                              "font_align",
                                              "font_style_bold",
                                              "font_style_italic",
                                              "font_style_underline",
                                              "font_style_strike"};
    for (const std::string& table : tables) {
        std::vector<std::string> found;
        for (CppSQLite3Query q = db.RunQuery("PRAGMA table_info(`" + table + "`)"); !q.AtEnd();
             q.Step())
            found.push_back(q.TextByName("name"));
        EXPECT_EQ(found, columns) << table;
    }
}

TEST(CalibrationFileTest, EveryTwinIsItsSetWithoutDotLeaders)
{
    for (const DocumentType& type : DocumentTypes()) {
        if (!IsCertificateType(type.type))
            continue;
        std::vector<CalibrationRecord> expected = LoadSet(std::string(type.set));
        std::erase_if(expected, IsLeader);
        EXPECT_EQ(LoadSet(std::string(type.set) + "_bk"), expected) << type.set;
    }
}

TEST(CalibrationFileTest, RowsAreUniqueDrawableAndOnThePage)
{
    for (const std::string_view set : CalibrationSetNames()) {
        const bool certificate = set.starts_with("swiad_");
        std::set<std::string> seen;
        for (const CalibrationRecord& row : LoadSet(std::string(set))) {
            EXPECT_TRUE(seen.insert(row.name).second) << set << ": " << row.name << " twice";
            EXPECT_TRUE(ClassifyRow(row.name, certificate).drawn()) << set << ": " << row.name;
            EXPECT_TRUE(0 <= row.x1 && row.x1 <= row.x2 && row.x2 <= 885)
                << set << ": " << row.name;
            EXPECT_TRUE(0 <= row.y1 && row.y1 <= row.y2 && row.y2 <= 1314)
                << set << ": " << row.name;
            if (IsLeader(row)) {
                EXPECT_EQ(row.name.find("ZMIENNA"), std::string::npos) << row.name;
                EXPECT_EQ(row.name.find("_DATA_"), std::string::npos) << row.name;
            }
        }
    }
}

// Every stored field of every laid-out form has its row in the set the form is rendered
// with; memos have one row per line, tagged "01", "02", …
TEST(CalibrationFileTest, EveryStoredFieldOfEveryBuiltFormHasItsRows)
{
    const LayoutCatalog layouts = LayoutCatalog::fromDirectory(VLM_SOURCE_DIR "/resources/layouts");
    std::size_t builtForms = 0;
    for (const DocumentLabel& label : DocumentLabels()) {
        if (label.label.empty())
            continue;
        const FormSpec* form =
            layouts.form(QString::fromUtf8(label.formClass.data(), label.formClass.size()));
        ASSERT_NE(form, nullptr) << label.formClass;
        if (form->pages.isEmpty())
            continue;
        ++builtForms;
        const std::string set(FindDocumentType(label.type)->set);
        const std::vector<std::string> names = Names(LoadSet(set));
        const std::set<std::string> rows(names.begin(), names.end());
        for (const LayoutComponent& component : layouts.components(*form)) {
            if (!component.isStored())
                continue;
            const std::string name = component.name.toStdString();
            if (component.kind != ComponentKind::Memo) {
                EXPECT_TRUE(rows.count(name)) << set << " lacks " << name;
                continue;
            }
            for (int line = 1; line <= component.lineLimit; ++line) {
                const std::string tagged = name + (line < 10 ? "0" : "") + std::to_string(line);
                EXPECT_TRUE(rows.count(tagged)) << set << " lacks " << tagged;
            }
        }
    }
    EXPECT_GE(builtForms, 16u) << "the ART-II/205 and ART-II/283/3 forms are laid out";
}

// A row's name decides the page it is drawn on; it must be the page the field is laid out on.
TEST(CalibrationFileTest, EveryPrintedFieldIsDrawnOnThePageItIsLaidOutOn)
{
    const LayoutCatalog layouts = LayoutCatalog::fromDirectory(VLM_SOURCE_DIR "/resources/layouts");
    std::size_t checked = 0;
    for (const FormSpec& form : layouts.forms) {
        const bool certificate = form.kind == FormKind::Certificate;
        for (const FormPage& formPage : form.pages) {
            const auto design = layouts.designs.constFind(formPage.design);
            ASSERT_NE(design, layouts.designs.constEnd()) << formPage.design.toStdString();
            for (const LayoutComponent& component : design->components) {
                const bool label = component.kind == ComponentKind::Label;
                if (label ? !component.name.contains(QStringLiteral("_DATA_LABEL"))
                          : !component.isStored())
                    continue;
                const bool memo = component.kind == ComponentKind::Memo;
                if (memo && certificate && design->page == 1)
                    continue;  // certificates print no memo on page 1
                const std::string row = component.name.toStdString() + (memo ? "01" : "");
                const RowClass what = ClassifyRow(row, certificate);
                EXPECT_NE(what.kind, RowKind::None) << form.className.toStdString() << ": " << row;
                EXPECT_EQ(what.page, certificate ? design->page : 1)
                    << form.className.toStdString() << ": " << row;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 500u);
}

TEST(CalibrationFileTest, PicturesOnCertificatePageOneFramesOnSheetsAndEmptyUnbuiltSets)
{
    const std::vector<std::string> certificate = Names(LoadSet("swiad_205"));
    EXPECT_EQ(std::count(certificate.begin(), certificate.end(), "GRAFIKA: ORZELEK"), 1);
    EXPECT_EQ(std::count(certificate.begin(), certificate.end(), "GRAFIKA: PIECZATKA"), 1);
    for (const std::string& name : Names(LoadSet("arkusz_283_str2")))
        EXPECT_EQ(name.find("GRAFIKA: ORZELEK"), std::string::npos);
    const std::vector<std::string> sheet = Names(LoadSet("arkusz_283_str2"));
    EXPECT_TRUE(std::any_of(sheet.begin(), sheet.end(),
                            [](const std::string& n) { return n.starts_with("GRAFIKA: RAMKA"); }));
    for (const char* unbuilt : {"arkusz_280a_str1", "arkusz_280a_str9"})
        EXPECT_TRUE(LoadSet(unbuilt).empty()) << unbuilt;
}

TEST(CalibrationFileTest, ACertificateMemoOnPageOneGetsNoRows)
{
    LayoutCatalog layouts;
    FormSpec form;
    form.className = "TFSwiad200";
    form.kind = FormKind::Certificate;
    form.pages = {FormPage{"front", "Strona 1"}, FormPage{"inner", "Strona 2"}};
    LayoutComponent memo;
    memo.kind = ComponentKind::Memo;
    memo.lineLimit = 2;
    memo.rect = {10, 100, 300, 160};
    PageDesign front{"front", 1, "", {}, {}};
    memo.name = "ZMIENNA_Uwagi_STR1_DATA_MEMO";
    front.components.append(memo);
    PageDesign inner{"inner", 2, "", {}, {}};
    memo.name = "ZMIENNA_Uwagi_STR2_DATA_MEMO";
    memo.dots = PageRect{10, 100, 300, 160};
    inner.components.append(memo);
    layouts.forms.append(form);
    layouts.designs.insert("front", front);
    layouts.designs.insert("inner", inner);

    const std::vector<CalibrationSetRows> sets = BuildCalibrationSets(layouts);
    ASSERT_EQ(sets.size(), 54u);
    EXPECT_EQ(sets[0].name, "swiad_200");
    EXPECT_EQ(Names(sets[0].rows), (std::vector<std::string>{"ZMIENNA_Uwagi_STR2_DATA_MEMO01",
                                                             "ZMIENNA_Uwagi_STR2_DATA_MEMO02",
                                                             "Uwagi_STR2_LINIA_Z_KROPEK"}));
    EXPECT_EQ(sets[0].rows[1].y1, 130);
    EXPECT_EQ(Names(sets[1].rows), (std::vector<std::string>{"ZMIENNA_Uwagi_STR2_DATA_MEMO01",
                                                             "ZMIENNA_Uwagi_STR2_DATA_MEMO02"}));
    EXPECT_TRUE(sets[2].rows.empty());
}

}  // namespace
