#include "render/Catalogue.h"

#include <array>
#include <string>

namespace {

constexpr std::string_view kPlain = "sw_str1_prw.bmp";
constexpr std::string_view kDistinction = "sw_str1_prw_wyr.bmp";
constexpr std::string_view kSheet = "arkusz_prw.bmp";

// type, set, form, document, pages, flags, preview picture, tab 3, tab 4
constexpr std::array<DocumentType, kDocumentTypeCount> kTypes{{
    {0, "swiad_200", "TFSwiad200", "ART-II/200/3", 2, true, kPlain, false, false},
    {1, "swiad_200a", "TFSwiad200a", "ART-II/200/3a", 3, true, kPlain, true, false},
    {2, "swiad_201", "TFSwiad201", "ART-II/201/3", 3, false, kPlain, true, false},
    {3, "swiad_201b", "TFSwiad201b", "ART-II/201/3b", 3, false, kPlain, true, false},
    {4, "swiad_201bw", "TFSwiad201bw", "ART-II/201-w/3b", 3, false, kDistinction, true, false},
    {5, "swiad_201c", "TFSwiad201c", "ART-II/201/3c", 4, false, kPlain, true, true},
    {6, "swiad_201cw", "TFSwiad201cw", "ART-II/201-w/3c", 4, false, kDistinction, true, true},
    {7, "swiad_201w", "TFSwiad201w", "ART-II/201-w/3", 3, false, kDistinction, true, false},
    {8, "swiad_203", "TFSwiad203", "ART-II/203/3", 3, false, kPlain, true, false},
    {9, "swiad_203w", "TFSwiad203w", "ART-II/203-w/3", 3, false, kDistinction, true, false},
    {10, "swiad_204", "TFSwiad204", "ART-II/204/3", 3, false, kPlain, true, false},
    {11, "swiad_204a", "TFSwiad204a", "ART-II/204/3a", 4, true, kPlain, true, true},
    {12, "swiad_205", "TFSwiad205kl1", "ART-II/205/3, classes I to VI", 2, true, kPlain, false, false},
    {13, "swiad_205w", "TFSwiad205wkl1", "ART-II/205-w/3, classes I to VI", 2, true, kDistinction, false, false},
    {14, "swiad_205a", "TFSwiad205a", "ART-II/205/3a", 3, true, kPlain, true, false},
    {15, "swiad_205aw", "TFSwiad205aw", "ART-II/205-w/3a", 3, true, kDistinction, true, false},
    {16, "swiad_220", "TFSwiad220", "ART-II/220/3", 3, false, kPlain, true, false},
    {17, "swiad_220w", "TFSwiad220w", "ART-II/220-w/3", 3, false, kDistinction, true, false},
    {18, "swiad_221", "TFSwiad221", "ART-II/221/3", 2, true, kPlain, false, false},
    {19, "swiad_221w", "TFSwiad221w", "ART-II/221-w/3", 2, true, kDistinction, false, false},
    {20, "arkusz_280_str1", "TFArkusz280str1", "ART-II/280/3 title page", 1, true, kSheet, false, false},
    {21, "arkusz_280_str2_5", "TFArkusz280str2", "ART-II/280/3 pages of classes I, II, III and II/III", 1, true, kSheet, false, false},
    {22, "arkusz_280_str6", "TFArkusz280str6", "ART-II/280/3 page of classes IV/V", 1, true, kSheet, false, false},
    {23, "arkusz_280_str7", "TFArkusz280str7", "ART-II/280/3 page of classes V/VI", 1, true, kSheet, false, false},
    {24, "arkusz_283_str1", "TFArkusz283str1", "ART-II/283/3 title page", 1, true, kSheet, false, false},
    {25, "arkusz_283_str2", "TFArkusz283str2", "ART-II/283/3 page of classes I/II", 1, true, kSheet, false, false},
    {26, "arkusz_283_str3", "TFArkusz283str3", "ART-II/283/3 page of classes II/III/IV/V", 1, true, kSheet, false, false},
    {27, "arkusz_283_str4", "TFArkusz283str4", "ART-II/283/3 page of classes V/VI", 1, true, kSheet, false, false},
    {28, "arkusz_281_str1", "TFArkusz281str1", "ART-II/281/3 title page", 1, true, kSheet, false, false},
    {29, "arkusz_281_str2_6", "TFArkusz281str2", "ART-II/281/3 pages of classes I to VI", 1, true, kSheet, false, false},
    {30, "arkusz_280a_str1", "", "ART-II/280/3a title page", 0, false, kSheet, false, false},
    {31, "arkusz_280a_str2_5", "", "ART-II/280/3a pages 2 to 5", 0, false, kSheet, false, false},
    {32, "arkusz_280a_str6_8", "", "ART-II/280/3a pages 6 to 8", 0, false, kSheet, false, false},
    {33, "arkusz_280a_str9", "", "ART-II/280/3a page 9", 0, false, kSheet, false, false},
}};

constexpr DocumentLabel kSeparator{"", "", -1, 0, false, true};

constexpr DocumentLabel Tree(std::string_view label, std::string_view form, int type, int pages, bool flags)
{
    return {label, form, type, pages, flags, true};
}

constexpr std::array<DocumentLabel, 55> kLabels{{
    Tree("ART-II/200/3a świad. kl. I", "TFSwiad200a", 1, 3, true),
    Tree("ART-II/200/3 świad. kl. II-III", "TFSwiad200", 0, 2, true),
    kSeparator,
    Tree("ART-II/201/3b świad. szkolne", "TFSwiad201b", 3, 3, false),
    Tree("ART-II/201-w/3b świad. szkolne z wyr.", "TFSwiad201bw", 4, 3, false),
    Tree("ART-II/201/3c świad. szkolne", "TFSwiad201c", 5, 4, false),
    Tree("ART-II/201-w/3c świad. szkolne z wyr.", "TFSwiad201cw", 6, 4, false),
    Tree("ART-II/201/3 świad. szkolne", "TFSwiad201", 2, 3, false),
    Tree("ART-II/201-w/3 świad. szkolne z wyr.", "TFSwiad201w", 7, 3, false),
    kSeparator,
    Tree("ART-II/220/3 świad. ukończenia", "TFSwiad220", 16, 3, false),
    Tree("ART-II/220-w/3 świad. ukończenia", "TFSwiad220w", 17, 3, false),
    kSeparator,
    Tree("ART-II/280/3 arkusz str. tytułowa", "TFArkusz280str1", 20, 1, true),
    Tree("ART-II/280/3 arkusz klasa I", "TFArkusz280str2", 21, 1, true),
    Tree("ART-II/280/3 arkusz klasa II", "TFArkusz280str3", 21, 1, true),
    Tree("ART-II/280/3 arkusz klasa III", "TFArkusz280str4", 21, 1, true),
    Tree("ART-II/280/3 arkusz klasa II/III", "TFArkusz280str5", 21, 1, true),
    Tree("ART-II/280/3 arkusz klasa IV/V", "TFArkusz280str6", 22, 1, true),
    Tree("ART-II/280/3 arkusz klasa V/VI", "TFArkusz280str7", 23, 1, true),
    kSeparator,
    Tree("ART-II/203/3 świadectwo szkolne", "TFSwiad203", 8, 3, false),
    Tree("ART-II/203-w/3 świadectwo szkolne", "TFSwiad203w", 9, 3, false),
    Tree("ART-II/204/3 świadectwo szkolne", "TFSwiad204", 10, 3, false),
    Tree("ART-II/204/3a świad. szkolne", "TFSwiad204a", 11, 4, true),
    kSeparator,
    Tree("ART-II/281/3 arkusz str. tytułowa", "TFArkusz281str1", 28, 1, true),
    Tree("ART-II/281/3 świadectwo 201 i 201-w, klasa I", "TFArkusz281str2", 29, 1, true),
    Tree("ART-II/281/3 świadectwo 201 i 201-w, klasa II", "TFArkusz281str3", 29, 1, true),
    Tree("ART-II/281/3 świadectwo 203 i 203-w, klasa III", "TFArkusz281str4", 29, 1, true),
    Tree("ART-II/281/3 świadectwo 201 i 201-w, klasa IV", "TFArkusz281str5", 29, 1, true),
    Tree("ART-II/281/3 świadectwo 201 i 201-w klasa V", "TFArkusz281str6", 29, 1, true),
    Tree("ART-II/281/3 świadectwo 204, klasa VI", "TFArkusz281str7", 29, 1, true),
    kSeparator,
    Tree("ART-II/205/3a świad. klasa I", "TFSwiad205a", 14, 3, true),
    Tree("ART-II/205-w/3a świad. klasa I z wyr.", "TFSwiad205aw", 15, 3, true),
    Tree("ART-II/205/3 świad. klasa II", "TFSwiad205kl2", 12, 2, true),
    Tree("ART-II/205-w/3 świad. klasa II wyr.", "TFSwiad205wkl2", 13, 2, true),
    Tree("ART-II/205/3 świad. klasa III", "TFSwiad205kl3", 12, 2, true),
    Tree("ART-II/205-w/3 świad. klasa III wyr.", "TFSwiad205wkl3", 13, 2, true),
    Tree("ART-II/205/3 świad. klasa IV", "TFSwiad205kl4", 12, 2, true),
    Tree("ART-II/205-w/3 świad. klasa IV wyr.", "TFSwiad205wkl4", 13, 2, true),
    Tree("ART-II/205/3 świad. klasa V", "TFSwiad205kl5", 12, 2, true),
    Tree("ART-II/205-w/3 świad. klasa V wyr.", "TFSwiad205wkl5", 13, 2, true),
    Tree("ART-II/205/3 świad. klasa VI", "TFSwiad205kl6", 12, 2, true),
    Tree("ART-II/205-w/3 świad. klasa VI wyr.", "TFSwiad205wkl6", 13, 2, true),
    Tree("ART-II/221/3 świad. ukończenia", "TFSwiad221", 18, 2, true),
    Tree("ART-II/221-w/3 świad. ukończenia z wyr.", "TFSwiad221w", 19, 2, true),
    kSeparator,
    Tree("ART-II/283/3 arkusz str. tytułowa", "TFArkusz283str1", 24, 1, true),
    Tree("ART-II/283/3 arkusz kl. I/II", "TFArkusz283str2", 25, 1, true),
    Tree("ART-II/283/3 arkusz kl. II/III/IV/V", "TFArkusz283str3", 26, 1, true),
    Tree("ART-II/283/3 arkusz kl. V/VI", "TFArkusz283str4", 27, 1, true),
    {"ART-II/205/3 świad. klasa I", "TFSwiad205kl1", 12, 2, true, false},
    {"ART-II/205-w/3 świad. klasa I wyr.", "TFSwiad205wkl1", 13, 2, true, false},
}};

using enum NoDotsOption;

constexpr std::array<CalibrationPreview, 30> kPreviews{{
    {"swiad_200", "swiad_200_bk", "TFSwiad200", 0, 2, Unchecked},
    {"swiad_200a", "swiad_200a_bk", "TFSwiad200a", 1, 3, Unchecked},
    {"swiad_201", "swiad_201_bk", "TFSwiad201", 2, 3, Unchecked},
    {"swiad_201b", "swiad_201b_bk", "TFSwiad201b", 3, 3, Unchecked},
    {"swiad_201bw", "swiad_201bw_bk", "TFSwiad201bw", 4, 3, Unchecked},
    {"swiad_201c", "swiad_201c_bk", "TFSwiad201c", 5, 4, Unchecked},
    {"swiad_201cw", "swiad_201cw_bk", "TFSwiad201cw", 6, 4, Unchecked},
    {"swiad_201w", "swiad_201w_bk", "TFSwiad201w", 7, 3, Unchecked},
    {"swiad_203", "swiad_203_bk", "TFSwiad203", 8, 3, Unchecked},
    {"swiad_203w", "swiad_203w_bk", "TFSwiad203w", 9, 3, Unchecked},
    {"swiad_204", "swiad_204_bk", "TFSwiad204", 10, 3, Unchecked},
    {"swiad_204a", "swiad_204a_bk", "TFSwiad204a", 11, 4, Unchecked},
    {"swiad_205", "swiad_205_bk", "TFSwiad205kl1", 12, 2, Unchecked},
    {"swiad_205w", "swiad_205w_bk", "TFSwiad205wkl1", 13, 2, Unchecked},
    {"swiad_205a", "swiad_205a_bk", "TFSwiad205a", 14, 3, Unchecked},
    {"swiad_205aw", "swiad_205aw_bk", "TFSwiad205aw", 15, 3, Unchecked},
    {"swiad_220", "swiad_220_bk", "TFSwiad220", 16, 3, Unchecked},
    {"swiad_220w", "swiad_220w_bk", "TFSwiad220w", 17, 3, Unchecked},
    {"swiad_221", "swiad_221_bk", "TFSwiad221", 18, 2, Unchecked},
    {"swiad_221w", "swiad_221w_bk", "TFSwiad221w", 19, 2, Unchecked},
    {"arkusz_280_str1", "", "TFArkusz280str1", 20, 1, Unchecked},
    {"arkusz_280_str2_5", "", "TFArkusz280str2", 21, 1, Unchecked},
    {"arkusz_280_str6", "", "TFArkusz280str6", 22, 1, Unchecked},
    {"arkusz_280_str7", "", "TFArkusz280str7", 23, 1, Unchecked},
    {"arkusz_283_str1", "", "TFArkusz283str1", 24, 1, NotTouched},
    {"arkusz_283_str2", "", "TFArkusz283str2", 25, 1, NotTouched},
    {"arkusz_283_str3", "", "TFArkusz283str3", 26, 1, NotTouched},
    {"arkusz_283_str4", "", "TFArkusz283str4", 27, 1, NotTouched},
    {"arkusz_281_str1", "", "TFArkusz281str1", 28, 1, Unchecked},
    {"arkusz_281_str2_6", "", "TFArkusz281str2", 29, 1, Unchecked},
}};

constexpr std::string_view kTwinSuffix = "_bk";

}  // namespace

