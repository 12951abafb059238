#include "main/Glowna.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <array>

#include "forms/FormRegistry.h"
#include "main/ImportCommands.h"
#include "main/MainCalibrationHost.h"
#include "main/MainDialogHost.h"
#include "main/ToolButtonPictures.h"
#include "main/UpdateCheckThread.h"
#include "platform/Application.h"
#include "platform/Controls.h"

TFGlowna* FGlowna = nullptr;

namespace {

constexpr int kTreeWidth = 265;

struct ToolCommand {
    const char* name;
    const char* hint;
    const char* picture;  // ToolButtonPicture
};

// Left to right, as the tool bar shows them.
constexpr ToolCommand kToolCommands[] = {
    {"NowyPlikToolButton", "Nowy plik świadectw", "nowy-plik"},
    {"OtworzPlikToolButton", "Otwórz plik z świadectwami", "otworz-plik"},
    {"SaveButton", "Zapisz", "zapisz"},
    {"ToolButton11", "Szablon danych szkoły", "szablon-szkoly"},
    {"DodajUczniaToolButton", "Dodaj nowego ucznia", "dodaj-ucznia"},
    {"EdytujDaneUczniaToolButton", "Edytuj dane wybranego ucznia", "edytuj-ucznia"},
    {"UsunUczniaToolButton", "Usuń dane wybranego ucznia", "usun-ucznia"},
    {"EdytujSwiadectwoToolButton", "Edytuj wybrane świadectwo / dokument", "edytuj-swiadectwo"},
    {"DrukujToolButton", "Drukuj świadectwo / dokument", "drukuj"},
    {"PomocToolButton", "Pomoc", "pomoc"},
    {"KontaktButton", "Wyślij wiadomość", "wyslij-wiadomosc"},
    {"ImportButton", "Importuj dane uczniów z SP 4-6", "importuj"},
};

}  // namespace

TFGlowna::TFGlowna(QWidget* owner)
    : QMainWindow(owner)
    , calibrationHost_(std::make_unique<MainCalibrationHost>(*this))
    , dialogHost_(std::make_unique<MainDialogHost>(*this))
{
    setObjectName("FGlowna");
    // A document form's "OK" saves the current student across every form. Made first: the
    // forms measure no text, so they are built while the font configuration is still being
    // read (Application); the widgets below need it, so the reading is awaited first.
    FormRegistry::instance().setSaveStudentData([this] { return SaveStudentData(); });
    if (auto* app = Application::instance())
        app->awaitFontConfiguration();
    buildLayout();
    buildToolBar();
    buildMenus();
    ConnectCommands();
    qApp->installEventFilter(this);
}

TFGlowna::~TFGlowna()
{
    FormRegistry::instance().setSaveStudentData(nullptr);
}

void TFGlowna::ConnectCommands()
{
    struct Command {
        void (TFGlowna::*handler)();
        std::array<const char*, 3> names;  // tool button, menu entry, popup entry (if any)
    };
    const Command commands[] = {
        {&TFGlowna::NowyPlikToolButtonClick, {"NowyPlikToolButton", "Nowyplik1"}},
        {&TFGlowna::OtworzPlikToolButtonClick, {"OtworzPlikToolButton", "Otworzplik1"}},
        {&TFGlowna::Szablondanychszkoy1Click, {"ToolButton11", "Szablondanychszkoly1"}},
        {&TFGlowna::DodajUczniaToolButtonClick,
         {"DodajUczniaToolButton", "Dodajnowegoucznia1", "Dodajucznia1"}},
        {&TFGlowna::EdytujDaneUczniaToolButtonClick,
         {"EdytujDaneUczniaToolButton", "Edytujdanewybranegoucznia1", "Edytujdaneucznia1"}},
        {&TFGlowna::UsunUczniaToolButtonClick,
         {"UsunUczniaToolButton", "Usunwybranegoucznia1", "Usundaneucznia1"}},
        {&TFGlowna::EdytujSwiadectwoToolButtonClick,
         {"EdytujSwiadectwoToolButton", "Edytujwybraneswiadectwo1", "Edytujwybraneswiadectwo2"}},
        {&TFGlowna::DrukujToolButtonClick,
         {"DrukujToolButton", "Drukujwybraneswiadectwo1", "Drukujwybraneswiadectwo2"}},
    };
    for (const Command& command : commands)
        for (const char* name : command.names)
            if (name)
                connect(action(name), &QAction::triggered, this,
                        [this, handler = command.handler] { (this->*handler)(); });

    ConnectTreeSelection();
    TreeView->viewport()->installEventFilter(this);
}

