#include "tests/cert200/Cert200Forms.h"

namespace {

const QList<Ending> kPromotionEndings = {{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", ""},
                                         {"ZMIENNA_OtrzymalA_STR1_DATA_EDIT", ""}};
const QList<Ending> kExamEndings = {{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", ""},
                                    {"ZMIENNA_ZostalA_STR1_DATA_EDIT", ""},
                                    {"ZMIENNA_DopuszczonyA_STR1_DATA_EDIT", "y"},
                                    {"ZMIENNA_NieZdalA_STR1_DATA_EDIT", ""}};
const QStringList kThreeTabs = {"Strona 1", "Strona 2", "Strona 3"};

}  // namespace

const QList<Cert200Form>& Cert200Forms() {
    static const QList<Cert200Form> forms = {
        {"TFSwiad200", "ART-II/200/3 KLASA I MUZYCZNA",
         "ART-II/200/3 Świadectwo ukończenia I klasy szkoły muzycznej", {"Strona 1", "Strona2"}, true,
         "swiad_200", 30, 6, 3, 38,
         {{"ZMIENNA_Zachowanie_STR2_DATA_MEMO", 5}, {"ZMIENNA_ObZajEdu_STR2_DATA_MEMO", 10},
          {"ZMIENNA_Szczegolne_STR2_DATA_MEMO", 5}},
         kPromotionEndings, 18, true},
        {"TFSwiad200a", "ART-II/200/3a", "ART-II/200/3a Świadectwo ukończenia I klasy szkoły muzycznej",
         kThreeTabs, false, "swiad_200a", 38, 14, 4, 40,
         {{"ZMIENNA_Zachowanie_STR2_DATA_MEMO", 7}, {"ZMIENNA_ObZajEdu_STR2_DATA_MEMO", 12},
          {"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 6}, {"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 3}},
         kPromotionEndings, 26, true},
        {"TFSwiad203", "ART-II/203/3 MUZYCZNA", "ART-II/203/3", kThreeTabs, true, "swiad_203", 59, 37, 2, 43,
         {{"ZMIENNA_RealizacjaProjektuEdu_STR3_DATA_MEMO", 4}, {"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 5}},
         kPromotionEndings, 23, true},
        {"TFSwiad203w", "ART-II/203-w/3 MUZYCZNA", "ART-II/203-w/3", kThreeTabs, true, "swiad_203w", 57, 37, 2,
         42, {{"ZMIENNA_RealizacjaProjektuEdu_STR3_DATA_MEMO", 4}, {"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 5}},
         kPromotionEndings, 23, true},
        {"TFSwiad204", "ART-II/204/3 MUZYCZNA", "ART-II/204/3", kThreeTabs, true, "swiad_204", 58, 37, 1, 44,
         {{"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 5}}, kExamEndings, 27, true},
        {"TFSwiad204a", "ART-II/204/3a MUZYCZNA", "ART-II/204/3a Świadectwo ukończenia klasy",
         {"Strona 1", "Strona 2", "Strona 3", "Strona 4"}, false, "swiad_204a", 75, 49, 2, 46,
         {{"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 8}, {"ZMIENNA_Szczegolne_STR4_DATA_MEMO", 8}},
         kExamEndings, 49, true},
        {"TFSwiad205a", "ART-II/205/3a", "ART-II/205/3a Świadectwo ukończenia klasy", kThreeTabs, false,
         "swiad_205a", 59, 33, 2, 38,
         {{"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 8}, {"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 8}},
         kPromotionEndings, 33, true},
        {"TFSwiad205aw", "ART-II/205-w/3a", "ART-II/205-w/3a Świadectwo ukończenia klasy z wyróżnieniem",
         kThreeTabs, false, "swiad_205aw", 57, 33, 2, 37,
         {{"ZMIENNA_Indywidualny_STR3_DATA_MEMO", 8}, {"ZMIENNA_Szczegolne_STR3_DATA_MEMO", 8}},
         kPromotionEndings, 30, false},
    };
    return forms;
}
