// What a person chooses in a form's window besides its values lasts for the run, although
// the window itself is let go when it closes: a certificate's tab, the names box of a year
// page's load bar and, on ART-II/280/3 page 5, the certificate picked. The lists that a
// showing sets again are set again.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/ScriptedDialogs.h"
#include "tests/forms/FormsTestSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Shows the form as the edit command does, runs `act` in its window, leaves by "Anuluj".
void InWindow(ScriptedDialogs& dialogs, DocumentForm& form,
              const std::function<void(FormWindow&)>& act)
{
    dialogs.answerModal([&](QDialog& dialog) {
        act(static_cast<FormWindow&>(dialog));
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == "Anuluj")
                button->click();
    });
    form.ShowModal();
    ASSERT_FALSE(form.hasWindow());  // nothing of the window outlives the showing
}

void PressLoad(FormWindow& window)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text().startsWith("Wczytaj dane z"))
            return button->click();
    ADD_FAILURE() << "no load button";
}

}  // namespace

TEST(WindowChoices, CertificateReopensOnTheTabLastShown)
{
    EnsureApplication();
    FormRegistry registry;
    ScriptedDialogs dialogs;
    int certificates = 0;
    for (const auto& form : registry.forms()) {
        if (!form->isCertificate())
            continue;
        ++certificates;
        SCOPED_TRACE(form->className().toStdString());
        // The class I certificates, which no tree node opens, stand on their second page.
        const QString first =
            form->className() == "TFSwiad220w" ? "Strona 3"
            : form->className() == "TFSwiad205kl1" || form->className() == "TFSwiad205wkl1"
                ? "Strona2"
                : "Strona 1";
        int last = -1;
        InWindow(dialogs, *form, [&](FormWindow& w) {
            EXPECT_EQ(w.pages()->tabText(w.pages()->currentIndex()), first);
            last = w.pages()->count() - 1;
            w.pages()->setCurrentIndex(0);
            w.pages()->setCurrentIndex(last);
        });
        InWindow(dialogs, *form,
                 [&](FormWindow& w) { EXPECT_EQ(w.pages()->currentIndex(), last); });
    }
    EXPECT_EQ(certificates, 30);
}

TEST(WindowChoices, NamesBoxKeepsItsTickFromOneShowingToTheNext)
{
    EnsureApplication();
    FormRegistry registry;
    ScriptedDialogs dialogs;
    int pages = 0;
    for (const auto& form : registry.forms()) {
        if (!form->definition().loadBar || !form->definition().loadBar->namesCheckBox)
            continue;
        ++pages;
        SCOPED_TRACE(form->className().toStdString());
        for (const bool tick : {true, false}) {
            InWindow(dialogs, *form, [&](FormWindow& w) {
                ASSERT_NE(w.namesCheckBox(), nullptr);
                EXPECT_EQ(w.namesCheckBox()->isChecked(),
                          !tick);  // unticked at the start of the run
                w.namesCheckBox()->click();
            });
            InWindow(dialogs, *form,
                     [&](FormWindow& w) { EXPECT_EQ(w.namesCheckBox()->isChecked(), tick); });
        }
    }
    // ART-II/280/3 pages 2 to 7, ART-II/281/3 pages 2 to 7, ART-II/283/3 pages 2 and 4.
    EXPECT_EQ(pages, 14);
}

TEST(WindowChoices, LoadTakesTheNamesTickedAtAnEarlierShowing)
{
    EnsureApplication();
    FormRegistry registry;
    ScriptedDialogs dialogs;
    DocumentForm& certificate = *registry.form("TFSwiad205kl2");
    certificate.setText(u"ZMIENNA_ObowiazkowyEduOpis1_STR2_DATA_EDIT", "kształcenie słuchu");
    certificate.setText(u"ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX", "dobry");
    DocumentForm& page = *registry.form("TFArkusz283str2");
    InWindow(dialogs, page, [](FormWindow& w) { w.namesCheckBox()->click(); });

    InWindow(dialogs, page, [](FormWindow& w) { PressLoad(w); });
    EXPECT_EQ(page.text(u"ZMIENNA_ObowiazkowyOpis1_DATA_EDIT"), "kształcenie słuchu");
    EXPECT_EQ(page.text(u"ZMIENNA_ObowiazkoweOcn11_DATA_COMBOBOX"), "dobry");
}

TEST(WindowChoices, Page5KeepsTheCertificatePickedWhileOtherListsStartAgain)
{
    EnsureApplication();
    FormRegistry registry;
    ScriptedDialogs dialogs;
    registry.form("TFSwiad200")
        ->setText(u"ZMIENNA_ReligiaEtyka_STR2_DATA_COMBOBOX", "bardzo dobry");
    DocumentForm& page5 = *registry.form("TFArkusz280str5");
    InWindow(dialogs, page5, [](FormWindow& w) {
        EXPECT_EQ(w.certificateList()->currentIndex(), -1);
        PressLoad(w);  // nothing picked: nothing loaded
        w.certificateList()->setCurrentIndex(0);
    });
    EXPECT_EQ(page5.text(u"ZMIENNA_Religia1_DATA_COMBOBOX"), "");
    InWindow(dialogs, page5, [](FormWindow& w) {
        EXPECT_EQ(w.certificateList()->currentIndex(), 0);
        PressLoad(w);
    });
    EXPECT_EQ(page5.text(u"ZMIENNA_Religia1_DATA_COMBOBOX"), "bardzo dobry");

    // Page 6 offers its first certificate and column at every showing.
    DocumentForm& page6 = *registry.form("TFArkusz280str6");
    InWindow(dialogs, page6, [](FormWindow& w) {
        w.certificateList()->setCurrentIndex(1);
        w.columnList()->setCurrentIndex(1);
    });
    InWindow(dialogs, page6, [](FormWindow& w) {
        EXPECT_EQ(w.certificateList()->currentIndex(), 0);
        EXPECT_EQ(w.columnList()->currentIndex(), 0);
    });
}
