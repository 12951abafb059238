// Clear, collect, fill through a real working copy; the student data with its ending; the
// school-data copy; sample texts; the special-achievements memo.
#include "forms/FormWindow.h"
#include "platform/Memo.h"
#include "tests/cert220/LeavingForms.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

class LeavingFields : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    std::vector<FieldRecord> collect(const char* cls) const { return Collect(*registry.form(cls)); }

    TestStudent student;
    FormRegistry registry;
};

}  // namespace

TEST_F(LeavingFields, CollectStoreFillCollectGivesIdenticalRecords)
{
    TempFolders folders;
    student.fields = {{"Imie_DATA_EDIT", "Łucja"},
                      {"Nazwisko_DATA_EDIT", "Żak"},
                      {"Plec_DATA_COMBOBOX", "kobieta"},
                      {"NumerPesel_DATA_EDIT", "01234567890"}};
    for (const LeavingForm& lf : LeavingForms())
        FillDistinct(*registry.form(lf.cls), lf.cls);
    registry.FillAll(CollectAll(registry));  // the derived fields take the student's values once
    const std::vector<FieldRecord> first = CollectAll(registry);
    ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, first));
    EXPECT_EQ(CollectAll(registry), first);

    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        const std::vector<FieldRecord> records = collect(lf.cls);
        EXPECT_EQ(records.size(), std::size_t(lf.edits + lf.combos + lf.memos));
        for (const FieldRecord& r : records)
            EXPECT_EQ(r.id, lf.key);
        DocumentForm& form = *registry.form(lf.cls);
        EXPECT_EQ(form.text(QString(lf.memo)),
                  QString(lf.cls) + " " + QString(lf.memo).mid(8, 14) + "\r\ndruga ąę");
        EXPECT_EQ(form.text(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"), "Łucja Żak");
    }
}

TEST_F(LeavingFields, ClearedTwinsStoreEmptyRecordsDifferingOnlyInTheirKey)
{
    for (const auto& [plain, twin] :
         {std::pair{"TFSwiad220", "TFSwiad220w"}, {"TFSwiad221", "TFSwiad221w"}}) {
        SCOPED_TRACE(twin);
        registry.form(plain)->ClearFields();
        registry.form(twin)->ClearFields();
        const std::vector<FieldRecord> a = collect(plain), b = collect(twin);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].comp_name, b[i].comp_name);
            EXPECT_EQ(a[i].value, "");
            EXPECT_EQ(b[i].value, "");
            EXPECT_NE(a[i].id, b[i].id);
        }
    }
    EXPECT_EQ(collect("TFSwiad220").size(), 84u);
    EXPECT_EQ(collect("TFSwiad221").size(), 61u);
}

TEST_F(LeavingFields, EndingFollowsTheSexExactly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"mężczyzna", ""}, {"kobieta", "a"}, {"", "a"}, {"Mężczyzna", "a"}, {"mężczyzna ", "a"}};
    for (const LeavingForm& lf : LeavingForms()) {
        for (const auto& [sex, ending] : cases) {
            SCOPED_TRACE(std::string(lf.cls) + " " + sex);
            student.fields["Plec_DATA_COMBOBOX"] = QString::fromUtf8(sex);
            DocumentForm& form = *registry.form(lf.cls);
            form.FillFields({{lf.key, "ZMIENNA_UkonczylA_STR1_DATA_EDIT", "x"}});
            EXPECT_EQ(form.text(u"ZMIENNA_UkonczylA_STR1_DATA_EDIT"), ending);
        }
    }
}

namespace {

using Pairs = std::vector<std::pair<QString, QString>>;

// The school-data dialog's edits each form copies, in the order they are copied.
Pairs SchoolPairs(bool form220)
{
    auto z = [](const QString& name) { return "ZMIENNA_" + name + "_DATA_EDIT"; };
    Pairs pairs = {{z("RokSzkolny1"), z("RokSzkolny1_STR1")},
                   {z("RokSzkolny2"), z("RokSzkolny2_STR1")}};
    auto range = [&](const char* from, const char* to, int n) {
        for (int i = 1; i <= n; ++i)
            pairs.push_back({z(QString(from).arg(i)), z(QString(to).arg(i))});
    };
    if (form220) {
        pairs.insert(pairs.end(), {{z("KierunekWydzial"), z("WydzialSpecjalnosc_STR1")},
                                   {z("ImieSzkoly1"), z("ImieSzkoly_STR1")},
                                   {z("SzkolaWE"), z("SzkolaWE_STR1")},
                                   {z("SzkolaMiasto"), z("SzkolaMiasto_STR1")},
                                   {z("SzkolaWoj"), z("SzkolaWoj_STR1")},
                                   {z("Miejscowosc"), z("Miejscowosc_STR1")},
                                   {z("MiejscowoscDnia"), z("MiejscowoscDnia_STR1")},
                                   {z("MiejscowoscRok"), z("MiejscowoscRok_STR1")}});
        range("ObowiazkoweEdu%1", "ObowiazkoweZajEduOpis%1_STR2", 15);
        range("Nadobowiazkowe%1", "NadobowiazkoweZajPozalekcyjneOpis%1_STR3", 5);
        range("ObowiazkoweZajEduArt%1", "ObowiazkoweZajArtOpis%1_STR2", 10);
    } else {
        pairs.insert(pairs.end(), {{z("Szkola1"), z("NazwaSzkoly1_STR1")},
                                   {z("ImieSzkoly1"), z("ImieSzkoly1_STR1")},
                                   {z("SzkolaWE"), z("SzkolaWE_STR1")},
                                   {z("SzkolaMiasto"), z("SzkolaMiasto_STR1")},
                                   {z("SzkolaWoj"), z("SzkolaWoj_STR1")},
                                   {z("KierunekWydzial"), z("WZakresieGryNa_STR1")},
                                   {z("OLetnim"), z("OLetnim_STR1")},
                                   {z("Miejscowosc"), z("Miejscowosc_STR1")},
                                   {z("MiejscowoscDnia"), z("MiejscowoscDnia_STR1")},
                                   {z("MiejscowoscRok"), z("MiejscowoscRok_STR1")}});
        range("ObowiazkoweZajEduArt%1", "ObowiazkowyEduOpis%1_STR2", 10);
        range("Nadobowiazkowe%1", "NadobowiazkoweOpis%1_STR2", 5);
    }
    return pairs;
}

class LeavingSchoolData : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    TempFolders folders;
    TemplateSchool school;
    FormRegistry registry;
};

}  // namespace

