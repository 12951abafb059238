// Line limits of every memo of the family (5, 6 and 8 lines): set from code, loaded from a
// stored record, pasted and typed.
#include "forms/FormWindow.h"
#include "platform/Memo.h"
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList numbered(int n)
{
    return NumberedLineList(n, "uwaga");
}

class Cert201Memos : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    FormRegistry registry;
};

}  // namespace

TEST_F(Cert201Memos, EveryMemoKeepsItsLimit)
{
    for (const Cert201Form& f : kCert201Forms) {
        DocumentForm& form = *registry.form(f.cls);
        for (const MemoLimit& m : MemosOf(f.blank)) {
            SCOPED_TRACE(std::string(f.cls) + " " + QString::fromUtf16(m.name).toStdString());
            const int i = form.find(QStringView(m.name));
            ASSERT_GE(i, 0);

            // From code: the first n lines, each a line of its own.
            form.setText(i, numbered(m.lines + 3).join("\r\n"));
            EXPECT_EQ(form.memoLines(i), numbered(m.lines));
            EXPECT_FALSE(form.memoAcceptsEnter(i));
            form.setText(i, numbered(m.lines - 1).join("\r\n"));
            EXPECT_TRUE(form.memoAcceptsEnter(i));

            // From a stored record: a line more than the limit is kept, nothing loaded is lost.
            form.FillFields({{form.key().toStdString(), QString::fromUtf16(m.name).toStdString(),
                              numbered(m.lines + 1).join("\r\n").toStdString()}});
            EXPECT_EQ(form.memoLines(i), numbered(m.lines + 1));

            // Pasted into the window: cut to the limit at once.
            form.setText(i, QString());
            auto* memo = qobject_cast<Memo*>(form.window().widget(i));
            ASSERT_NE(memo, nullptr);
            memo->setFocus();
            PasteText(memo, numbered(m.lines + 2).join("\r\n"));
            EXPECT_EQ(form.memoLines(i), numbered(m.lines));

            // Enter at the limit does nothing.
            memo->moveCursor(QTextCursor::Start);
            TypeKey(memo, Qt::Key_Return, "\r");
            EXPECT_EQ(form.memoLines(i), numbered(m.lines));
        }
        form.releaseWindow();
    }
}

// A stored line that our fonts wrap into more displayed lines keeps the user's words; a
// text typed or set from code is held to the displayed lines.
TEST_F(Cert201Memos, WrappedStoredTextKeepsItsWords)
{
    DocumentForm& form = *registry.form("TFSwiad201b");
    const int i = form.find(u"ZMIENNA_IndywidualnyProgLubTokNauki_STR3_DATA_MEMO");
    QStringList lines = numbered(5);
    lines << QString("indywidualny tok nauki ").repeated(8).trimmed();
    const QString stored = lines.join("\r\n");
    form.FillFields({{"ART-II/201/3b", "ZMIENNA_IndywidualnyProgLubTokNauki_STR3_DATA_MEMO",
                      stored.toStdString()}});
    EXPECT_EQ(form.text(i), stored);
    EXPECT_GT(form.memoLines(i).size(), 6);

    form.setText(i, stored);
    EXPECT_EQ(form.memoLines(i).size(), 6);
    EXPECT_EQ(form.memoLines(i).mid(0, 5), numbered(5));
}
