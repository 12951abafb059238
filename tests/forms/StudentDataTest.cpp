// The student dialog's data over the stored values, on every certificate of every family:
// the joined fields and the sex endings follow the dialog, every other field keeps what
// was stored, and with no record of the form's key they are all that holds a text.
#include "forms/FormRegistry.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Ending {
    const char* name;
    const char* masculine;  // for exactly "mężczyzna"; every other text gives "a"
};

const std::vector<Ending> kPromotion = {{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", ""},
                                        {"ZMIENNA_OtrzymalA_STR1_DATA_EDIT", ""}};
const std::vector<Ending> kExam = {{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", ""},
                                   {"ZMIENNA_ZostalA_STR1_DATA_EDIT", ""},
                                   {"ZMIENNA_DopuszczonyA_STR1_DATA_EDIT", "y"},
                                   {"ZMIENNA_NieZdalA_STR1_DATA_EDIT", ""}};
const std::vector<Ending> kLeaving = {{"ZMIENNA_UkonczylA_STR1_DATA_EDIT", ""}};

struct CertificateCase {
    const char* cls;
    const std::vector<Ending>* endings;
};

void PrintTo(const CertificateCase& c, std::ostream* os)
{
    *os << c.cls;
}

const CertificateCase kCertificates[] = {
    {"TFSwiad200", &kPromotion},    {"TFSwiad200a", &kPromotion},
    {"TFSwiad201", &kPromotion},    {"TFSwiad201w", &kPromotion},
    {"TFSwiad201b", &kPromotion},   {"TFSwiad201bw", &kPromotion},
    {"TFSwiad201c", &kPromotion},   {"TFSwiad201cw", &kPromotion},
    {"TFSwiad203", &kPromotion},    {"TFSwiad203w", &kPromotion},
    {"TFSwiad204", &kExam},         {"TFSwiad204a", &kExam},
    {"TFSwiad205kl1", &kPromotion}, {"TFSwiad205wkl1", &kPromotion},
    {"TFSwiad205kl2", &kPromotion}, {"TFSwiad205wkl2", &kPromotion},
    {"TFSwiad205kl3", &kPromotion}, {"TFSwiad205wkl3", &kPromotion},
    {"TFSwiad205kl4", &kPromotion}, {"TFSwiad205wkl4", &kPromotion},
    {"TFSwiad205kl5", &kPromotion}, {"TFSwiad205wkl5", &kPromotion},
    {"TFSwiad205kl6", &kPromotion}, {"TFSwiad205wkl6", &kPromotion},
    {"TFSwiad205a", &kPromotion},   {"TFSwiad205aw", &kPromotion},
    {"TFSwiad220", &kLeaving},      {"TFSwiad220w", &kLeaving},
    {"TFSwiad221", &kLeaving},      {"TFSwiad221w", &kLeaving}};

const char* const kSexes[] = {"mężczyzna", "kobieta", "", "Mężczyzna", "mężczyzna "};

struct Name {
    QString first, last;
    std::string joined;  // one blank between, an empty part included
};

class CertificateStudentData : public ::testing::TestWithParam<CertificateCase> {
protected:
    void SetUp() override { EnsureApplication(); }
    TestStudent student;
    FormRegistry registry;
};

}  // namespace

TEST_P(CertificateStudentData, OverwritesStoredValuesAndIsAllAnEmptyListLeaves)
{
    const CertificateCase& c = GetParam();
    DocumentForm& form = *registry.form(c.cls);
    const std::string key = form.key().toStdString();
    std::vector<FieldRecord> stored;
    for (int i = 0; i < form.componentCount(); ++i)
        if (form.component(i).isStored())
            stored.push_back({key, form.component(i).name.toStdString(), "zapisane"});
    ASSERT_GT(stored.size(), 20u);

    const Name names[] = {{"Jan", "Kowalski", "Jan Kowalski"},
                          {"", QString(50, QChar('x')), " " + std::string(50, 'x')}};
    for (const Name& name : names) {
        for (const char* sex : kSexes) {
            SCOPED_TRACE(name.joined + " / " + sex);
            student.fields = {{"Imie_DATA_EDIT", name.first},
                              {"Nazwisko_DATA_EDIT", name.last},
                              {"UrodzonyDnia_DATA_EDIT", "3 maja"},
                              {"UrodzonyRok_DATA_COMBOBOX", "1996 r."},
                              {"UrodzonyMiasto_DATA_COMBOBOX", "Bielsku-Białej"},
                              {"UrodzonyWoj_DATA_COMBOBOX", "małopolskie"},
                              {"Plec_DATA_COMBOBOX", QString::fromUtf8(sex)},
                              {"NrDziennika_DATA_EDIT", "17"},
                              {"NumerPesel_DATA_EDIT", "96050312345"}};
            std::map<std::string, std::string> derived = {
                {"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", name.joined},
                {"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT", "3 maja 1996 r."},
                {"ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", "Bielsku-Białej"},
                {"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "17"},
                {"ZMIENNA_NumerPESEL_STR1_DATA_EDIT", "96050312345"}};
            for (const Ending& e : *c.endings)
                derived[e.name] = std::string(sex) == "mężczyzna" ? e.masculine : "a";

            form.FillFields(stored);
            std::size_t seen = 0;
            for (const FieldRecord& r : Collect(form)) {
                const auto it = derived.find(r.comp_name);
                seen += it != derived.end();
                EXPECT_EQ(r.value, it != derived.end() ? it->second : "zapisane") << r.comp_name;
            }
            EXPECT_EQ(seen, derived.size());  // every derived field is on the form

            form.FillFields({{"OTHER KEY", "ZMIENNA_UchwalaRok_STR1_DATA_EDIT", "1999"}});
            for (const FieldRecord& r : Collect(form))
                EXPECT_EQ(r.value, derived.count(r.comp_name) ? derived.at(r.comp_name) : "")
                    << r.comp_name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Certificates, CertificateStudentData, ::testing::ValuesIn(kCertificates),
                         [](const ::testing::TestParamInfo<CertificateCase>& paramInfo) {
                             return std::string(paramInfo.param.cls);
                         });
