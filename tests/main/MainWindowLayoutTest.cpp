// The main window's components, tool bar and menus as the user sees them.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "main/Glowna.h"
#include "platform/ComponentRegistry.h"
#include "platform/Controls.h"

namespace {

// The text as the menu shows it: "&" marks the mnemonic letter.
QString Shown(const QString& text)
{
    return QString(text).remove('&');
}

// "Title: entry, entry, -, entry" for a menu.
QString Describe(const QString& title, const QMenu& menu)
{
    QStringList entries;
    for (const QAction* act : menu.actions())
        entries << (act->isSeparator() ? QString("-") : Shown(act->text()));
    return Shown(title) + ": " + entries.join(", ");
}

// The mnemonic letters of `actions`, lower case, in order; "" for an entry without one.
QStringList Mnemonics(const QList<QAction*>& actions)
{
    QStringList letters;
    for (const QAction* act : actions)
        if (!act->isSeparator())
            letters << QKeySequence::mnemonic(act->text()).toString().remove("Alt+").toLower();
    return letters;
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

TEST_F(LayoutTest, EveryMenuAndEntryHasItsOwnMnemonic)
{
    QList<QList<QAction*>> menus = {window.menuBar()->actions(),
                                    window.TreeViewPopupMenu->actions()};
    for (QAction* act : window.menuBar()->actions())
        menus << act->menu()->actions();
    for (const QList<QAction*>& actions : menus) {
        const QStringList letters = Mnemonics(actions);
        for (qsizetype i = 0; i < letters.size(); ++i) {
            EXPECT_FALSE(letters[i].isEmpty()) << letters.join(',').toStdString();
            EXPECT_EQ(letters.count(letters[i]), 1) << letters.join(',').toStdString();
        }
    }
    EXPECT_EQ(Mnemonics(window.menuBar()->actions()), (QStringList{"p", "u", "w", "s", "o"}));
}

TEST_F(LayoutTest, ToolButtonsShowTheProgramsOwnPicturesOfOneSize)
{
    // Whatever icon theme the desktop has (or none), the pictures are the program's own.
    QIcon::setThemeName(QString());
    auto* bar = window.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(bar, nullptr);
    QList<QImage> pictures;
    for (QAction* act : bar->actions()) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(act));
        if (!button)
            continue;
        SCOPED_TRACE(button->objectName().toStdString());
        ASSERT_FALSE(act->icon().isNull());
        const QImage picture = act->icon().pixmap(QSize(32, 32), 1.0).toImage();
        EXPECT_EQ(picture.size(), QSize(32, 32));
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                inked += qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_GT(inked, 32 * 32 / 4);  // a picture, not a dot in a corner
        for (const QImage& other : std::as_const(pictures))
            EXPECT_NE(picture, other);
        pictures << picture;
        EXPECT_EQ(button->iconSize(), QSize(32, 32));
    }
    EXPECT_EQ(pictures.size(), 12);
}

TEST_F(LayoutTest, ToolButtonPicturesAreDrawnAnewForScreensThatScale)
{
    auto* bar = window.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(bar, nullptr);
    int checked = 0;
    for (QAction* act : bar->actions()) {
        if (!qobject_cast<QToolButton*>(bar->widgetForAction(act)))
            continue;
        SCOPED_TRACE(act->objectName().toStdString());
        const QIcon icon = act->icon();
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QPixmap small = icon.pixmap(QSize(32, 32), 1.0, mode);
            const QPixmap large = icon.pixmap(QSize(32, 32), 2.0, mode);
            EXPECT_EQ(small.size(), QSize(32, 32));
            EXPECT_EQ(large.size(), QSize(64, 64));
            EXPECT_EQ(large.devicePixelRatio(), 2.0);
            // Drawn at that size, not the small picture enlarged.
            EXPECT_NE(large.toImage(),
                      small.toImage().scaled(64, 64).convertToFormat(large.toImage().format()));
        }
        EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
        ++checked;
    }
    EXPECT_EQ(checked, 12);
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
