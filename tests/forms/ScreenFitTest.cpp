// Every widget of every form shows its whole content: the text of edits and combo boxes
// with its descenders, a memo's line limit of lines without scrolling, a label's whole
// caption; and a memo shows only lines that fit its printed box. A field too narrow for
// its typing limit (a combo box: its longest item) has no free room left on its right.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/Edit.h"
#include "platform/Memo.h"
#include "render/Fonts.h"
#include "tests/forms/FormsTestSupport.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

// The pages of a form's window, each shown in turn.
void forEachShownPage(FormWindow& window, const std::function<void()>& check)
{
    window.show();
    const int pages = window.pages() ? window.pages()->count() : 1;
    for (int p = 0; p < pages; ++p) {
        if (window.pages())
            window.pages()->setCurrentIndex(p);
        QCoreApplication::processEvents();
        check();
    }
    window.hide();
}

// Pixels free on the right of `w` on its page: up to the nearest other component beside it
// (sharing some of its rows) or up to the page's right edge: the layout's page width, which
// ends a few pixels short of the blank's.
int freeRoomOnRight(const QWidget* w, const QList<QWidget*>& components)
{
    const int pageRight = int(kPageWidth * double(w->parentWidget()->height()) / kPageHeight);
    int room = pageRight - (w->x() + w->width());
    for (const QWidget* other : components) {
        if (other == w || other->parentWidget() != w->parentWidget() || !other->isVisible())
            continue;
        const QRect r = other->geometry();
        if (r.bottom() < w->y() || r.top() > w->geometry().bottom() || r.left() <= w->x())
            continue;
        room = std::min(room, r.left() - (w->x() + w->width()));
    }
    return room;
}

// Pixels the field's text area lacks to show its typing limit of average characters (a
// combo box: its longest item); 0 or less when it shows them.
int lackingWidth(QWidget* w, const LayoutComponent& c)
{
    const QFontMetrics metrics(w->font());
    if (auto* combo = qobject_cast<ComboBox*>(w)) {
        int longest = 0;
        for (const QString& item : c.items)
            longest = std::max(longest, metrics.horizontalAdvance(item));
        return longest - combo->textAreaWidth();
    }
    return c.maxLength * metrics.averageCharWidth() - qobject_cast<Edit*>(w)->textAreaWidth();
}

}  // namespace

