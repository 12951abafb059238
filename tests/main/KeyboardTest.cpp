// The keyboard on the real windows: Esc leaves none of the windows where much is typed
// (the document forms, the school-data template) and leaves the short dialogs as their
// "Anuluj" does, Enter presses the focused button, the student dialog always starts in its
// first field, and the menus open with Alt and their letter or with F10.
#include "tests/main/WorkflowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "main/Logi.h"
#include "main/OProgramie.h"
#include "platform/Controls.h"
#include "tests/support/Typing.h"

namespace {

// Esc where a person would press it: in the widget that has the focus.
void PressEscape(QDialog& dialog)
{
    QWidget* focus = dialog.focusWidget();
    TypeKey(focus ? focus : &dialog, Qt::Key_Escape);
}

// The first field of `Kind` a person can type into.
template <class Kind>
Kind* FirstTypable(QDialog& dialog)
{
    for (Kind* field : dialog.findChildren<Kind*>())
        if (field->isEnabled() && !field->isReadOnly())
            return field;
    return nullptr;
}

// Every document form the program has, the title page no menu reaches included.
std::vector<DocumentForm*> EveryDocumentForm()
{
    std::vector<DocumentForm*> forms;
    for (const auto& form : FormRegistry::instance().forms())
        forms.push_back(form.get());
    forms.push_back(FormRegistry::instance().form("TFArkusz280astr1"));
    return forms;
}

}  // namespace

class KeyboardTest : public WorkflowTest {};

TEST_F(KeyboardTest, EscInAFieldOrAMemoLeavesEveryDocumentFormOpenWithItsTyping)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::vector<DocumentForm*> forms = EveryDocumentForm();
    ASSERT_EQ(forms.size(), 49u);
    for (DocumentForm* form : forms) {
        ASSERT_NE(form, nullptr);
        SCOPED_TRACE(form->definition().className.toStdString());
        QString typed;
        bool openAfterEsc = false;
        dialogs.answerModal([&](QDialog& dialog) {
            QLineEdit* edit = FirstTypable<QLineEdit>(dialog);
            ASSERT_NE(edit, nullptr);
            edit->setFocus();
            edit->selectAll();
            TypeText(edit, "7");
            PressEscape(dialog);
            // A memo lets Esc through to the window as a field does.
            if (QPlainTextEdit* memo = FirstTypable<QPlainTextEdit>(dialog)) {
                memo->setFocus();
                PressEscape(dialog);
            }
            openAfterEsc = dialog.isVisible();
            typed = edit->text();
            Press(dialog, "Anuluj");
        });
        EXPECT_EQ(form->ShowModal(), QDialog::Rejected);
        EXPECT_TRUE(openAfterEsc);
        EXPECT_EQ(typed, "7");
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardTest, EscClosingAnOpenGradeListThenAgainLeavesTheFormOpen)
{
    addStudent({"Adamski", "Piotr", "111"});
    const QString grade = "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX";
    DocumentForm& certificate = form("TFSwiad205kl2");
    certificate.setText(grade, "dobry");
    bool listClosed = false;
    bool formOpen = false;
    dialogs.answerModal([&](QDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>(grade);
        ASSERT_NE(combo, nullptr);
        static_cast<FormWindow&>(dialog).pages()->setCurrentIndex(1);
        combo->setFocus();
        combo->showPopup();
        QWidget* list = QApplication::activePopupWidget();
        ASSERT_NE(list, nullptr);
        TypeKey(list, Qt::Key_Escape);
        listClosed = QApplication::activePopupWidget() == nullptr;
        PressEscape(dialog);
        formOpen = dialog.isVisible();
        Press(dialog, "Anuluj");
    });
    certificate.ShowModal();
    EXPECT_TRUE(listClosed);
    EXPECT_TRUE(formOpen);
}

