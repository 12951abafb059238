// Memo line limits: typed, pasted, set from code and loaded from stored records.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/Edit.h"
#include "platform/Memo.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const char16_t* kSpecial = u"ZMIENNA_Szczegolne_STR2_DATA_MEMO";

class MemoLimits : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        form.ClearFields();
    }
    Memo& memoWidget() { return *qobject_cast<Memo*>(form.window().widget(QStringView(kSpecial))); }
    int index() const { return form.find(QStringView(kSpecial)); }

    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205kl2");
};

}  // namespace

TEST_F(MemoLimits, PastedEightLinesKeepFiveAndTheRestIsRefused)
{
    Memo& memo = memoWidget();
    QSignalSpy refusals(&memo, &Memo::refused);
    memo.setFocus();
    PasteText(&memo, NumberedLines(8));
    EXPECT_EQ(form.memoLines(index()), NumberedLines(5).split("\r\n"));
    EXPECT_EQ(memo.text(), form.text(index()));
    EXPECT_EQ(refusals.count(), 1);
}

// Input that would leave more lines than the memo may print is refused at the keystroke
// (beep and refused()); what is not refused is kept, also in a text beyond the limit.
TEST_F(MemoLimits, InputGrowingPastTheLimitIsRefusedWhenTyped)
{
    struct Case {
        const char* what;
        QString text;  // the memo's text before; the caret at its end
        int key;
        QString typed;
        bool refused;
    };
    const Case cases[] = {
        {"a letter on the empty line after five", NumberedLines(5) + "\r\n", Qt::Key_X, "x", true},
        {"a letter on the empty line after six stored", NumberedLines(6) + "\r\n", Qt::Key_X, "x",
         true},
        {"a letter ending the sixth stored line", NumberedLines(6), Qt::Key_X, "x", false},
        {"a letter on the fifth line", NumberedLines(4) + "\r\n", Qt::Key_X, "x", false},
        {"Enter after five lines", NumberedLines(5), Qt::Key_Return, "\r", true},
        {"Enter after four lines", NumberedLines(4), Qt::Key_Return, "\r", false},
    };
    Memo& memo = memoWidget();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.FillFields(
            {{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO", c.text.toStdString()}});
        QSignalSpy refusals(&memo, &Memo::refused);
        memo.setFocus();
        memo.moveCursor(QTextCursor::End);
        TypeKey(&memo, c.key, c.typed);
        EXPECT_EQ(refusals.count(), c.refused ? 1 : 0);
        const QString added = c.key == Qt::Key_Return ? QString("\r\n") : c.typed;
        EXPECT_EQ(form.text(index()), c.refused ? c.text : c.text + added);
        EXPECT_EQ(memo.text(), form.text(index()));
    }
}

// Words typed on the last line until it wraps: every keystroke is kept or refused, none
// disappears afterwards.
TEST_F(MemoLimits, TypingOnTheLastLineLosesNothingUnnoticed)
{
    const QString before = NumberedLines(4) + "\r\n";
    form.setText(index(), before);
    Memo& memo = memoWidget();
    QSignalSpy refusals(&memo, &Memo::refused);
    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    const QString typed = QString("słowo ").repeated(20);
    TypeText(&memo, typed);
    EXPECT_GT(refusals.count(), 0);
    EXPECT_EQ(form.text(index()).size() - before.size() + refusals.count(), typed.size());
    EXPECT_EQ(form.memoLines(index()).size(), 5);
    EXPECT_TRUE(form.text(index()).startsWith(before + "słowo słowo"));
}

// A text with more lines than the blank holds shows a tinted frame and says how many lines
// the page prints; back within the limit the mark goes.
TEST_F(MemoLimits, MemoOverItsLimitIsMarked)
{
    const QColor tint(0xE0, 0x70, 0x00);
    Memo& memo = memoWidget();
    form.window().show();
    const auto edgeColour = [&] { return memo.grab().toImage().pixelColor(0, memo.height() / 2); };

    form.FillFields({{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO",
                      NumberedLines(6).toStdString()}});
    EXPECT_TRUE(memo.overLimit());
    EXPECT_EQ(memo.toolTip(), "Na druku zmieści się 5 wierszy");
    EXPECT_EQ(edgeColour(), tint);

    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    memo.moveCursor(QTextCursor::StartOfLine, QTextCursor::KeepAnchor);
    TypeKey(&memo, Qt::Key_Backspace);
    TypeKey(&memo, Qt::Key_Backspace);
    EXPECT_EQ(form.text(index()), NumberedLines(5));
    EXPECT_FALSE(memo.overLimit());
    EXPECT_EQ(memo.toolTip(), "");
    EXPECT_NE(edgeColour(), tint);
}

TEST(MemoHints, TheTooltipCountsLinesInPolish)
{
    const std::pair<int, const char*> cases[] = {
        {1, "Na druku zmieści się 1 wiersz"},    {3, "Na druku zmieszczą się 3 wiersze"},
        {4, "Na druku zmieszczą się 4 wiersze"}, {5, "Na druku zmieści się 5 wierszy"},
        {12, "Na druku zmieści się 12 wierszy"}, {22, "Na druku zmieszczą się 22 wiersze"},
    };
    for (const auto& [lines, hint] : cases)
        EXPECT_EQ(Memo::overLimitHint(lines), hint) << lines;
}

TEST_F(MemoLimits, EnterAcceptedAtFourRefusedAtFive)
{
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

TEST_F(MemoLimits, CodeCutsByDisplayedLinesStoredTextStaysWhole)
{
    // One paragraph that wraps to many displayed lines.
    const QString paragraph = QString("słowo ").repeated(80).trimmed();
    form.setText(index(), paragraph);
    const QStringList cut = form.memoLines(index());
    EXPECT_EQ(cut.size(), 5);
    EXPECT_EQ(form.text(index()), cut.join("\r\n") + "\r\n");

    // The same words from a stored record: every hard line kept, nothing lost.
    const QString stored =
        "a\r\nb\r\nc\r\nkrótka\r\n" + QString("długie słowo ").repeated(12).trimmed();
    form.FillFields(
        {{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO", stored.toStdString()}});
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
    form.FillFields({{"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO",
                      NumberedLines(6).toStdString()}});
    EXPECT_EQ(form.memoLines(index()), NumberedLines(6).split("\r\n"));
    form.window().show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(memo.verticalScrollBar()->isVisibleTo(&memo));
    EXPECT_GT(memo.verticalScrollBar()->maximum(), 0);
}

TEST_F(MemoLimits, LimitMemoLinesMakesEachKeptLineItsOwn)
{
    form.setText(index(), NumberedLines(3));
    form.LimitMemoLines(index(), 2);
    EXPECT_EQ(form.text(index()), "linia 1\r\nlinia 2\r\n");
    form.LimitMemoLines(index(), 5);
    EXPECT_EQ(form.text(index()), "linia 1\r\nlinia 2\r\n");
}

TEST(TypingLimits, LongTextFromCodeStaysWholeWhileTypingIsRefused)
{
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