TEST(ScreenFit, EveryWidgetOfEveryFormShowsItsWholeContent)
{
    EnsureApplication();
    FormRegistry registry;
    int edits = 0, combos = 0, memos = 0, labels = 0;
    for (const auto& form : registry.forms()) {
        if (form->definition().pages.isEmpty())
            continue;
        SCOPED_TRACE(form->className().toStdString());
        for (int i = 0; i < form->componentCount(); ++i) {
            const LayoutComponent& c = form->component(i);
            if (c.kind == ComponentKind::Memo)
                form->setText(i, NumberedLines(c.lineLimit, QStringLiteral("Ągję")));
            if (c.kind == ComponentKind::Combo && !c.items.isEmpty())
                form->setText(i, c.items.last());
            if (c.kind == ComponentKind::Edit && c.maxLength > 0)
                form->setText(i, QStringLiteral("Ągję ").repeated(c.maxLength).left(c.maxLength));
        }
        // Shown as a save and a load leave them (a grade-sheet memo comes back line by line).
        std::vector<FieldRecord> records;
        ASSERT_TRUE(form->CollectFields(records));
        form->FillFields(records);
        FormWindow& window = form->window();
        QList<QWidget*> widgets;
        for (int i = 0; i < form->componentCount(); ++i)
            widgets << window.widget(i);
        forEachShownPage(window, [&] {
            for (int i = 0; i < form->componentCount(); ++i) {
                QWidget* w = window.widget(i);
                if (!w->isVisible())
                    continue;
                const LayoutComponent& c = form->component(i);
                SCOPED_TRACE(c.name.toStdString());
                const int fontHeight = QFontMetrics(w->font()).height();
                if (qobject_cast<Edit*>(w) || qobject_cast<ComboBox*>(w)) {
                    // Missing a character or more, it has no room for one more on its right.
                    const int charWidth = QFontMetrics(w->font()).averageCharWidth();
                    const int lacking = lackingWidth(w, c);
                    const int room = freeRoomOnRight(w, widgets);
                    if (lacking >= charWidth) {
                        EXPECT_LT(room, charWidth)
                            << w->width() << " px wide, lacks " << lacking << " px";
                    }
                    // Widened, it stays on its page and off its neighbours.
                    if (w->width() > toPicture(c.rect).toRect().width()) {
                        EXPECT_GE(room, 0) << w->width() << " px wide";
                    }
                }
                if (auto* edit = qobject_cast<Edit*>(w)) {
                    EXPECT_LE(fontHeight, edit->textAreaHeight());
                    EXPECT_EQ(edit->cursorPosition(), 0);  // a loaded text shows from its beginning
                    ++edits;
                } else if (auto* combo = qobject_cast<ComboBox*>(w)) {
                    // The edit the text stands in, where the box holds one.
                    const auto* comboEdit = qobject_cast<Edit*>(combo->lineEdit());
                    EXPECT_LE(fontHeight,
                              comboEdit ? comboEdit->textAreaHeight() : combo->textAreaHeight());
                    if (comboEdit) {
                        EXPECT_EQ(comboEdit->cursorPosition(), 0);
                    }
                    ++combos;
                } else if (auto* memo = qobject_cast<Memo*>(w)) {
                    EXPECT_EQ(memo->lineCount(), c.lineLimit);
                    // No scrolling: the end of its last line (an empty line after a final
                    // line break is none) in view with the first line still at the top, and
                    // no vertical bar.
                    QTextBlock last = memo->document()->lastBlock();
                    if (last.length() <= 1 && last.previous().isValid())
                        last = last.previous();
                    QTextCursor end(last);
                    end.movePosition(QTextCursor::EndOfBlock);
                    memo->setTextCursor(end);
                    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
                    EXPECT_LE(memo->cursorRect().bottom(), memo->viewport()->height());
                    EXPECT_FALSE(memo->verticalScrollBar()->isVisible())
                        << memo->height() << " viewport " << memo->viewport()->height() << " bar "
                        << memo->horizontalScrollBar()->height() << " frame " << memo->frameWidth()
                        << " font " << memo->font().pixelSize();
                    ++memos;
                } else if (auto* label = qobject_cast<QLabel*>(w)) {
                    for (const QString& line : label->text().split('\n'))
                        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(line),
                                  label->width())
                            << line.toStdString();
                    ++labels;
                }
            }
        });
        form->releaseWindow();
    }
    EXPECT_GT(edits, 1000);
    EXPECT_GT(combos, 1000);
    EXPECT_GT(memos, 60);
    EXPECT_GT(labels, 1000);
}

// A memo wraps its lines where they end in print: every displayed line of a wrapping
// memo, measured in the printed font in page units, fits the memo's printed width.
TEST(ScreenFit, EveryLineAWrappingMemoShowsFitsItsPrintedBox)
{
    EnsureApplication();
    FormRegistry registry;
    const QString capitals =
        QStringLiteral("ŚWIADECTWO WYRÓŻNIENIE MAŁGORZATA WĘGIERSKA ").repeated(30);
    const QString mixed =
        QStringLiteral("Laureatka I miejsca w Ogólnopolskim Konkursie Wiolonczelowym ")
            .repeated(30);
    int memos = 0;
    for (const auto& form : registry.forms()) {
        for (int i = 0; i < form->componentCount(); ++i) {
            const LayoutComponent& c = form->component(i);
            if (c.kind != ComponentKind::Memo || !c.wrap)
                continue;
            SCOPED_TRACE(form->className().toStdString() + " " + c.name.toStdString());
            const QFont printed = MakePageFont(c.font.name, c.font.size,
                                               {.bold = c.font.bold, .italic = c.font.italic});
            for (const QString& text : {capitals, mixed}) {
                form->setText(i, text);
                const QStringList lines = form->memoLines(i);
                ASSERT_EQ(lines.size(), c.lineLimit);
                for (const QString& line : lines) {
                    QString ink = line;
                    while (ink.endsWith(' '))
                        ink.chop(1);
                    EXPECT_LE(TextWidth(printed, ink), c.rect.width()) << line.toStdString();
                }
                // Nearly full lines: the memo does not waste its printed width either.
                EXPECT_GE(TextWidth(printed, lines.first()), c.rect.width() * 3 / 4)
                    << lines.first().toStdString();
            }
            ++memos;
        }
    }
    EXPECT_GT(memos, 20);
}