TEST_F(KeyboardTest, EscLeavesTheSchoolDataTemplateOpenWithItsTyping)
{
    QString typed;
    bool open = false;
    dialogs.answerModal([&](QDialog& dialog) {
        QLineEdit* first = FirstTypable<QLineEdit>(dialog);
        ASSERT_NE(first, nullptr);
        first->setFocus();
        first->selectAll();
        TypeText(first, "Szkoła");
        PressEscape(dialog);
        open = dialog.isVisible();
        typed = first->text();
        Press(dialog, "Anuluj");
    });
    window().Szablondanychszkoy1Click();
    EXPECT_TRUE(open);
    EXPECT_EQ(typed, "Szkoła");
    EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardTest, EscLeavesTheShortDialogsAsAnulujDoes)
{
    const std::vector<std::pair<const char*, std::function<void()>>> windows = {
        {"Dane ucznia", [this] { window().DodajUczniaToolButtonClick(); }},
        {"O programie", [this] { window().Oprogramie1Click(); }},
        {"Logi programu", [this] { window().Logiprogramu1Click(); }},
    };
    for (const auto& [windowCaption, open] : windows) {
        const char* caption = windowCaption;  // captured below: no structured binding
        SCOPED_TRACE(caption);
        int result = -1;
        dialogs.answerModal([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), caption);
            PressEscape(dialog);
            EXPECT_FALSE(dialog.isVisible());
            result = dialog.result();
        });
        open();
        EXPECT_EQ(result, QDialog::Rejected);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardTest, EnterOnTheFocusedButtonPressesIt)
{
    // "Zamknij" of the about box, "OK" of the log viewer, "Anuluj" of the student dialog.
    const std::vector<std::pair<QString, std::function<void()>>> cases = {
        {"ZamknijButton", [this] { window().Oprogramie1Click(); }},
        {"BitBtn1", [this] { window().Logiprogramu1Click(); }},
        {"AnulujButton", [this] { window().DodajUczniaToolButtonClick(); }},
    };
    for (const auto& [buttonName, open] : cases) {
        const QString button = buttonName;  // captured below: no structured binding
        SCOPED_TRACE(button.toStdString());
        bool closed = false;
        dialogs.answerModal([&](QDialog& dialog) {
            auto* b = dialog.findChild<QPushButton*>(button);
            ASSERT_NE(b, nullptr);
            b->setFocus();
            TypeKey(b, Qt::Key_Return);
            closed = !dialog.isVisible();
        });
        open();
        EXPECT_TRUE(closed);
    }
}

TEST_F(KeyboardTest, StudentDialogAlwaysOpensInTheSurname)
{
    // Left with "Anuluj" (so the focus was on that button), then opened again: typing
    // straight away fills the surname.
    dialogs.answerModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.focusWidget()->objectName(), "Nazwisko_DATA_EDIT");
        auto* cancel = dialog.findChild<QPushButton*>("AnulujButton");
        cancel->setFocus();
        TypeKey(cancel, Qt::Key_Return);
    });
    window().DodajUczniaToolButtonClick();
    QString focused;
    dialogs.answerModal([&](QDialog& dialog) {
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        TypeText(dialog.focusWidget(), "Nowak");
        dialog.reject();
    });
    window().DodajUczniaToolButtonClick();
    EXPECT_EQ(focused, "Nazwisko_DATA_EDIT");
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Nowak");
}

TEST_F(KeyboardTest, AltWithALetterAndF10OpenTheMenus)
{
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    const QList<QAction*> menus = window().menuBar()->actions();
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int menu;  // index in the menu bar
    };
    const Case cases[] = {
        {Qt::Key_P, Qt::AltModifier, 0}, {Qt::Key_U, Qt::AltModifier, 1},
        {Qt::Key_W, Qt::AltModifier, 2}, {Qt::Key_S, Qt::AltModifier, 3},
        {Qt::Key_O, Qt::AltModifier, 4}, {Qt::Key_F10, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(menus[c.menu]->text().toStdString());
        QTest::keyClick(&window(), Qt::Key(c.key), c.modifiers);
        QMenu* menu = menus[c.menu]->menu();
        EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
        menu->hide();
        window().menuBar()->setActiveAction(nullptr);
    }
    window().hide();
}
