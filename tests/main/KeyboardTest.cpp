// The keyboard on the real windows: Esc leaves every form and dialog as its "Anuluj"
// does, Enter presses the focused button, the student dialog always starts in its first
// field, and the menus open with Alt and their letter or with F10.
#include "tests/main/WorkflowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
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
#include "tests/support/Typing.h"

namespace {

// Esc where a person would press it: in the widget that has the focus.
void PressEscape(QDialog& dialog)
{
    QWidget* focus = dialog.focusWidget();
    TypeKey(focus ? focus : &dialog, Qt::Key_Escape);
}

}  // namespace

class KeyboardTest : public WorkflowTest {};

TEST_F(KeyboardTest, EscLeavesEveryDocumentFormWithoutSavingAsAnulujDoes)
{
    addStudent({"Adamski", "Piotr", "111"});
    for (const auto& form : FormRegistry::instance().forms()) {
        SCOPED_TRACE(form->definition().className.toStdString());
        bool closed = false;
        dialogs.answerModal([&](QDialog& dialog) {
            // Pressed in a field, as a person leaves a form while typing.
            if (auto* edit = dialog.findChild<QLineEdit*>(); edit && edit->isEnabled())
                edit->setFocus();
            PressEscape(dialog);
            closed = !dialog.isVisible();
        });
        EXPECT_EQ(form->ShowModal(), QDialog::Rejected);
        EXPECT_TRUE(closed);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardTest, EscLeavesTheSmallWindowsAndDialogs)
{
    const std::vector<std::pair<const char*, std::function<void()>>> windows = {
        {"Dane ucznia", [this] { window().DodajUczniaToolButtonClick(); }},
        {"Szablon danych", [this] { window().Szablondanychszkoy1Click(); }},
        {"O programie", [this] { window().Oprogramie1Click(); }},
        {"Logi programu", [this] { window().Logiprogramu1Click(); }},
    };
    for (const auto& [caption, open] : windows) {
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
    for (const auto& [button, open] : cases) {
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
        {Qt::Key_P, Qt::AltModifier, 0},
        {Qt::Key_U, Qt::AltModifier, 1},
        {Qt::Key_W, Qt::AltModifier, 2},
        {Qt::Key_S, Qt::AltModifier, 3},
        {Qt::Key_O, Qt::AltModifier, 4},
        {Qt::Key_F10, Qt::NoModifier, 0},
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
