#include "TestApp.h"

#include "platform/LineBreaker.h"
#include "platform/Memo.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

QFont memoFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// The lines Qt itself lays out in a shown memo.
int displayedLineCount(const Memo& memo)
{
    int count = 0;
    for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
        count += b.layout()->lineCount();
    // The empty block after a final line break is not a line.
    const QTextBlock last = memo.document()->lastBlock();
    if (last.text().isEmpty())
        count -= 1;
    return count;
}

std::unique_ptr<Memo> certificateMemo()
{
    auto memo = std::make_unique<Memo>();
    memo->setFont(memoFont());
    memo->resize(417, 89);
    memo->setLineLimit(5);
    return memo;
}

// Shown and focused, ready for typing.
std::unique_ptr<Memo> typedCertificateMemo()
{
    auto memo = certificateMemo();
    memo->show();
    memo->setFocus();
    return memo;
}

// Lines as gtest prints them readably.
std::vector<std::string> readable(const QStringList& lines)
{
    std::vector<std::string> out;
    for (const QString& line : lines)
        out.push_back(line.toStdString());
    return out;
}

const QString kParagraph = QStringLiteral(
    "Laureat konkursu pianistycznego w Krakowie, uczestnik festiwalu muzyki kameralnej w "
    "Gdańsku, wielokrotnie wyróżniany za grę na fortepianie i skrzypcach podczas szkolnych "
    "koncertów oraz przesłuchań regionalnych organizowanych przez Centrum Edukacji "
    "Artystycznej w latach szkolnych dwa tysiące dwadzieścia cztery i dwadzieścia pięć.");

}  // namespace

TEST(LineBreaker, SplitsParagraphsAndWrapsAtWidth)
{
    TestApp();
    const QFont font = memoFont();
    const struct {
        const char* text;
        int lines;
    } noWrap[] = {{"", 0}, {"a", 1}, {"a\r\n", 1}, {"\r\n", 1}, {"a\r\n\r\nb", 3}, {"a\nb\rc", 3}};
    for (const auto& c : noWrap)
        EXPECT_EQ(BreakLines(QString::fromUtf8(c.text), font, 0).size(), c.lines) << c.text;

    const QStringList wrapped = BreakLines(kParagraph, font, 200);
    EXPECT_GT(wrapped.size(), 3);
    EXPECT_EQ(wrapped.join(QString()), kParagraph);  // nothing lost or added
    const QFontMetrics metrics(font);
    for (const QString& line : wrapped)
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), 200) << line.toStdString();

    // A word longer than the width is broken anywhere.
    const QString word(60, QLatin1Char('m'));
    EXPECT_GT(BreakLines(word, font, 100).size(), 1);
}

// The breaker lays a paragraph out a few lines at a time; the lines must be those Qt
// lays out for the whole paragraph in a shown memo, however long its words.
TEST(LineBreaker, GivesTheLinesAShownMemoDisplays)
{
    TestApp();
    const QString longWord(3000, QLatin1Char('w'));
    const QString mixed = kParagraph + QStringLiteral(" ") + QString(700, QLatin1Char('i')) +
                          QStringLiteral(" a   b ") + QString(450, QChar(0x0141)) +
                          QStringLiteral(" koniec");
    QFont italic(QStringLiteral("Times New Roman"));
    italic.setPixelSize(13);
    italic.setItalic(true);
    italic.setKerning(false);
    italic.setHintingPreference(QFont::PreferNoHinting);
    for (const QFont& font : {memoFont(), italic})
        for (const QString& text :
             {longWord, mixed, kParagraph + kParagraph + kParagraph + kParagraph,
              QString(900, QLatin1Char('f')) + QString(333, QLatin1Char('j'))}) {
            auto memo = certificateMemo();
            memo->setFont(font);
            memo->setText(text);
            memo->show();
            QCoreApplication::processEvents();
            QStringList shown;
            for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
                for (int i = 0; i < b.layout()->lineCount(); ++i) {
                    const QTextLine line = b.layout()->lineAt(i);
                    shown << b.text().mid(line.textStart(), line.textLength());
                }
            EXPECT_EQ(readable(BreakLines(text, memo->font(), memo->wrapWidth())), readable(shown))
                << text.left(40).toStdString();
        }
}

namespace {

// Lines Qt lays out for each paragraph of `text` as a whole.
QStringList laidOutWhole(const QString& text, const QFont& font, int width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QStringLiteral("\r\n"))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}

