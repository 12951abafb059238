// Memo line limits: typed, pasted, set from code and loaded from stored records.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/Edit.h"
#include "platform/Memo.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QCoreApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

const char16_t* kSpecial = u"ZMIENNA_Szczegolne_STR2_DATA_MEMO";

class MemoLimits : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        form.ClearFields();
    }
    Memo& memoWidget() { return *qobject_cast<Memo*>(form.window().widget(QStringView(kSpecial))); }
    int index() const { return form.find(QStringView(kSpecial)); }

    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205kl2");
};

}  // namespace

TEST_F(MemoLimits, PastedEightLinesKeepFive) {
    Memo& memo = memoWidget();
    memo.setFocus();
    PasteText(&memo, NumberedLines(8));
    EXPECT_EQ(form.memoLines(index()), NumberedLines(5).split("\r\n"));
    EXPECT_EQ(memo.text(), form.text(index()));
}

TEST_F(MemoLimits, EnterAcceptedAtFourRefusedAtFive) {
    Memo& memo = memoWidget();
    form.setText(index(), NumberedLines(4));
    EXPECT_TRUE(form.memoAcceptsEnter(index()));
    memo.moveCursor(QTextCursor::Start);
    TypeKey(&memo, Qt::Key_Return, "\r");
    EXPECT_EQ(form.memoLines(index()), ("\r\n" + NumberedLines(4)).split("\r\n"));

    form.setText(index(), NumberedLines(5));
    EXPECT_FALSE(form.memoAcceptsEnter(index()));
    memo.moveCursor(QTextCursor::Start);
    TypeKey(&memo, Qt::Key_Return, "\r");
    EXPECT_EQ(form.text(index()), NumberedLines(5));
}

TEST_F(MemoLimits, CodeCutsByDisplayedLinesStoredTextStaysWhole) {
    // One paragraph that wraps to many displayed lines.
    const QString paragraph = QString("słowo ").repeated(80).trimmed();
    form.setText(index(), paragraph);
    const QStringList cut = form.memoLines(index());
    EXPECT_EQ(cut.size(), 5);
    EXPECT_EQ(form.text(index()), cut.join("\r\n") + "\r\n");

    // The same words from a stored record: every hard line kept, nothing lost.
    const QString stored = "a\r\nb\r\nc\r\nkrótka\r\n" + QString("długie słowo ").repeated(12).trimmed();
    form.FillFields({{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO", stored.toStdString()}});
    EXPECT_EQ(form.text(index()), stored);
    EXPECT_GT(form.memoLines(index()).size(), 5);

    // Typing into such a text keeps it whole; a line break beyond its lines is refused.
    Memo& memo = memoWidget();
    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    TypeText(&memo, "!");
    EXPECT_EQ(form.text(index()), stored + "!");
    TypeKey(&memo, Qt::Key_Return, "\r");
    EXPECT_EQ(form.text(index()), stored + "!");

    // A stored text of six hard lines keeps six, and the memo scrolls to show them.
    form.FillFields({{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO", NumberedLines(6).toStdString()}});
    EXPECT_EQ(form.memoLines(index()), NumberedLines(6).split("\r\n"));
    form.window().show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(memo.verticalScrollBar()->isVisibleTo(&memo));
    EXPECT_GT(memo.verticalScrollBar()->maximum(), 0);
}

TEST_F(MemoLimits, LimitMemoLinesMakesEachKeptLineItsOwn) {
    form.setText(index(), NumberedLines(3));
    form.LimitMemoLines(index(), 2);
    EXPECT_EQ(form.text(index()), "linia 1\r\nlinia 2\r\n");
    form.LimitMemoLines(index(), 5);
    EXPECT_EQ(form.text(index()), "linia 1\r\nlinia 2\r\n");
}

TEST(TypingLimits, LongTextFromCodeStaysWholeWhileTypingIsRefused) {
    EnsureApplication();
    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205kl2");
    const int i = form.find(u"ZMIENNA_KierunekWydzial_STR1_DATA_EDIT");  // typing limit 40
    const QString fifty(50, QChar('k'));
    form.setText(i, fifty);
    auto* edit = qobject_cast<Edit*>(form.window().widget(i));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), fifty);
    edit->setFocus();
    edit->end(false);
    TypeText(edit, "ab");
    EXPECT_EQ(form.text(i), fifty);
    edit->backspace();
    EXPECT_EQ(edit->text(), QString(49, QChar('k')));
    TypeText(edit, "x");
    EXPECT_EQ(form.text(i), QString(49, QChar('k')));

    // A name of 50 characters set into the 43-character name edit stays whole.
    const int name = form.find(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT");
    form.setText(name, fifty);
    EXPECT_EQ(qobject_cast<Edit*>(form.window().widget(name))->text(), fifty);

    // Typing within the limit reaches the form's value.
    const int klasa = form.find(u"ZMIENNA_Klasa_STR1_DATA_EDIT");
    form.setText(klasa, "");
    auto* klasaEdit = qobject_cast<Edit*>(form.window().widget(klasa));
    klasaEdit->setFocus();
    TypeText(klasaEdit, "druga");
    EXPECT_EQ(form.text(klasa), "druga");
}
