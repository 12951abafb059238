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

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QPushButton>
#include <QSet>

#include <gtest/gtest.h>

TEST(FormWindows, EveryComponentStandsOnItsScaledRectangle)
{
    EnsureApplication();
    FormRegistry registry;
    for (const auto& form : registry.forms()) {
        if (form->definition().pages.isEmpty())
            continue;
        SCOPED_TRACE(form->className().toStdString());
        EXPECT_FALSE(form->hasWindow());
        FormWindow& w = form->window();
        EXPECT_EQ(w.windowTitle(), form->definition().caption);
        // Words, their endings and the fixed texts after them are fitted to the text they
        // show (EndingPlacementTest); they keep their line.
        QList<LayoutComponent> components;
        for (int i = 0; i < form->componentCount(); ++i)
            components << form->component(i);
        QSet<int> following;
        for (const EndingPair& pair : FindEndings(components))
            following << pair.word << pair.ending << pair.follower;
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
                if (kind == ComponentKind::Edit || kind == ComponentKind::Combo)
                    EXPECT_GE(shown.width(), place.width());
                else
                    EXPECT_EQ(shown.width(), place.width());
            }
            EXPECT_EQ(widget->objectName(), form->component(i).name);
            if (auto* memo = qobject_cast<Memo*>(widget)) {  // values and widget wrap alike
                EXPECT_EQ(memo->wrapWidth(), form->memoWrapWidth(i));
            }
        }
    }
}