// Words of 1 to 23 letters in a fixed order; `extras` come between them now and then.
QString wordsOfManyLengths(qsizetype size, const QStringList& extras)
{
    const QString letters =
        QStringLiteral("konkursłpianistycznegowKrakowieiGdańskufestiwalmuzykifij");
    QString text;
    for (int word = 0, letter = 0; text.size() < size; ++word) {
        if (!text.isEmpty())
            text += word % 11 == 0 ? QStringLiteral("   ") : QStringLiteral(" ");
        for (int i = 0; i <= word * 5 % 23; ++i)
            text += letters.at(letter++ % letters.size());
        if (!extras.isEmpty() && word % 5 == 0)
            text += extras.at(word / 5 % extras.size());
    }
    return text;
}

}  // namespace

// Paragraphs long enough to be broken from the advances of their characters, and narrow
// lines where a window of the layout would end inside a word, give Qt's own lines.
TEST(LineBreaker, GivesQtsLinesOfLongParagraphsAndNarrowLines)
{
    TestApp();
    QFont plain(QStringLiteral("Times New Roman"));
    plain.setPixelSize(13);
    plain.setKerning(false);
    plain.setHintingPreference(QFont::PreferNoHinting);
    QFont italic = plain;
    italic.setItalic(true);
    const QStringList punctuation = {QStringLiteral(" ,oraz"), QStringLiteral("."),
                                     QStringLiteral(" ;:tak"), QStringLiteral(",")};
    const QStringList others = {QStringLiteral(",1"),       QStringLiteral("-2024"),
                                QStringLiteral(" (op. 3)"), QStringLiteral("!a"),
                                QStringLiteral(" \u00a0x"), QStringLiteral("\r\n")};
    const struct {
        const char* what;
        QString text;
        std::vector<int> widths;
    } cases[] = {
        {"long plain paragraph", wordsOfManyLengths(40000, punctuation), {405, 150}},
        {"long paragraph with other characters", wordsOfManyLengths(40000, others), {405, 150}},
        {"narrow lines", wordsOfManyLengths(1500, {}), {21, 34, 44, 45, 63}},
    };
    for (const auto& c : cases)
        for (const QFont& font : {plain, italic, memoFont()})
            for (int width : c.widths)
                EXPECT_EQ(readable(BreakLines(c.text, font, width)),
                          readable(laidOutWhole(c.text, font, width)))
                    << c.what << " at " << width << " px, italic " << font.italic() << ", kerning "
                    << font.kerning();
}

TEST(Memo, CountsDisplayedLinesWithoutHavingBeenShown)
{
    TestApp();
    auto hidden = certificateMemo();
    hidden->setText(kParagraph);
    const int before = hidden->lineCount();
    EXPECT_GT(before, 3);

    auto shown = certificateMemo();
    shown->setText(kParagraph);
    shown->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown->lineCount(), before);
    EXPECT_EQ(displayedLineCount(*shown), before);
}

TEST(Memo, HoldsItsTextWithCrLf)
{
    TestApp();
    Memo memo;
    memo.setText(QStringLiteral("a\nb\rc\r\nd"));
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(memo.document()->blockCount(), 4);
}

TEST(Memo, EnterIsRefusedAtTheLineLimitWithAnyModifier)
{
    TestApp();
    auto memo = typedCertificateMemo();
    memo->setText(QStringLiteral("1\r\n2\r\n3\r\n4"));
    memo->moveCursor(QTextCursor::End);
    TypeKey(memo.get(), Qt::Key_Return);
    EXPECT_EQ(memo->lineCount(), 4);  // the empty line after a final break does not count
    EXPECT_EQ(memo->text(), QStringLiteral("1\r\n2\r\n3\r\n4\r\n"));
    TypeText(memo.get(), QStringLiteral("5"));
    for (auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier})
        for (int key : {Qt::Key_Return, Qt::Key_Enter})
            TypeKey(memo.get(), key, QStringLiteral("\r"), modifiers);
    memo->moveCursor(QTextCursor::Start);
    TypeKey(memo.get(), Qt::Key_Return, QStringLiteral("\r"), Qt::ShiftModifier);
    EXPECT_EQ(memo->text(), QStringLiteral("1\r\n2\r\n3\r\n4\r\n5"));
}

TEST(Memo, ShiftEnterBelowTheLimitIsAPlainLineBreak)
{
    TestApp();
    auto memo = typedCertificateMemo();
    TypeText(memo.get(), QStringLiteral("a"));
    TypeKey(memo.get(), Qt::Key_Return, QStringLiteral("\r"), Qt::ShiftModifier);
    TypeText(memo.get(), QStringLiteral("b"));
    EXPECT_EQ(memo->text(), QStringLiteral("a\r\nb"));
}

