#include "TestApp.h"

#include "platform/ComboBox.h"
#include "platform/Edit.h"
#include "platform/Memo.h"
#include "platform/ScriptedDialogs.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

enum class Field { Edit, ComboBox, Memo };

const char* fieldName(Field field)
{
    switch (field) {
    case Field::Edit:
        return "Edit";
    case Field::ComboBox:
        return "ComboBox";
    case Field::Memo:
        return "Memo";
    }
    return "";
}

// The field's text after a person pastes `text` (Ctrl+V) or, with `typed`, types it key by key.
QString enterInto(Field field, int typingLimit, const QString& text, bool typed)
{
    std::unique_ptr<QWidget> widget;
    std::function<QString()> value;
    switch (field) {
    case Field::Edit: {
        auto* edit = new Edit;
        edit->setTypingLimit(typingLimit);
        value = [edit] { return edit->text(); };
        widget.reset(edit);
        break;
    }
    case Field::ComboBox: {
        auto* combo = new ComboBox(ComboBox::Style::Editable);
        combo->setTypingLimit(typingLimit);
        value = [combo] { return combo->text(); };
        widget.reset(combo);
        break;
    }
    case Field::Memo: {
        auto* memo = new Memo;
        value = [memo] { return memo->text(); };
        widget.reset(memo);
        break;
    }
    }
    widget->show();
    widget->setFocus();
    if (typed)
        TypeText(widget.get(), text);
    else
        PasteText(widget.get(), text);
    return value();
}

}  // namespace

TEST(RefusedCharacters, EveryFieldKeepsWhatWindows1250HoldsAndSaysWhatItLeftOut)
{
    TestApp();
    const struct {
        Field field;
        int typingLimit;
        bool typed;
        const char* entered;
        const char* kept;
        const char* leftOut;  // "" = no message
    } cases[] = {
        {Field::Edit, 0, false, "日本", "", "日本"},
        {Field::Edit, 0, false, "日本 zestaw", " zestaw", "日本"},
        {Field::Edit, 0, false, "Zażółć gęślą jaźń", "Zażółć gęślą jaźń", ""},
        {Field::Edit, 0, false, "Jan\r\nKowalski\nSP 2", "Jan Kowalski SP 2", ""},
        {Field::Edit, 6, false, "日本 zestaw", " zesta", "日本"},
        {Field::Edit, 0, true, "aЖb", "ab", "Ж"},
        {Field::ComboBox, 0, false, "日本 zestaw", " zestaw", "日本"},
        {Field::ComboBox, 0, false, "celujący\n(6)", "celujący (6)", ""},
        {Field::ComboBox, 5, false, "😀dobry plus", "dobry", "😀"},
        {Field::ComboBox, 0, true, "ż日", "ż", "日"},
        {Field::Memo, 0, false, "日本", "", "日本"},
        {Field::Memo, 0, false, "日本 zestaw\r\nŁódź", " zestaw\r\nŁódź", "日本"},
        {Field::Memo, 0, false, "Zażółć gęślą jaźń", "Zażółć gęślą jaźń", ""},
        {Field::Memo, 0, true, "aЖb", "ab", "Ж"},
    };
    for (const auto& c : cases) {
        const QString leftOut = QString::fromUtf8(c.leftOut);
        SCOPED_TRACE(std::string(fieldName(c.field)) + (c.typed ? " typed " : " pasted ") +
                     c.entered);
        ScriptedDialogs dialogs;
        if (!leftOut.isEmpty())
            dialogs.answerMessage(Answer::Ok);
        EXPECT_EQ(enterInto(c.field, c.typingLimit, QString::fromUtf8(c.entered), c.typed),
                  QString::fromUtf8(c.kept));
        const std::vector<DialogRequest> messages = dialogs.requestsOf(DialogKind::Message);
        if (leftOut.isEmpty()) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  QStringLiteral("Pominięto znaki, których nie można zapisać: ") + leftOut);
        EXPECT_EQ(messages[0].caption, QStringLiteral("Pominięte znaki"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    }
}

TEST(RefusedCharacters, InputQueryAnswerHoldsWhatWindows1250HoldsOnOneLine)
{
    TestApp();
    const struct {
        const char* answer;
        const char* kept;
        const char* leftOut;
    } cases[] = {
        {"日本 zestaw", " zestaw", "日本"},
        {"日本", "", "日本"},
        {"Zażółć gęślą jaźń", "Zażółć gęślą jaźń", ""},
        {"A4\r\npionowo", "A4 pionowo", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const QString leftOut = QString::fromUtf8(c.leftOut);
        ScriptedDialogs dialogs;
        dialogs.answerInput(QString::fromUtf8(c.answer));
        if (!leftOut.isEmpty())
            dialogs.answerMessage(Answer::Ok);
        EXPECT_EQ(DialogService::instance().inputQuery(QStringLiteral("Nazwa"),
                                                       QStringLiteral("Podaj:"), QString()),
                  QString::fromUtf8(c.kept));
        const std::vector<DialogRequest> messages = dialogs.requestsOf(DialogKind::Message);
        ASSERT_EQ(messages.size(), leftOut.isEmpty() ? 0u : 1u);
        if (!leftOut.isEmpty()) {
            EXPECT_EQ(messages[0].text,
                      QStringLiteral("Pominięto znaki, których nie można zapisać: ") + leftOut);
        }
        EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    }
}

TEST(RefusedCharacters, NameQueryAsksAgainUntilANameOrACancel)
{
    TestApp();
    const QString empty = QStringLiteral("Nazwa nie może być pusta. Proszę podać nazwę.");
    {
        ScriptedDialogs dialogs;
        dialogs.answerInput(QString())
            .answerMessage(Answer::Ok)
            .answerInput(QStringLiteral("   "))
            .answerMessage(Answer::Ok)
            .answerInput(QStringLiteral("A4 szkoła"));
        EXPECT_EQ(DialogService::instance().nameQuery(QStringLiteral("Nazwa"),
                                                      QStringLiteral("Podaj:"), QString()),
                  QStringLiteral("A4 szkoła"));
        const std::vector<DialogRequest> messages = dialogs.requestsOf(DialogKind::Message);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text, empty);
        EXPECT_EQ(messages[0].caption, QStringLiteral("Nazwa"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(dialogs.requestsOf(DialogKind::InputQuery).size(), 3u);
    }
    {
        // Only characters that cannot be stored: told what was left out, then that the name is
        // empty.
        ScriptedDialogs dialogs;
        dialogs.answerInput(QStringLiteral("日本"))
            .answerMessage(Answer::Ok)
            .answerMessage(Answer::Ok)
            .answerInput(std::nullopt);
        EXPECT_EQ(DialogService::instance().nameQuery(QStringLiteral("Nazwa"),
                                                      QStringLiteral("Podaj:"), QString()),
                  std::nullopt);
        const std::vector<DialogRequest> messages = dialogs.requestsOf(DialogKind::Message);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text,
                  QStringLiteral("Pominięto znaki, których nie można zapisać: 日本"));
        EXPECT_EQ(messages[1].text, empty);
        EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    }
}