void TFGlowna::buildLayout()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    StatusBar = new ::StatusBar(central);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    column->addWidget(StatusBar);

    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    TreeView = new ::TreeView(central);
    TreeView->setObjectName("TreeView");
    TreeView->setFixedWidth(kTreeWidth);
    TreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    // Labels are shown whole: the column is as wide as the widest one and the tree scrolls
    // sideways (the labels of one sheet's year pages differ only at their end).
    TreeView->header()->setStretchLastSection(false);
    TreeView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    TreeView->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(TreeView);

    PageControl = new ::PageControl(central);
    PageControl->setObjectName("PageControl");
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        TabSheet[i] = new QWidget;
        TabSheet[i]->setObjectName("TabSheet" + n);
        auto* sheetLayout = new QVBoxLayout(TabSheet[i]);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        ScrollBox[i] = new ::ScrollBox(TabSheet[i]);
        ScrollBox[i]->setObjectName("ScrollBox" + n);
        Image[i] = new ::Image(ScrollBox[i]->content());
        Image[i]->setObjectName("Image" + n);
        sheetLayout->addWidget(ScrollBox[i]);
        PageControl->addTab(TabSheet[i], "Strona " + n);
    }
    row->addWidget(PageControl, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    AktualizacjaTimer = new Timer(this);
    AktualizacjaTimer->setObjectName("AktualizacjaTimer");
}

void TFGlowna::buildToolBar()
{
    auto* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(kToolButtonPictureSize);
    bool first = true;
    for (const ToolCommand& command : kToolCommands) {
        if (!first)
            bar->addSeparator();
        first = false;
        auto* act = new QAction(this);
        act->setObjectName(command.name);
        act->setToolTip(QString::fromUtf8(command.hint));
        act->setIcon(ToolButtonPicture(command.picture));
        bar->addAction(act);
        bar->widgetForAction(act)->setObjectName(command.name);
    }
    bar->addSeparator();

    auto addOption = [&](const char* name, const char* caption, bool designedChecked,
                         void (TFGlowna::*handler)()) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), bar);
        box->setObjectName(name);
        box->setChecked(designedChecked);
        connect(box, &QCheckBox::toggled, this, [this, handler] { (this->*handler)(); });
        bar->addWidget(box);
        return box;
    };
    WykreskujPusteCheckBox = addOption("WykreskujPusteCheckBox", "Wykreskuj puste pola", true,
                                       &TFGlowna::WykreskujPusteCheckBoxClick);
    PrintNoDotsCheckBox = addOption("PrintNoDotsCheckBox", "Wyłącz kropki", false,
                                    &TFGlowna::PrintNoDotsCheckBoxClick);
    cbWordWrap =
        addOption("cbWordWrap", "Ogranicz pola tekstowe", false, &TFGlowna::cbWordWrapClick);

    connect(action("ImportButton"), &QAction::triggered, this,
            [this] { ImportButtonClick(*this); });
    connect(action("SaveButton"), &QAction::triggered, this, [this] { Zapisz1Click(); });
    connect(action("PomocToolButton"), &QAction::triggered, this,
            [this] { Instrukcjaobsugi1Click(); });
    connect(action("KontaktButton"), &QAction::triggered, this, [this] { KontaktButtonClick(); });
}

QAction* TFGlowna::addCommand(QMenu* menu, const QString& name, const QString& text)
{
    auto* act = menu->addAction(text);
    act->setObjectName(name);
    return act;
}

