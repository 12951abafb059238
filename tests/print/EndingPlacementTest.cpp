// Gender endings and joined letters continue their words: in every factory calibration set
// the ending field begins where its word's printed text ends, the fixed text after it
// begins one blank after the widest ending, and the field ends before that text.
#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/Layout.h"
#include "render/Catalogue.h"
#include "render/Fonts.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"
#include "tests/support/TestApplication.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const std::string kFactoryFile = std::string(VLM_PROGRAM_DIR) + "/vlm_kalibracja.sqset";

// The page image across a whole A4 sheet: the most millimetres a page unit ever prints as.
constexpr double kMmPerUnit = 210.0 / 885.0;
constexpr double kLargestGapMm = 0.3;

struct Ending {
    const char* word;
    const char* ending;
    const char* follower;  // the fixed text after the ending on its line
};

const Ending kEndings[] = {
    {"STALY_Uczeszczal_STR1_DATA_LABEL", "ZMIENNA_UczeszczalA_STR1_DATA_EDIT",
     "STALY_WRokuSzkolnym_STR1_DATA_LABEL"},
    {"STALY_SzkolaW_STR1_DATA_LABEL", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", nullptr},
    {"STALY_Otrzymal_STR1_DATA_LABEL", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT",
     "STALY_Promocji_STR1_DATA_LABEL"},
    {"STALY_Promocji_STR1_DATA_LABEL", "ZMIENNA_PromocjiE_STR1_DATA_EDIT",
     "STALY_PromDoKlasy_STR1_DATA_LABEL"},
    {"STALY_Zostal_STR1_DATA_LABEL", "ZMIENNA_ZostalA_STR1_DATA_EDIT",
     "STALY_Dopuszczony_STR1_DATA_LABEL"},
    {"STALY_Dopuszczony_STR1_DATA_LABEL", "ZMIENNA_DopuszczonyA_STR1_DATA_EDIT",
     "STALY_DoEgzaminuDyp_STR1_DATA_LABEL"},
    {"STALY_UchwalaPanstwowejKomisji_STR1_DATA_LABEL_STR1_DATA_LABEL",
     "ZMIENNA_NieZdalA_STR1_DATA_EDIT", "STALY_EgzamDyplom_STR1_DATA_LABEL_STR1_DATA_LABEL"},
    {"STALY_Ukonczyl_STR1_DATA_LABEL", "ZMIENNA_UkonczylA_STR1_DATA_EDIT",
     "STALY_ZWyroznieniem_STR1_DATA_LABEL"},
    {"STALY_Przyjety_DATA_LABEL", "ZMIENNA_PrzyjetyA_DATA_EDIT", "STALY_WRokuSzkolnym_DATA_LABEL"},
    {"STALY_Wpisan_DATA_LABEL", "ZMIENNA_WpisanyA_DATA_EDIT",
     "STALY_DoKsiegiUczniowPodNr_DATA_LABEL"},
};

// The rows of a set of the factory calibration file.
std::vector<CalibrationRecord> FactorySet(std::string_view set)
{
    ErrorStream errors;
    std::vector<CalibrationRecord> rows;
    EXPECT_TRUE(bFunCalibLoadData(errors, kFactoryFile, std::string(set), rows)) << errors.str();
    return rows;
}

std::optional<CalibrationRecord> Row(const std::vector<CalibrationRecord>& rows, const char* name)
{
    for (const CalibrationRecord& row : rows)
        if (row.name == name)
            return row;
    return std::nullopt;
}

QFont PrintedFont(const CalibrationRecord& row)
{
    return MakePageFont(QString::fromStdString(row.font_name), row.font_size,
                        FontStyle{row.font_style_bold != 0, row.font_style_italic != 0,
                                  row.font_style_underline != 0, row.font_style_strike != 0});
}

double Width(const CalibrationRecord& row, const QString& text)
{
    return QFontMetricsF(PrintedFont(row)).horizontalAdvance(text);
}

// Where a row's text begins on the page, by its alignment.
double TextStartOf(const CalibrationRecord& row, const QString& text)
{
    const double width = Width(row, text);
    switch (row.font_align) {
    case 1:
        return (row.x1 + row.x2 - width) / 2;
    case 2:
        return row.x2 - width;
    default:
        return row.x1;
    }
}

// The caption of a fixed text in the form a set is composed from.
QString Caption(std::string_view set, const char* name)
{
    const CalibrationPreview* preview = FindCalibrationPreview(set);
    if (!preview)
        for (const CalibrationPreview* p = nullptr;
             const std::string_view s : CalibrationSetNames())
            if ((p = FindCalibrationPreview(s)) && p->twin == set)
                preview = p;
    if (!preview)
        return {};
    const LayoutCatalog& catalog = LayoutCatalog::builtIn();
    const FormSpec* form = catalog.form(
        QString::fromUtf8(preview->formClass.data(), qsizetype(preview->formClass.size())));
    if (!form)
        return {};
    for (const LayoutComponent& c : catalog.components(*form))
        if (c.name == QLatin1String(name))
            return c.caption;
    return {};
}

TEST(EndingPlacementTest, EveryEndingInEverySetBeginsWhereItsWordsTextEnds)
{
    EnsureApplication();
    double largest = 0;
    int checked = 0;
    for (const std::string_view set : CalibrationSetNames()) {
        const std::vector<CalibrationRecord> rows = FactorySet(set);
        int inSet = 0;
        for (const Ending& e : kEndings) {
            const auto word = Row(rows, e.word);
            const auto ending = Row(rows, e.ending);
            if (!word || !ending || word->y1 != ending->y1)
                continue;
            const QString caption = Caption(set, e.word);
            ASSERT_FALSE(caption.isEmpty()) << set << ": " << e.word;
            const double wordEnd = TextStartOf(*word, caption) + Width(*word, caption);
            const double gapMm = (ending->x1 - wordEnd) * kMmPerUnit;
            EXPECT_LT(std::abs(gapMm), kLargestGapMm)
                << set << ": " << e.ending << " lies " << gapMm << " mm after \""
                << caption.toStdString() << "\"";
            largest = std::max(largest, std::abs(gapMm));
            ++inSet;

            const auto follower = e.follower ? Row(rows, e.follower) : std::nullopt;
            if (!follower || follower->y1 != ending->y1)
                continue;
            // One blank after the widest ending the field is given ("y"), not more.
            const double start = TextStartOf(*follower, Caption(set, e.follower));
            const double blankAfter = ending->x1 + Width(*ending, QStringLiteral("y"));
            const double blank = Width(*follower, QStringLiteral(" "));
            EXPECT_GE(start, blankAfter + blank - 1) << set << ": " << e.follower;
            EXPECT_LE(start, blankAfter + blank + 1) << set << ": " << e.follower;
        }
        // Every certificate has at least "uczęszczał" + "a" and "w" + "e"; a grade sheet's
        // title page "Przyjęt" + "a" and "wpisan" + "a"; its year pages have none.
        const bool hasEndings = set.starts_with("swiad_") || set == "arkusz_280_str1" ||
                                set == "arkusz_281_str1" || set == "arkusz_283_str1";
        if (hasEndings) {
            EXPECT_GE(inSet, 2) << set << " has its endings";
        }
        checked += inSet;
    }
    std::printf("%d endings in %zu sets; the largest gap is %.3f mm\n", checked,
                CalibrationSetNames().size(), largest);
}

// Where the ink of a fixed text begins on the page: its first letter's left bearing after
// where its text begins.
double InkStartOf(const CalibrationRecord& row, const QString& text)
{
    return TextStartOf(row, text) + QFontMetricsF(PrintedFont(row)).leftBearing(text.front());
}

// The ink of the nearest fixed text on the ending's line that begins right of the field's
// start, or nullopt when none does.
std::optional<double> NextInkStart(std::string_view set, const std::vector<CalibrationRecord>& rows,
                                   const CalibrationRecord& ending)
{
    std::optional<double> nearest;
    for (const CalibrationRecord& row : rows) {
        if (row.y1 != ending.y1 || row.y2 != ending.y2 ||
            row.name.find("_DATA_LABEL") == std::string::npos)
            continue;
        const QString caption = Caption(set, row.name.c_str());
        if (caption.isEmpty())
            continue;
        const double ink = InkStartOf(row, caption);
        if (ink > ending.x1 && (!nearest || ink < *nearest))
            nearest = ink;
    }
    return nearest;
}

// A male student's empty endings are struck out from x1 to x2: the line must stop short of
// the next word ("uczęszczał— w roku", never "uczęszczał—w roku"), while the field still
// holds the widest ending a girl's certificate prints in it.
TEST(EndingPlacementTest, NoEndingFieldReachesTheTextAfterIt)
{
    EnsureApplication();
    constexpr double kClearanceMm = 0.4;
    double closest = 1e9;
    int checked = 0;
    for (const std::string_view set : CalibrationSetNames()) {
        const std::vector<CalibrationRecord> rows = FactorySet(set);
        for (const Ending& e : kEndings) {
            const auto ending = Row(rows, e.ending);
            if (!ending)
                continue;
            for (const char* text : {"a", "y", "e", "ę"})
                EXPECT_GE(ending->x2 - ending->x1, Width(*ending, QString::fromUtf8(text)))
                    << set << ": " << e.ending << " holds \"" << text << "\"";
            const std::optional<double> next = NextInkStart(set, rows, *ending);
            if (!next)
                continue;
            const double clearanceMm = (*next - ending->x2) * kMmPerUnit;
            EXPECT_GE(clearanceMm, kClearanceMm)
                << set << ": " << e.ending << " ends " << clearanceMm << " mm before the next text";
            closest = std::min(closest, clearanceMm);
            ++checked;
        }
    }
    EXPECT_GE(checked, 90) << "every certificate's endings with a text after them";
    std::printf("%d endings with a text after them; the closest ends %.3f mm before it\n", checked,
                closest);
}

// Where a label's text ends in its parent's coordinates, as the label shows it.
double ShownTextEnd(const QLabel& label)
{
    const QRect inside = label.contentsRect().translated(label.pos());
    if (label.alignment() & Qt::AlignRight)
        return inside.right() + 1;
    const double advance = QFontMetricsF(label.font()).horizontalAdvance(label.text());
    if (label.alignment() & Qt::AlignHCenter)
        return (inside.left() + inside.right() + 1 + advance) / 2;
    return inside.left() + advance;
}

TEST(EndingPlacementTest, OnEveryFormEveryEndingIsShownWhereItsWordsTextEnds)
{
    EnsureApplication();
    FormRegistry registry;
    int checked = 0;
    for (const auto& form : registry.forms()) {
        if (form->definition().pages.empty())
            continue;
        FormWindow& window = form->window();
        for (const Ending& e : kEndings) {
            auto* word = qobject_cast<QLabel*>(window.widget(QString::fromLatin1(e.word)));
            auto* ending = qobject_cast<QLineEdit*>(window.widget(QString::fromLatin1(e.ending)));
            if (!word || !ending || word->parentWidget() != ending->parentWidget() ||
                word->y() != ending->y())
                continue;
            // The field's frame stands next to the word's last letter, within a screen pixel.
            EXPECT_NEAR(ending->x(), ShownTextEnd(*word), 1.0)
                << form->definition().className.toStdString() << ": " << e.ending;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
