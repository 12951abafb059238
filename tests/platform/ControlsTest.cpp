#include "TestApp.h"

#include "platform/Button.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(Form, EnterPressesTheFocusedButtonOnlyAndEscCancelsTheForm)
{
    TestApp();
    Form form;
    auto* layout = new QVBoxLayout(&form);
    auto* field = new QLineEdit;
    auto* ok = new Button(QStringLiteral("OK"));
    auto* cancel = new Button(QStringLiteral("Anuluj"));
    layout->addWidget(field);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    QStringList pressed;
    QObject::connect(ok, &QPushButton::clicked, [&] { pressed << "OK"; });
    QObject::connect(cancel, &QPushButton::clicked, [&] { pressed << "Anuluj"; });
    form.show();

    // Typed in a field, Enter presses no button: no button is the default.
    for (int key : {Qt::Key_Return, Qt::Key_Enter})
        TypeKey(field, key);
    EXPECT_TRUE(pressed.isEmpty());
    EXPECT_FALSE(ok->autoDefault());
    EXPECT_FALSE(ok->isDefault());
    // On a button that has the focus, Enter presses that button.
    TypeKey(ok, Qt::Key_Return);
    TypeKey(cancel, Qt::Key_Enter, QString(), Qt::KeypadModifier);
    EXPECT_EQ(pressed, (QStringList{"OK", "Anuluj"}));
    EXPECT_TRUE(form.isVisible());

    // Esc from anywhere in the form closes it as cancelled.
    form.setResult(QDialog::Accepted);
    TypeKey(field, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(CheckBox, HandlerRunsOnEveryChangeFromCodeTooButNotWithoutOne)
{
    TestApp();
    // The option boxes use QCheckBox::toggled as their handler.
    QCheckBox box;
    box.setChecked(true);
    QSignalSpy toggled(&box, &QCheckBox::toggled);
    box.setChecked(true);  // no change: nothing runs
    box.setChecked(false);
    box.click();
    ASSERT_EQ(toggled.size(), 2);
    EXPECT_FALSE(toggled[0][0].toBool());
    EXPECT_TRUE(toggled[1][0].toBool());
}

TEST(PageControl, HiddenPagesAreNeverCurrent)
{
    TestApp();
    PageControl tabs;
    QWidget p1, p2, p3;
    tabs.addTab(&p1, QStringLiteral("Strona 1"));
    tabs.addTab(&p2, QStringLiteral("Strona 2"));
    tabs.addTab(&p3, QStringLiteral("Strona 3"));
    tabs.setCurrentWidget(&p2);
    tabs.setPageVisible(&p2, false);
    EXPECT_FALSE(tabs.isPageVisible(&p2));
    EXPECT_NE(tabs.currentWidget(), &p2);
    tabs.setPageVisible(&p2, true);
    EXPECT_TRUE(tabs.isPageVisible(&p2));
    tabs.removeTab(tabs.indexOf(&p1));
    tabs.removeTab(tabs.indexOf(&p2));
    tabs.removeTab(tabs.indexOf(&p3));
}

TEST(ProgressBar, StepsAndStartsAgainPastTheMaximum)
{
    TestApp();
    ProgressBar bar;
    bar.setRange(0, 3);
    bar.setStep(2);
    bar.setPosition(0);
    bar.stepIt();
    EXPECT_EQ(bar.value(), 2);
    bar.stepIt();
    EXPECT_EQ(bar.value(), 0);
}

TEST(PlacedLabel, StaysAtItsPlaceAndTakesItsTextsSizeWhenShown)
{
    TestApp();
    QWidget window;
    window.resize(400, 200);
    auto* label =
        new PlacedLabel(QStringLiteral("Obiekt na świadectwie:"), &window, QPoint(10, 48));
    window.show();
    EXPECT_EQ(label->pos(), QPoint(10, 48));
    EXPECT_EQ(label->size(), label->sizeHint());
}

TEST(WithDialogFontWhenShown, TakesTheFontAtFirstShowBeforeItsCaptionsAreSized)
{
    TestApp();
    WithDialogFontWhenShown<QWidget> window;
    window.resize(400, 200);
    auto* label = new PlacedLabel(QStringLiteral("Rozmiar czcionki:"), &window, QPoint(8, 26));
    auto* button = new QPushButton(QStringLiteral("Przywróć"), &window);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    QCoreApplication::sendPostedEvents();  // Qt polishes new windows from the event loop
    EXPECT_NE(window.font().family(), DialogFont().family()) << "the font is set only when shown";

    window.show();
    EXPECT_EQ(window.font().family(), DialogFont().family());
    EXPECT_EQ(label->font().pixelSize(), 11);
    EXPECT_EQ(label->size(), label->sizeHint()) << "the caption is sized in the window's font";
    EXPECT_EQ(button->font().pixelSize(), 11);
    EXPECT_TRUE(button->font().bold()) << "a child keeps its own settings";

    window.setFont(DialogFont(20));
    window.hide();
    window.show();
    EXPECT_EQ(window.font().pixelSize(), 20) << "set once, not again at every show";
}

TEST(TreeAndListHeaders, LookAndBehaveAsATreeWidgetsOwn)
{
    TestApp();
    QTreeWidget plain;
    TreeView tree;
    ListView list;
    for (QTreeWidget* view : {static_cast<QTreeWidget*>(&tree), static_cast<QTreeWidget*>(&list)}) {
        const QHeaderView& header = *view->header();
        SCOPED_TRACE(view->metaObject()->className());
        EXPECT_EQ(header.defaultAlignment(), plain.header()->defaultAlignment());
        EXPECT_EQ(header.sectionsMovable(), plain.header()->sectionsMovable());
        EXPECT_EQ(header.stretchLastSection(), plain.header()->stretchLastSection());
        EXPECT_EQ(header.orientation(), Qt::Horizontal);
    }
    EXPECT_TRUE(tree.isHeaderHidden());
    EXPECT_FALSE(list.isHeaderHidden());
}

TEST(StatusBar, HoldsOneText)
{
    TestApp();
    StatusBar bar;
    bar.setText(QStringLiteral("/home/ala/klasa.sqvlm"));
    bar.showMessage(QStringLiteral("chwilowy"));
    bar.clearMessage();
    EXPECT_EQ(bar.text(), QStringLiteral("/home/ala/klasa.sqvlm"));
}

TEST(Timer, EnablingStartsAndIntervalChangeRestarts)
{
    TestApp();
    Timer timer;
    timer.setInterval(1000);
    EXPECT_FALSE(timer.isEnabled());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    timer.setIntervalMs(5000);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_GT(timer.remainingTime(), 1000);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isEnabled());
}

TEST(ScrollBox, PictureSetsTheContentAndScrollingShowsARectangle)
{
    TestApp();
    ScrollBox box;
    box.resize(300, 200);
    auto* image = new Image(box.content());
    QImage page(717, 1053, QImage::Format_RGB32);
    page.fill(Qt::white);
    image->setPicture(page);
    EXPECT_EQ(image->size(), page.size());  // sized to its picture
    box.setContentSize(image->size());
    box.show();

    box.scrollToShow(QRect(100, 900, 50, 20));
    const QRect visible(box.content()->mapFrom(box.viewport(), QPoint(0, 0)),
                        box.viewport()->size());
    EXPECT_TRUE(visible.contains(QRect(100, 900, 50, 20)));
    box.scrollToTop();
    EXPECT_EQ(box.content()->mapFrom(box.viewport(), QPoint(0, 0)).y(), 0);
}