// A template holding every dialog field but two: each pair's field takes its value whole (a
// missing one empties it), and no other field of any form changes.
TEST_F(LeavingSchoolData, CopiesExactlyTheFormsPairs)
{
    const QStringList missing = {"ZMIENNA_SzkolaWE_DATA_EDIT",
                                 "ZMIENNA_ObowiazkoweZajEduArt10_DATA_EDIT"};
    std::vector<FieldRecord> templ;
    for (const QString& name : registry.catalog().dialogFields.value("TFDaneSzkoly"))
        if (!missing.contains(name))
            templ.push_back(
                {"DANE SZKOLY", name.toStdString(), (name.mid(8, 20) + " śląskie").toStdString()});
    ASSERT_NO_FATAL_FAILURE(WriteSchoolTemplate(templ));

    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        DocumentForm& form = *registry.form(lf.cls);
        FillDistinct(form, "old");
        const Snapshot before = TakeSnapshot(registry);
        form.LoadSchoolData();
        Snapshot expected;
        for (const auto& [dialog, field] : SchoolPairs(Is220(lf)))
            expected[{lf.key, field.toStdString()}] =
                missing.contains(dialog) ? "" : (dialog.mid(8, 20) + " śląskie").toStdString();
        EXPECT_EQ(expected.size(), Is220(lf) ? 40u : 27u);
        EXPECT_EQ(Changes(before, TakeSnapshot(registry)), expected);
    }
}