void TFGlowna::buildMenus()
{
    auto* plik = menuBar()->addMenu("&Plik");
    plik->setObjectName("Plik1");
    addCommand(plik, "Nowyplik1", "&Nowy plik");
    addCommand(plik, "Otworzplik1", "&Otwórz plik");
    plik->addSeparator();
    connect(addCommand(plik, "Importuj1", "&Importuj"), &QAction::triggered, this,
            [this] { Importuj1Click(*this); });
    connect(addCommand(plik, "ImportujSP1", "Importuj dane uczniów z &SP 4-6"), &QAction::triggered,
            this, [this] { ImportButtonClick(*this); });
    plik->addSeparator();
    connect(addCommand(plik, "Zapisz1", "&Zapisz"), &QAction::triggered, this,
            [this] { Zapisz1Click(); });
    connect(addCommand(plik, "Zapiszjako1", "Zapisz j&ako"), &QAction::triggered, this,
            [this] { Zapiszjako1Click(); });
    plik->addSeparator();
    addCommand(plik, "Szablondanychszkoly1", "Szablon &danych szkoły");
    plik->addSeparator();
    connect(addCommand(plik, "Koniec1", "&Koniec"), &QAction::triggered, this,
            [this] { Koniec1Click(); });

    auto* uczniowie = menuBar()->addMenu("&Uczniowie");
    uczniowie->setObjectName("Uczniowie1");
    addCommand(uczniowie, "Dodajnowegoucznia1", "&Dodaj nowego ucznia");
    addCommand(uczniowie, "Edytujdanewybranegoucznia1", "&Edytuj dane wybranego ucznia");
    addCommand(uczniowie, "Usunwybranegoucznia1", "&Usuń wybranego ucznia");
    // An entry that runs no command.
    addCommand(uczniowie, "ImportujdanezSP461", "&Importuj dane z SP 4-6");

    auto* swiadectwa = menuBar()->addMenu("Ś&wiadectwa");
    swiadectwa->setObjectName("Swiadectwa1");
    addCommand(swiadectwa, "Edytujwybraneswiadectwo1", "&Edytuj wybrane świadectwo / dokument");
    addCommand(swiadectwa, "Drukujwybraneswiadectwo1", "&Drukuj wybrane świadectwo");

    auto* ustawienia = menuBar()->addMenu("U&stawienia");
    ustawienia->setObjectName("Ustawienia1");
    connect(addCommand(ustawienia, "Formatowaniewiadectwapodstawowe1",
                       "Formatowanie &podstawowe ( tylko zmienne )"),
            &QAction::triggered, this, [this] { Formatowaniewiadectwapodstawowe1Click(); });
    connect(addCommand(ustawienia, "Ustawieniaczcionki1",
                       "Formatowanie &zaawansowane ( wszystkie obiekty )"),
            &QAction::triggered, this, [this] { Ustawieniaczcionki1Click(); });
    ustawienia->addSeparator();
    connect(addCommand(ustawienia, "Eksportujustawieniakalibracji1",
                       "&Eksportuj ustawienia kalibracji"),
            &QAction::triggered, this, [this] { Eksportujustawieniakalibracji1Click(); });
    connect(
        addCommand(ustawienia, "Importujustawieniakalibracji1", "&Importuj ustawienia kalibracji"),
        &QAction::triggered, this, [this] { Importujustawieniakalibracji1Click(); });

    auto* pomoc = menuBar()->addMenu("P&omoc");
    pomoc->setObjectName("Pomoc1");
    connect(addCommand(pomoc, "Oprogramie1", "&O programie"), &QAction::triggered, this,
            [this] { Oprogramie1Click(); });
    connect(addCommand(pomoc, "Sprawdzczyjestnowawersja1", "&Sprawdź czy jest nowa wersja"),
            &QAction::triggered, this, [] { StartUpdateCheckThread(false); });
    pomoc->addSeparator();
    connect(addCommand(pomoc, "Instrukcjaobsugi1", "&Instrukcja obsługi"), &QAction::triggered,
            this, [this] { Instrukcjaobsugi1Click(); });
    pomoc->addSeparator();
    connect(addCommand(pomoc, "Wyslijwiadomosc1", "&Wyślij wiadomość"), &QAction::triggered, this,
            [this] { KontaktButtonClick(); });
    pomoc->addSeparator();
    connect(addCommand(pomoc, "Logiprogramu1", "&Logi programu"), &QAction::triggered, this,
            [this] { Logiprogramu1Click(); });
    pomoc->addSeparator();
    connect(addCommand(pomoc, "StronaInternetowa1", "Strona internetowa &programu"),
            &QAction::triggered, this, [this] { StronaInternetowa1Click(); });

    // F10 opens the menu bar, as on other desktops.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });

    TreeViewPopupMenu = new QMenu(this);
    TreeViewPopupMenu->setObjectName("TreeViewPopupMenu");
    addCommand(TreeViewPopupMenu, "Dodajucznia1", "&Dodaj ucznia");
    addCommand(TreeViewPopupMenu, "Edytujdaneucznia1", "&Edytuj dane ucznia");
    addCommand(TreeViewPopupMenu, "Usundaneucznia1", "&Usuń dane ucznia");
    TreeViewPopupMenu->addSeparator();
    addCommand(TreeViewPopupMenu, "Edytujwybraneswiadectwo2", "Edytuj &wybrane świadectwo");
    TreeViewPopupMenu->addSeparator();
    addCommand(TreeViewPopupMenu, "Drukujwybraneswiadectwo2", "D&rukuj wybrane świadectwo");
    connect(TreeView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        TreeViewPopupMenu->popup(TreeView->viewport()->mapToGlobal(at));
    });
}

