// Load, save and load again through a real working copy gives every memo of every form
// the same text: no stored line is ever dropped, whatever our fonts make of it.
#include "forms/FormRegistry.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct MemoCase {
    const char* name;
    std::function<QString(const LayoutComponent&)> text;  // CR LF between lines
};

const QString kLongLine =
    QStringLiteral("bardzo dobre zachowanie, wzorowa frekwencja i pilność ").repeated(6).trimmed();

const MemoCase kCases[] = {
    {"a line that wraps", [](const LayoutComponent&) { return kLongLine + "\r\nkrótka"; }},
    {"hard line breaks",
     [](const LayoutComponent& c) { return NumberedLines(c.lineLimit, "wiersz ż"); }},
    {"trailing empty lines",
     [](const LayoutComponent&) { return QStringLiteral("a\r\n\r\n\r\n"); }},
    {"at the limit, its last line wrapping",
     [](const LayoutComponent& c) { return NumberedLines(c.lineLimit - 1) + "\r\n" + kLongLine; }},
    {"beyond the limit", [](const LayoutComponent& c) { return NumberedLines(c.lineLimit + 2); }},
};

QStringList hardLines(const QString& text)
{
    QStringList lines = text.split("\r\n");
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString withoutBreaks(QString text)
{
    return text.remove('\r').remove('\n');
}

struct MemoRef {
    DocumentForm* form;
    int index;
};

}  // namespace

TEST(MemoRoundTrip, EveryMemoOfEveryFormKeepsItsTextOverThreeRounds)
{
    EnsureApplication();
    TempFolders folders;
    TestStudent student;
    FormRegistry registry;
    std::vector<MemoRef> memos;
    for (const auto& form : registry.forms())
        for (int i = 0; i < form->componentCount(); ++i)
            if (form->component(i).kind == ComponentKind::Memo && form->component(i).isStored())
                memos.push_back({form.get(), i});
    ASSERT_GT(memos.size(), 60u);

    for (const MemoCase& memoCase : kCases) {
        SCOPED_TRACE(memoCase.name);
        // The records as a file holds them: a certificate's whole text, a sheet's lines.
        std::vector<FieldRecord> stored;
        for (const MemoRef& m : memos) {
            const LayoutComponent& c = m.form->component(m.index);
            const QString text = memoCase.text(c);
            const std::string key = m.form->key().toStdString();
            if (m.form->isCertificate()) {
                stored.push_back({key, c.name.toStdString(), text.toStdString()});
                continue;
            }
            const QStringList lines = hardLines(text);
            for (int line = 0; line < lines.size(); ++line)
                stored.push_back(
                    {key,
                     QString("%1%2").arg(c.name).arg(line + 1, 2, 10, QChar('0')).toStdString(),
                     lines[line].toStdString()});
        }

        std::vector<QStringList> texts(memos.size()), shown(memos.size());
        std::vector<FieldRecord> records = stored;
        std::vector<FieldRecord> previous;
        for (int round = 1; round <= 3; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, records));
            for (std::size_t k = 0; k < memos.size(); ++k) {
                const MemoRef& m = memos[k];
                const LayoutComponent& c = m.form->component(m.index);
                SCOPED_TRACE(m.form->className().toStdString() + " " + c.name.toStdString());
                const QString text = m.form->text(m.index);
                if (round == 1) {
                    EXPECT_EQ(hardLines(text), hardLines(memoCase.text(c)));  // every stored line
                } else {
                    EXPECT_EQ(m.form->memoLines(m.index), shown[k]);
                    EXPECT_EQ(withoutBreaks(text), withoutBreaks(texts[k].constFirst()));
                    if (round == 3) {
                        EXPECT_EQ(text, texts[k].constLast());
                    }
                }
                texts[k] << text;
                shown[k] = m.form->memoLines(m.index);
            }
            previous = records;
            records = CollectAll(registry);
            if (round == 3) {
                EXPECT_EQ(records, previous);
            }
        }
    }
}