TEST_F(LeavingFields, SampleTexts)
{
    const QStringList memoLines = {"szczegolne 1", "szczegolne 2", "szczegolne 3", "szczegolne 4",
                                   "szczegolne 5"};
    // ART-II/220: every field has its text.
    std::map<QString, QString> s220 = {{"ImieNazwisko_STR1", "imię i nazwisko"},
                                       {"DataUrodzenia_STR1", "1 stycznia"},
                                       {"MiejsceUrodzenia_STR1", "katowicach"},
                                       {"NumerPESEL_STR1", "123456789"},
                                       {"RokSzkolny1_STR1", "2014"},
                                       {"RokSzkolny2_STR1", "2015"},
                                       {"UkonczylA_STR1", "a"},
                                       {"WydzialSpecjalnosc_STR1", "szkoła"},
                                       {"ImieSzkoly_STR1", "imię szkoły"},
                                       {"SzkolaWE_STR1", "e"},
                                       {"SzkolaMiasto_STR1", "katowice"},
                                       {"Miejscowosc_STR1", "katowice"},
                                       {"SzkolaWoj_STR1", "śląskie"},
                                       {"WZakresieGryNa_STR1", "zakres gry na"},
                                       {"UchwalaDnia_STR1", "1 czerwca"},
                                       {"MiejscowoscDnia_STR1", "1 czerwca"},
                                       {"UchwalaRok_STR1", "2014"},
                                       {"MiejscowoscRok_STR1", "2014"},
                                       {"NrNaSwiadectwie_STR1", "12"},
                                       {"ZachowanieOcn_STR2", "zachowanie ocn"},
                                       {"ReligiaEtykaOcn_STR2", "religia ocn"}};
    for (int n = 1; n <= 15; ++n) {
        s220[QString("ObowiazkoweZajEduOpis%1_STR2").arg(n)] = QString("ob. zaj. edu %1").arg(n);
        s220[QString("ObowiazkoweZajEduOcn%1_STR2").arg(n)] = QString("ob. zaj. edu %1").arg(n);
    }
    for (int n = 1; n <= 11; ++n) {
        s220[QString("ObowiazkoweZajArtOpis%1_STR2").arg(n)] = QString("ob. zaj. art %1").arg(n);
        s220[QString("ObowiazkoweZajArtOcn%1_STR2").arg(n)] = QString("ob. zaj. art %1").arg(n);
    }
    for (int n = 1; n <= 5; ++n) {
        s220[QString("NadobowiazkoweZajPozalekcyjneOpis%1_STR3").arg(n)] =
            QString("nadobowiazkowe %1").arg(n);
        s220[QString("NadobowiazkoweZajPozalekcyjneOcn%1_STR3").arg(n)] =
            QString("nadob. ocn %1").arg(n);
    }
    // ART-II/221: the texts quoted for it; the length of the course is left as it was.
    std::map<QString, QString> s221 = {{"ImieNazwisko_STR1", "imię nazwisko"},
                                       {"DataUrodzenia_STR1", "1 stycznia 1980"},
                                       {"NumerPESEL_STR1", "1234567890"},
                                       {"UkonczylA_STR1", "a"},
                                       {"RokSzkolny1_STR1", "2010"},
                                       {"RokSzkolny2_STR1", "2011"},
                                       {"SzkolaWE_STR1", "e"},
                                       {"WZakresieGryNa_STR1", "zakres gry na"},
                                       {"UchwalaDnia_STR1", "uchwala dnia"},
                                       {"UchwalaRok_STR1", "1234"},
                                       {"MiejscowoscDnia_STR1", "1 czerwca"},
                                       {"MiejscowoscRok_STR1", "2011"},
                                       {"NrNaSwiadectwie_STR1", "14"}};
    for (int n = 1; n <= 15; ++n) {
        s221[QString("ObowiazkowyEduOpis%1_STR2").arg(n)] =
            QString("obowiązkowe zaj. edu. %1").arg(n);
        s221[QString("ObowiazkowyEduOcn%1_STR2").arg(n)] = "celujacy";
    }
    for (int n = 1; n <= 5; ++n) {
        s221[QString("NadobowiazkoweOpis%1_STR2").arg(n)] =
            QString("nadobowiązkowe opis %1").arg(n);
        s221[QString("NadopowiazkoweOcn%1_STR2").arg(n)] = "celujacy";
    }

    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        DocumentForm& form = *registry.form(lf.cls);
        FillDistinct(form, "old");
        form.FillSampleData();
        const std::map<QString, QString>& samples = Is220(lf) ? s220 : s221;
        for (int i = 0; i < form.componentCount(); ++i) {
            const LayoutComponent& c = form.component(i);
            if (!c.isStored() || c.kind == ComponentKind::Memo)
                continue;
            const QString bare = c.name.mid(8).section("_DATA_", 0, 0);
            if (samples.count(bare)) {
                EXPECT_EQ(form.text(i), samples.at(bare)) << c.name.toStdString();
            } else if (bare == "OLetnim_STR1") {
                EXPECT_EQ(form.text(i), "old " + c.name.mid(8, 14));
            } else {  // a place-holder of its own kind, never the old text
                EXPECT_TRUE(!Is220(lf) && !form.text(i).isEmpty() &&
                            !form.text(i).startsWith("old"))
                    << c.name.toStdString();
            }
        }
        EXPECT_EQ(form.memoLines(QString(lf.memo)), memoLines);
    }
}

TEST_F(LeavingFields, SpecialAchievementsKeepFiveLines)
{
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        DocumentForm& form = *registry.form(lf.cls);
        const QString name = lf.memo;
        const int memo = form.find(name);
        form.ClearFields();

        // Pasted eight lines keep five; Enter at the fifth is refused.
        const QStringList five = NumberedLines(5).split("\r\n");
        auto& widget = *qobject_cast<Memo*>(form.window().widget(name));
        widget.setFocus();
        PasteText(&widget, NumberedLines(8));
        EXPECT_EQ(form.memoLines(memo), five);
        EXPECT_FALSE(form.memoAcceptsEnter(memo));
        const QString atLimit = form.text(memo);
        widget.moveCursor(QTextCursor::Start);
        TypeKey(&widget, Qt::Key_Return, "\r");
        EXPECT_EQ(form.text(memo), atLimit);

        // A stored text of seven lines comes back whole, and is stored so.
        form.FillFields({{lf.key, name.toStdString(), NumberedLines(7).toStdString()}});
        const QStringList seven = NumberedLines(7).split("\r\n");
        EXPECT_EQ(form.memoLines(memo), seven);
        for (const FieldRecord& r : Collect(form)) {
            if (r.comp_name == lf.memo) {
                EXPECT_EQ(QString::fromStdString(r.value).split("\r\n", Qt::SkipEmptyParts), seven);
            }
        }

        // Two long paragraphs set from code keep their first five displayed lines, each a line.
        const QString paragraph = QString("osiągnięcie ").repeated(30).trimmed();
        form.setText(memo, paragraph + "\r\n" + paragraph);
        const QStringList displayed = form.memoLines(memo);
        EXPECT_EQ(displayed.size(), 5);
        EXPECT_EQ(form.text(memo).split("\r\n", Qt::SkipEmptyParts), displayed);
    }
}
