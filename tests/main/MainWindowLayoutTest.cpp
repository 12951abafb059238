// The main window's components, tool bar and menus as the user sees them.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "main/Glowna.h"
#include "platform/ComponentRegistry.h"
#include "platform/Controls.h"

namespace {

// "Title: entry, entry, -, entry" for a menu.
QString Describe(const QString& title, const QMenu& menu)
{
    QStringList entries;
    for (const QAction* act : menu.actions())
        entries << (act->isSeparator() ? QString("-") : act->text());
    return title + ": " + entries.join(", ");
}

}  // namespace

struct WithApplication {
    WithApplication() { EnsureApplication(); }
};

class LayoutTest : public ::testing::Test, private WithApplication {
protected:
    TFGlowna window;
};

TEST_F(LayoutTest, MainMenuHoldsTheEntriesInOrder)
{
    QStringList menus;
    for (QAction* act : window.menuBar()->actions())
        menus << Describe(act->text(), *act->menu());
    const QStringList expected = {
        "Plik: Nowy plik, Otwórz plik, -, Importuj, Importuj dane uczniów z SP 4-6, -, Zapisz, "
        "Zapisz jako, -, Szablon danych szkoły, -, Koniec",
        "Uczniowie: Dodaj nowego ucznia, Edytuj dane wybranego ucznia, Usuń wybranego ucznia, "
        "Importuj dane z SP 4-6",
        "Świadectwa: Edytuj wybrane świadectwo / dokument, Drukuj wybrane świadectwo",
        "Ustawienia: Formatowanie podstawowe ( tylko zmienne ), Formatowanie zaawansowane ( "
        "wszystkie obiekty ), -, Eksportuj ustawienia kalibracji, Importuj ustawienia kalibracji",
        "Pomoc: O programie, Sprawdź czy jest nowa wersja, -, Instrukcja obsługi, -, Wyślij "
        "wiadomość, -, Logi programu, -, Strona internetowa programu",
    };
    EXPECT_EQ(menus, expected);
    EXPECT_EQ(Describe("Popup", *window.TreeViewPopupMenu),
              "Popup: Dodaj ucznia, Edytuj dane ucznia, Usuń dane ucznia, -, Edytuj wybrane "
              "świadectwo, -, Drukuj wybrane świadectwo");
}

TEST_F(LayoutTest, ToolBarHoldsTwelveButtonsWithHintsThenTheThreeOptions)
{
    auto* bar = window.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(bar, nullptr);
    QStringList buttons;
    QStringList options;
    for (QAction* act : bar->actions()) {
        if (act->isSeparator())
            continue;
        QWidget* widget = bar->widgetForAction(act);
        if (auto* box = qobject_cast<QCheckBox*>(widget))
            options << box->objectName() + "=" + box->text() + (box->isChecked() ? " [x]" : " [ ]");
        else
            buttons << widget->objectName() + "=" + act->toolTip();
    }
    EXPECT_EQ(buttons, (QStringList{
                           "NowyPlikToolButton=Nowy plik świadectw",
                           "OtworzPlikToolButton=Otwórz plik z świadectwami",
                           "SaveButton=Zapisz",
                           "ToolButton11=Szablon danych szkoły",
                           "DodajUczniaToolButton=Dodaj nowego ucznia",
                           "EdytujDaneUczniaToolButton=Edytuj dane wybranego ucznia",
                           "UsunUczniaToolButton=Usuń dane wybranego ucznia",
                           "EdytujSwiadectwoToolButton=Edytuj wybrane świadectwo / dokument",
                           "DrukujToolButton=Drukuj świadectwo / dokument",
                           "PomocToolButton=Pomoc",
                           "KontaktButton=Wyślij wiadomość",
                           "ImportButton=Importuj dane uczniów z SP 4-6",
                       }));
    EXPECT_EQ(options, (QStringList{
                           "WykreskujPusteCheckBox=Wykreskuj puste pola [x]",
                           "PrintNoDotsCheckBox=Wyłącz kropki [ ]",
                           "cbWordWrap=Ogranicz pola tekstowe [ ]",
                       }));
    EXPECT_EQ(bar->iconSize(), QSize(32, 32));
}

TEST_F(LayoutTest, TreeStatusBarAndFourPreviewPages)
{
    EXPECT_EQ(window.TreeView->width(), 265);
    ASSERT_EQ(window.PageControl->count(), 4);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        EXPECT_EQ(window.PageControl->tabText(i), "Strona " + n);
        EXPECT_EQ(findComponent(&window, QString("scrollbox" + n)), window.ScrollBox[i]);
        EXPECT_EQ(findComponent(&window, QString("IMAGE" + n)), window.Image[i]);
    }
    EXPECT_EQ(window.currentPath(), "");
    EXPECT_FALSE(window.AktualizacjaTimer->isActive());
    window.setCurrentPath("/home/szkola/a.sqvlm");
    EXPECT_EQ(window.StatusBar->text(), "/home/szkola/a.sqvlm");
}