std::span<const DocumentType> DocumentTypes()
{
    return kTypes;
}

const DocumentType* FindDocumentType(int type)
{
    return type >= 0 && type < kDocumentTypeCount ? &kTypes[static_cast<std::size_t>(type)] : nullptr;
}

bool IsCertificateType(int type)
{
    return type >= 0 && type < kFirstSheetType;
}

std::span<const DocumentLabel> DocumentLabels()
{
    return kLabels;
}

const DocumentLabel* FindDocumentLabel(std::string_view label)
{
    if (label.empty())
        return nullptr;
    for (const DocumentLabel& row : kLabels) {
        if (row.label == label)
            return &row;
    }
    return nullptr;
}

std::span<const CalibrationPreview> CalibrationPreviews()
{
    return kPreviews;
}

const CalibrationPreview* FindCalibrationPreview(std::string_view set, NoDotsOption* noDots)
{
    for (const CalibrationPreview& row : kPreviews) {
        const bool twin = !row.twin.empty() && row.twin == set;
        if (row.set == set || twin) {
            if (noDots)
                *noDots = twin ? Checked : row.noDots;
            return &row;
        }
    }
    return nullptr;
}

std::span<const std::string_view> CalibrationSetNames()
{
    static const auto names = [] {
        static std::array<std::string, kFirstSheetType> twins;
        std::array<std::string_view, kDocumentTypeCount + kFirstSheetType> all;
        std::size_t next = 0;
        for (const DocumentType& type : kTypes) {
            all[next++] = type.set;
            if (IsCertificateType(type.type)) {
                twins[static_cast<std::size_t>(type.type)] = std::string(type.set) + std::string(kTwinSuffix);
                all[next++] = twins[static_cast<std::size_t>(type.type)];
            }
        }
        return all;
    }();
    return names;
}

std::string RenderSetName(int type, bool printNoDots)
{
    const DocumentType* row = FindDocumentType(type);
    if (!row)
        return {};
    std::string set(row->set);
    if (printNoDots && IsCertificateType(type))
        set += kTwinSuffix;
    return set;
}