QAction* TFGlowna::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QString TFGlowna::currentPath() const
{
    return StatusBar->text();
}

void TFGlowna::setCurrentPath(const QString& path)
{
    StatusBar->setText(path);
}

CalibrationHost& TFGlowna::calibrationHost()
{
    return *calibrationHost_;
}

DisplayOptions TFGlowna::displayOptions() const
{
    DisplayOptions options;
    options.strikeEmpty = WykreskujPusteCheckBox->isChecked();
    options.printNoDots = PrintNoDotsCheckBox->isChecked();
    options.clipText = cbWordWrap->isChecked();
    return options;
}

void TFGlowna::setActivePageTab(int index)
{
    PageControl->setCurrentIndex(index);
}

void TFGlowna::setPageScroll(int page, int y)
{
    ScrollBox[page - 1]->verticalScrollBar()->setValue(y);
}

void TFGlowna::setPageTabVisible(int page, bool visible)
{
    PageControl->setPageVisible(TabSheet[page - 1], visible);
}

void TFGlowna::setPreviewPicture(int page, const QImage& picture)
{
    Image[page - 1]->setPicture(picture);
    ::ScrollBox* box = ScrollBox[page - 1];
    box->setContentSize(picture.size());
    // A page on a hidden tab gets its resize only when shown; the wheel scrolls it before.
    QResizeEvent resized(picture.size(), QSize());
    QCoreApplication::sendEvent(box->content(), &resized);
}

void TFGlowna::ShowNodeToolTip(const QHelpEvent& help)
{
    // The whole label of the node under the mouse, also where the tree cuts it off.
    const QTreeWidgetItem* node = TreeView->itemAt(help.pos());
    if (node && !node->text(0).isEmpty())
        QToolTip::showText(help.globalPos(), node->text(0), TreeView->viewport(),
                           TreeView->visualItemRect(node));
    else
        QToolTip::hideText();
}

bool TFGlowna::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == TreeView->viewport())
        NoteSelectionAtPress();
    if (event->type() == QEvent::ToolTip && watched == TreeView->viewport()) {
        ShowNodeToolTip(*static_cast<QHelpEvent*>(event));
        return true;
    }
    // Only the first delivery of a turn is spontaneous; the copies Qt passes on to the
    // parents are not, so each turn scrolls the pages once.
    if (event->type() != QEvent::Wheel || !event->spontaneous() || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (target->window() != this)
        return false;
    FormMouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    // The four pages have just scrolled; a preview page would scroll a second time.
    for (::ScrollBox* box : ScrollBox)
        if (box->isAncestorOf(target) || box == target)
            return true;
    return false;
}
