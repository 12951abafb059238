#include "TestApp.h"

#include "platform/ComboBox.h"
#include "platform/Edit.h"
#include "platform/InputFilter.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

TEST(InputFilter, KeepsWhatFitsAndLeavesOutWhatCannotBeStored)
{
    const struct {
        const char* before;
        const char* after;
        int limit;
        const char* kept;  // nullptr = the change is refused
        const char* refused;
    } cases[] = {
        {"abc", "abcd", 4, "abcd", ""},
        {"abcd", "abcde", 4, nullptr, ""},      // typing at the limit
        {"ab", "abXYZ", 4, "abXY", ""},         // a paste is cut to fit
        {"ab", "aXYZb", 4, "aXYb", ""},         // inserted in the middle
        {"abcdef", "abcdf", 4, "abcdf", ""},    // beyond the limit (set from code): may shrink
        {"abcdef", "abcdeXf", 4, nullptr, ""},  // ... but not grow
        {"abcdef", "abXdef", 4, "abXdef", ""},  // replacing a selection keeps the length
        {"zażółć", "zażółć gęślą", 0, "zażółć gęślą", ""},
        {"a", "a\u20ac", 0, "a\u20ac", ""},              // the euro sign is in Windows-1250
        {"a", "a\u4e2d", 0, nullptr, "\u4e2d"},          // a Chinese character is not
        {"a", "a\U0001F600", 0, nullptr, "\U0001F600"},  // nor an emoji
        {"", "\u65e5\u672c zestaw", 0, " zestaw", "\u65e5\u672c"},
        {"a", "a\u0416uk\u0416", 0, "auk", "\u0416"},  // each left-out character named once
        {"", "Jan\r\nKowalski\nx\u2029y", 0, "Jan Kowalski x y", ""},  // line breaks become blanks
        {"ab", "ab\u65e5cdef", 4, "abcd", "\u65e5"},  // the limit counts what is kept
        {"ab", "a\u65e5b", 0, nullptr, "\u65e5"},     // a selection is not replaced by nothing
    };
    for (const auto& c : cases) {
        const FilteredEdit kept =
            FilterUserEdit(QString::fromUtf8(c.before), QString::fromUtf8(c.after), c.limit);
        if (!c.kept)
            EXPECT_FALSE(kept.text.has_value()) << c.after;
        else {
            ASSERT_TRUE(kept.text.has_value()) << c.after;
            EXPECT_EQ(*kept.text, QString::fromUtf8(c.kept)) << c.after;
        }
        EXPECT_EQ(kept.refused, QString::fromUtf8(c.refused)) << c.after;
    }
}

TEST(InputFilter, NoValueGrowsPast2047Bytes)
{
    const QString full(kMaxValueBytes - 1, QLatin1Char('x'));
    const FilteredEdit kept = FilterUserEdit(full, full + QStringLiteral("abc"), 0);
    ASSERT_TRUE(kept.text);
    EXPECT_EQ(kept.text->size(), kMaxValueBytes);
    EXPECT_FALSE(FilterUserEdit(*kept.text, *kept.text + QStringLiteral("z"), 0).text);
}

TEST(Edit, TypingLimitBindsTheUserNotTheCode)
{
    TestApp();
    Edit edit;
    edit.setTypingLimit(4);
    edit.show();
    edit.setFocus();

    TypeText(&edit, QStringLiteral("abcdef"));
    EXPECT_EQ(edit.text(), QStringLiteral("abcd"));

    const QString longName = QStringLiteral("Aleksandra Konstancja Wierzbicka-Żółtowska");
    edit.setText(longName);  // a stored value or student data: kept whole
    EXPECT_EQ(edit.text(), longName);
    EXPECT_EQ(edit.cursorPosition(), 0);  // shown from its beginning
    TypeText(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), longName);
    TypeKey(&edit, Qt::Key_End);
    TypeKey(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), longName.chopped(1));  // deleting still works

    edit.clear();
    PasteText(&edit, QStringLiteral("123456"));
    EXPECT_EQ(edit.text(), QStringLiteral("1234"));
}

TEST(ComboBox, ChangeHandlerRunsForTheUsersChoiceOnly)
{
    TestApp();
    for (auto style : {ComboBox::Style::Editable, ComboBox::Style::ListOnly}) {
        ComboBox combo(style);
        combo.addItems(
            {QStringLiteral("celujący"), QStringLiteral("uczestniczył "), QStringLiteral("dobry")});
        combo.show();
        combo.setFocus();
        QSignalSpy handler(&combo, &ComboBox::userChanged);

        combo.setText(QStringLiteral("dobry"));
        combo.setCurrentIndex(0);
        EXPECT_EQ(handler.size(), 0);

        TypeKey(&combo, Qt::Key_Down);  // a person picks the next item
        EXPECT_EQ(handler.size(), 1);
        EXPECT_EQ(combo.text(), QStringLiteral("uczestniczył "));  // trailing blank kept

        if (style == ComboBox::Style::Editable) {
            combo.setTypingLimit(5);
            combo.setText(QStringLiteral("bardzo dobry"));
            EXPECT_EQ(combo.text(), QStringLiteral("bardzo dobry"));
            EXPECT_EQ(combo.currentIndex(), -1);  // no item is chosen for a free text
            EXPECT_EQ(handler.size(), 1);
            combo.lineEdit()->clear();
            TypeText(combo.lineEdit(), QStringLiteral("dostateczny"));
            EXPECT_EQ(combo.text(), QStringLiteral("dosta"));
            EXPECT_EQ(handler.size(), 1 + 5);
            EXPECT_EQ(combo.count(), 3);  // Enter does not add the typed text as an item
            TypeKey(combo.lineEdit(), Qt::Key_Return);
            EXPECT_EQ(combo.count(), 3);
        } else {
            combo.setText(QStringLiteral("nie ma"));
            EXPECT_EQ(combo.currentIndex(), -1);
            EXPECT_TRUE(combo.text().isEmpty());
        }
    }
}

TEST(ComboBox, WheelChangesNothingWithoutFocus)
{
    TestApp();
    ComboBox combo(ComboBox::Style::ListOnly);
    combo.addItems({QStringLiteral("a"), QStringLiteral("b")});
    combo.setCurrentIndex(0);
    combo.show();
    combo.clearFocus();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&combo, &wheel);
    EXPECT_EQ(combo.currentIndex(), 0);
}
