// The forms' windows: built on first show, every field over its place on the blank,
// the buttons doing what their roles say.
#include "forms/Endings.h"
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/Memo.h"
#include "platform/ScriptedDialogs.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include <gtest/gtest.h>

TEST(FormWindows, EveryComponentStandsOnItsScaledRectangle) {
    EnsureApplication();
    FormRegistry registry;
    for (const auto& form : registry.forms()) {
        if (form->definition().pages.isEmpty()) continue;
        SCOPED_TRACE(form->className().toStdString());
        EXPECT_FALSE(form->hasWindow());
        FormWindow& w = form->window();
        EXPECT_EQ(w.windowTitle(), form->definition().caption);
        // Words, their endings and the fixed texts after them are fitted to the text they
        // show (EndingPlacementTest); they keep their line.
        QList<LayoutComponent> components;
        for (int i = 0; i < form->componentCount(); ++i) components << form->component(i);
        QSet<int> following;
        for (const EndingPair& pair : FindEndings(components)) following << pair.word << pair.ending << pair.follower;
        for (int i = 0; i < form->componentCount(); ++i) {
            QWidget* widget = w.widget(i);
            ASSERT_NE(widget, nullptr) << form->component(i).name.toStdString();
            // On its place; only a field too narrow for its typing limit grows to the right.
            const QRect place = toPicture(form->component(i).rect).toRect();
            const QRect shown = widget->geometry();
            EXPECT_EQ(shown.y(), place.y());
            EXPECT_EQ(shown.height(), place.height());
            const ComponentKind kind = form->component(i).kind;
            if (!following.contains(i)) {
                EXPECT_EQ(shown.x(), place.x());
                if (kind == ComponentKind::Edit || kind == ComponentKind::Combo) EXPECT_GE(shown.width(), place.width());
                else EXPECT_EQ(shown.width(), place.width());
            }
            EXPECT_EQ(widget->objectName(), form->component(i).name);
            if (auto* memo = qobject_cast<Memo*>(widget)) {  // values and widget wrap alike
                EXPECT_EQ(memo->wrapWidth(), form->memoWrapWidth(i));
            }
        }
    }
}

TEST(FormWindows, CertificateTabsAndButtons) {
    EnsureApplication();
    FormRegistry registry;
    FormWindow& kl1 = registry.form("TFSwiad205kl1")->window();
    FormWindow& kl2 = registry.form("TFSwiad205kl2")->window();
    ASSERT_EQ(kl2.pages()->count(), 2);
    EXPECT_EQ(kl2.pages()->tabText(0), "Strona 1");
    EXPECT_EQ(kl2.pages()->tabText(1), "Strona2");
    EXPECT_EQ(kl2.pages()->currentIndex(), 0);
    EXPECT_EQ(kl1.pages()->currentIndex(), 1);
    EXPECT_EQ(kl2.findChild<QPushButton*>("LoadSchoolDataButton")->text(), "Załaduj szablon danych szkoły");
    EXPECT_FALSE(kl2.findChild<QPushButton*>("OKButton")->autoDefault());

    // Tab order follows the blank, not the component order.
    QWidget* rok = kl2.widget(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT");
    EXPECT_EQ(rok->nextInFocusChain(), kl2.widget(u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT"));
    EXPECT_EQ(kl2.widget(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT")->nextInFocusChain(),
              kl2.widget(u"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT"));
}

TEST(FormWindows, ChosenGradeReachesTheValueWithItsTrailingBlank) {
    EnsureApplication();
    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205kl3");
    auto* combo = qobject_cast<ComboBox*>(form.window().widget(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(12);
    emit combo->activated(12);  // as a person's choice arrives
    EXPECT_EQ(form.text(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"), "uczestniczył ");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    TypeText(combo->lineEdit(), "własna");
    EXPECT_EQ(form.text(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"), "własna");
}

TEST(FormWindows, OkClosesOnlyAfterASuccessfulSave) {
    EnsureApplication();
    FormRegistry registry;
    bool saveSucceeds = false;
    int saves = 0;
    registry.setSaveStudentData([&] {
        ++saves;
        return saveSucceeds;
    });
    DocumentForm& form = *registry.form("TFArkusz283str2");
    ScriptedDialogs dialogs;
    dialogs.answerModal([&](QDialog& d) {
        auto* ok = d.findChild<QPushButton*>("OKButton");
        ok->click();
        EXPECT_TRUE(d.isVisible());
        saveSucceeds = true;
        ok->click();
    });
    EXPECT_EQ(form.ShowModal(), int(QDialog::Accepted));
    EXPECT_EQ(saves, 2);
    dialogs.answerModal([](QDialog& d) { d.findChild<QPushButton*>("AnulujButton")->click(); });
    EXPECT_EQ(form.ShowModal(), int(QDialog::Rejected));
    EXPECT_EQ(saves, 2);
}
