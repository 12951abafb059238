// Every window of the program on the screen this process runs on: CTest runs the suite once
// per screen size and scale (1366 × 768 at 100 % and 150 %, 1600 × 1200 at 100 %, 150 % and
// 200 %), each under the offscreen platform. A window fits when its frame lies within the
// screen's available area and each button it shows lies within its client area, either
// itself or through the scroll area that holds it, and is not squeezed below the width its
// caption needs.
#include "tests/main/MainTestSupport.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QScreen>
#include <QStyle>

#include <sstream>

#include "forms/FormRegistry.h"
#include "main/Aktualizacja.h"
#include "main/Glowna.h"
#include "main/WindowRegistry.h"
#include "render/DrukujWindow.h"
#include "tests/print/RecordingPrint.h"

namespace {

std::string Text(const QRect& r)
{
    std::ostringstream out;
    out << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
    return out.str();
}

// What the user sees of `button`: the outermost scroll area's view that holds it (the
// button is reached by scrolling), else the button itself; in global coordinates.
QRect ShownPlace(const QWidget& button, const QWidget& window)
{
    const QWidget* shown = &button;
    for (const QWidget* w = button.parentWidget(); w && w != &window; w = w->parentWidget())
        if (const auto* scroll = qobject_cast<const QAbstractScrollArea*>(w))
            shown = scroll->viewport();
    return {shown->mapToGlobal(QPoint(0, 0)), shown->size()};
}

// The width a captioned button's caption takes: its text, and its picture or check mark beside it.
int CaptionWidth(const QAbstractButton& button)
{
    QString text = button.text();
    text.remove(u'&');
    int width = button.fontMetrics().horizontalAdvance(text);
    if (!button.icon().isNull())
        width += button.iconSize().width();
    if (qobject_cast<const QCheckBox*>(&button))
        width += button.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &button);
    return width;
}

void ExpectFitsScreen(const QWidget& window, const std::string& name)
{
    ASSERT_TRUE(window.isVisible()) << name;
    const QRect room = window.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(window.frameGeometry()))
        << name << " at " << Text(window.frameGeometry()) << " on a screen of " << Text(room);
    const QRect client(window.mapToGlobal(QPoint(0, 0)), window.size());
    int buttons = 0;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        ++buttons;
        const QRect place = ShownPlace(*button, window);
        EXPECT_TRUE(client.contains(place)) << name << ": " << button->objectName().toStdString()
                                            << " \"" << button->text().toStdString() << "\" at "
                                            << Text(place) << " in a window at " << Text(client);
        if (!button->text().isEmpty()) {
            EXPECT_GE(button->width(), CaptionWidth(*button))
                << name << ": " << button->objectName().toStdString() << " \""
                << button->text().toStdString() << "\" squeezed";
        }
    }
    EXPECT_GT(buttons, 0) << name << " shows no button";
}

}  // namespace

class WindowsOnScreenTest : public ShellTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(start());
        std::ostringstream screen;
        const QScreen* primary = window().screen();
        screen << Text(primary->availableGeometry()) << " at scale " << primary->devicePixelRatio();
        RecordProperty("screen", screen.str());
    }

    // Shows `dialog` modally the way the program does, checks it while it is shown.
    void expectModalFits(const std::function<void()>& show, const std::string& name)
    {
        bool checked = false;
        dialogs.answerModal([&](QDialog& shown) {
            ExpectFitsScreen(shown, name);
            checked = true;
            shown.reject();
        });
        show();
        EXPECT_TRUE(checked) << name << " was not shown";
    }

    void expectModalFits(QDialog& dialog, const std::string& name)
    {
        expectModalFits([&] { DialogService::instance().showModal(dialog); }, name);
    }

    void trigger(const char* action) { window().action(QString::fromLatin1(action))->trigger(); }
};

TEST_F(WindowsOnScreenTest, MainWindow)
{
    ExpectFitsScreen(window(), "main window");
}

TEST_F(WindowsOnScreenTest, PrintWindow)
{
    auto* print = dynamic_cast<TFDrukuj*>(WindowRegistry::instance().window("TFDrukuj"));
    ASSERT_NE(print, nullptr);
    PrintRecord record;
    print->setPrintSystem(
        std::make_unique<RecordingPrintSystem>(record, QStringList{"Alpha"}, "Alpha"));
    print->setPrintJob(4, false, false);
    expectModalFits(*print, "print window");
}

TEST_F(WindowsOnScreenTest, CalibrationWindow)
{
    expectModalFits([&] { trigger("Ustawieniaczcionki1"); }, "calibration window");
}

TEST_F(WindowsOnScreenTest, SchoolDataTemplate)
{
    expectModalFits([&] { trigger("Szablondanychszkoly1"); }, "school-data template");
}

TEST_F(WindowsOnScreenTest, StudentDialog)
{
    expectModalFits([&] { trigger("Dodajnowegoucznia1"); }, "student dialog");
}

TEST_F(WindowsOnScreenTest, LogViewer)
{
    expectModalFits([&] { trigger("Logiprogramu1"); }, "log viewer");
}

TEST_F(WindowsOnScreenTest, AboutBox)
{
    expectModalFits([&] { trigger("Oprogramie1"); }, "about box");
}

TEST_F(WindowsOnScreenTest, UpdateWindow)
{
    ASSERT_NE(FAktualizacja, nullptr);
    expectModalFits(*FAktualizacja, "update window");
}

TEST_F(WindowsOnScreenTest, EveryDocumentForm)
{
    for (const auto& form : FormRegistry::instance().forms())
        expectModalFits([&] { form->ShowModal(); }, form->className().toStdString());
}