TEST(Memo, PastedLineBreaksAreNormalised)
{
    TestApp();
    auto memo = typedCertificateMemo();
    QSignalSpy refusals(memo.get(), &Memo::refused);
    PasteText(memo.get(), QStringLiteral("1\r\n2\r3\n4\u20285\r\n6\r\n7\r\n8"));
    // Every kind of break became one; the lines beyond the memo's five were refused.
    EXPECT_EQ(memo->text(), QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n"));
    EXPECT_EQ(refusals.count(), 1);
}

TEST(Memo, KeepFirstLinesTurnsWrapPointsIntoLineBreaks)
{
    TestApp();
    auto memo = certificateMemo();
    memo->setText(kParagraph + kParagraph);
    const QStringList displayed = memo->lines();
    ASSERT_GT(displayed.size(), 5);
    QSignalSpy changed(memo.get(), &Memo::textChanged);
    memo->keepFirstLines(5);
    EXPECT_GE(changed.size(), 1);
    EXPECT_EQ(memo->lineCount(), 5);
    EXPECT_EQ(memo->text(),
              displayed.mid(0, 5).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    const QString cut = memo->text();
    memo->keepFirstLines(5);  // already within the limit: unchanged
    EXPECT_EQ(memo->text(), cut);
}

TEST(Memo, WithAHorizontalScrollBarALineIsALineOfText)
{
    TestApp();
    auto memo = certificateMemo();
    memo->setScrollBars(Memo::ScrollBars::Horizontal);
    memo->setText(kParagraph + QStringLiteral("\r\nkrótka"));
    EXPECT_EQ(memo->wrapWidth(), 0);
    EXPECT_EQ(memo->lineCount(), 2);
}

TEST(Memo, NeverGrowsPast2047BytesByTypingOrPasting)
{
    TestApp();
    auto memo = typedCertificateMemo();
    memo->setLineLimit(0);
    memo->setText(QString(2040, QLatin1Char('a')));
    memo->moveCursor(QTextCursor::End);
    PasteText(memo.get(), QStringLiteral("bcd\r\nefgh"));
    EXPECT_EQ(memo->text().size(), 2047);  // "bcd", CR LF, "ef"
    EXPECT_TRUE(memo->text().endsWith(QStringLiteral("bcd\r\nef")));
    TypeText(memo.get(), QStringLiteral("z"));
    EXPECT_EQ(memo->text().size(), 2047);
}

// The vertical bar shows only for lines beyond what the memo shows; the empty line after a
// final line break (a grade-sheet memo loaded line by line ends so) is none.
TEST(Memo, VerticalBarOnlyForLinesBeyondTheMemo)
{
    TestApp();
    for (const auto bars : {Memo::ScrollBars::None, Memo::ScrollBars::Horizontal}) {
        Memo memo;
        memo.setFont(memoFont());
        memo.setScrollBars(bars);
        memo.setText(QStringLiteral("1\r\n2\r\n3"));
        memo.resize(120, 20);
        memo.show();
        QCoreApplication::processEvents();
        // Just tall enough for three lines.
        while (memo.verticalScrollBar()->maximum() > 0) {
            memo.resize(memo.width(), memo.height() + 1);
            QCoreApplication::processEvents();
        }
        const struct {
            QString text, typedAtEnd;
            bool bar;
        } cases[] = {
            {QStringLiteral("1\r\n2\r\n3"), {}, false},
            {QStringLiteral("1\r\n2\r\n3\r\n"), {}, false},
            {QStringLiteral("1\r\n2\r\n3\r\n4"), {}, true},
            {QStringLiteral("1\r\n2\r\n3\r\n"), QStringLiteral("4"), true},
            {QStringLiteral("1\r\n2\r\n3\r\n4\r\n"), {}, true},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text.toStdString() + " + " + c.typedAtEnd.toStdString());
            memo.setText(c.text);
            if (!c.typedAtEnd.isEmpty()) {
                memo.moveCursor(QTextCursor::End);
                TypeText(&memo, c.typedAtEnd);
            }
            QCoreApplication::processEvents();
            EXPECT_EQ(memo.verticalScrollBar()->isVisible(), c.bar);
            if (!c.bar) {
                // Without a bar nothing scrolls, the caret on the empty last line or not.
                TypeKey(&memo, Qt::Key_End, QString(), Qt::ControlModifier);
                QCoreApplication::processEvents();
                EXPECT_EQ(memo.verticalScrollBar()->value(), 0);
            }
        }
    }
}