TEST(FormWindows, CertificateTabsAndButtons)
{
    EnsureApplication();
    FormRegistry registry;
    FormWindow& kl1 = registry.form("TFSwiad205kl1")->window();
    FormWindow& kl2 = registry.form("TFSwiad205kl2")->window();
    ASSERT_EQ(kl2.pages()->count(), 2);
    EXPECT_EQ(kl2.pages()->tabText(0), "Strona 1");
    EXPECT_EQ(kl2.pages()->tabText(1), "Strona2");
    EXPECT_EQ(kl2.pages()->currentIndex(), 0);
    EXPECT_EQ(kl1.pages()->currentIndex(), 1);
    EXPECT_EQ(kl2.findChild<QPushButton*>("LoadSchoolDataButton")->text(),
              "Załaduj szablon danych szkoły");
    EXPECT_FALSE(kl2.findChild<QPushButton*>("OKButton")->autoDefault());

    // Tab order follows the blank, not the component order.
    QWidget* rok = kl2.widget(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT");
    EXPECT_EQ(rok->nextInFocusChain(), kl2.widget(u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT"));
    EXPECT_EQ(kl2.widget(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT")->nextInFocusChain(),
              kl2.widget(u"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT"));
}

TEST(FormWindows, ChosenGradeReachesTheValueWithItsTrailingBlank)
{
    EnsureApplication();
    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205kl3");
    auto* combo = qobject_cast<ComboBox*>(
        form.window().widget(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(12);
    emit combo->activated(12);  // as a person's choice arrives
    EXPECT_EQ(form.text(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"), "uczestniczył ");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    TypeText(combo->lineEdit(), "własna");
    EXPECT_EQ(form.text(u"ZMIENNA_ObowiazkowyEduOcn4_STR2_DATA_COMBOBOX"), "własna");
}

TEST(FormWindows, OkClosesOnlyAfterASuccessfulSave)
{
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

// Every form window has a fixed border: a certificate as high as the screen less 50
// pixels, a grade-sheet page less 100, and no resizing changes it.
TEST(FormWindows, FixedBorder)
{
    EnsureApplication();
    FormRegistry registry;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ScriptedDialogs dialogs;
    int forms = 0;
    for (const auto& form : registry.forms()) {
        if (form->definition().pages.isEmpty())
            continue;
        SCOPED_TRACE(form->className().toStdString());
        dialogs.answerModal([&](QDialog& d) {
            const QSize shown = d.size();
            EXPECT_EQ(d.minimumSize(), shown);
            EXPECT_EQ(d.maximumSize(), shown);
            d.resize(shown + QSize(60, 40));
            QCoreApplication::processEvents();
            EXPECT_EQ(d.size(), shown);
            EXPECT_EQ(shown.height(), screen.height() - (form->isCertificate() ? 50 : 100));
            d.reject();
        });
        form->ShowModal();
        ++forms;
    }
    EXPECT_EQ(forms, 48);
}

// A year page stands centred across the screen (up to its frame's border, unknown before
// the first showing) at the width its button panel and load bar need, also when a large
// desktop font makes them wider than the page (or, on a narrow screen, puts the load bar in
// a row of its own).
TEST(FormWindows, YearPagesCentredAtTheirPanelsWidth)
{
    EnsureApplication();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QFont desktopFont = QApplication::font();
    const struct RestoreFont {
        QFont font;
        ~RestoreFont() { QApplication::setFont(font); }
    } restore{desktopFont};
    QFont large = desktopFont;
    large.setPixelSize(28);
    ScriptedDialogs dialogs;
    for (const QFont& font : {desktopFont, large}) {
        SCOPED_TRACE(font.pixelSize());
        QApplication::setFont(font);
        FormRegistry registry;
        int yearPages = 0, widened = 0;
        for (const auto& form : registry.forms()) {
            if (form->definition().kind != FormKind::SheetYear)
                continue;
            SCOPED_TRACE(form->className().toStdString());
            dialogs.answerModal([&](QDialog& d) {
                auto* panel = d.findChild<QWidget*>("Panel1");
                ASSERT_NE(panel, nullptr);
                EXPECT_GE(d.width(), panel->minimumSizeHint().width());
                const int border = (d.frameGeometry().width() - d.width()) / 2;
                EXPECT_NEAR(d.geometry().center().x(), screen.center().x(), border + 1);
                // Wider than the page, or, on a screen too narrow for that, the load bar in a
                // row of its own above the buttons (a one-row panel is 41 pixels high).
                if (panel->minimumSizeHint().width() > kBlankWidth || panel->height() > 41)
                    ++widened;
                d.reject();
            });
            form->ShowModal();
            ++yearPages;
        }
        EXPECT_EQ(yearPages, 15);
        if (font == large) {
            EXPECT_GT(widened, 0);  // the case this test is about occurs
        }
    }
}

// The certificates of shape A (OK button "btnOK": the 3a, 3b and 3c forms) carry a small
// picture of its role on each of their three buttons; shape B's buttons are plain.
TEST(FormWindows, ShapeAButtonsCarryTheirRolesPictures)
{
    EnsureApplication();
    FormRegistry registry;
    const struct {
        const char* form;
        bool pictures;
    } cases[] = {
        {"TFSwiad200a", true},  {"TFSwiad204a", true},      {"TFSwiad205a", true},
        {"TFSwiad205aw", true}, {"TFSwiad201b", true},      {"TFSwiad201bw", true},
        {"TFSwiad201c", true},  {"TFSwiad201cw", true},     {"TFSwiad200", false},
        {"TFSwiad201", false},  {"TFSwiad201w", false},     {"TFSwiad205kl1", false},
        {"TFSwiad220", false},  {"TFArkusz281str2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        FormWindow& w = registry.form(QString::fromLatin1(c.form))->window();
        const QList<QPushButton*> buttons =
            w.findChild<QWidget*>("Panel1")->findChildren<QPushButton*>();
        ASSERT_GE(buttons.size(), 2);
        EXPECT_EQ(w.findChild<QPushButton*>("btnOK") != nullptr, c.pictures);
        QList<QImage> pictures;
        for (const QPushButton* b : buttons) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_EQ(!b->icon().isNull(), c.pictures);
            if (b->icon().isNull())
                continue;
            const QImage picture = b->icon().pixmap(16, 16).toImage();
            bool ink = false;
            for (int y = 0; y < picture.height() && !ink; ++y)
                for (int x = 0; x < picture.width() && !ink; ++x)
                    ink = qAlpha(picture.pixel(x, y)) > 0;
            EXPECT_TRUE(ink);
            // One picture per role: OK, Anuluj and the school-data button differ.
            for (const QImage& other : pictures)
                EXPECT_NE(picture, other);
            pictures << picture;
        }
    }
}

// The one-letter boxes a person reaches with Tab ("w" + "e" of "we", "promocj" + "ę") show
// two letters, take what the certificate keeps, name their word, and stay clear of the
// field or text after them.
TEST(FormWindows, EndingBoxesShowTwoLettersAndNameTheirWord)
{
    EnsureApplication();
    struct Case {
        const char* form;
        const char* box;
        const char* next;  // the component after it on its line
        const char* tip;
    };
    const Case cases[] = {
        {"TFSwiad205kl1", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT",
         "Końcówka słowa „w”"},
        {"TFSwiad205kl1", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "STALY_PromDoKlasy_STR1_DATA_LABEL",
         "Końcówka słowa „promocj”"},
        {"TFSwiad200", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT",
         "Końcówka słowa „w”"},
        {"TFSwiad201", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "STALY_PromDoKlasy_STR1_DATA_LABEL",
         "Końcówka słowa „promocj”"},
        {"TFSwiad204", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT",
         "Końcówka słowa „w”"},
        {"TFSwiad220", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT",
         "Końcówka słowa „w”"},
        {"TFSwiad221w", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT",
         "Końcówka słowa „w”"},
    };
    FormRegistry registry;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.box);
        DocumentForm& form = *registry.form(c.form);
        FormWindow& w = form.window();
        auto* box = qobject_cast<QLineEdit*>(w.widget(QString::fromUtf8(c.box)));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->toolTip(), QString::fromUtf8(c.tip));
        const int twoLetters = box->fontMetrics().horizontalAdvance(QStringLiteral("ęy"));
        EXPECT_GE(box->width(), twoLetters + 4);
        EXPECT_LE(box->width(), 3 * twoLetters);
        EXPECT_LT(box->geometry().right(), w.widget(QString::fromUtf8(c.next))->x());
        form.setText(QString::fromUtf8(c.box), "");
        box->setFocus();
        TypeText(box, "Krakowie");
        EXPECT_EQ(form.text(QString::fromUtf8(c.box)), "K");
        form.releaseWindow();
    }
}
