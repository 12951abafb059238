#include "render/DrukujWindow.h"

#include "render/PrintCups.h"
#include "render/PrintNudges.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "platform/OsServices.h"
#include "platform/ScreenRoom.h"
#include "platform/StandardIcons.h"
#include "store/ErrorStream.h"
#include "store/Folders.h"
#include "store/Margins.h"
#include "store/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr const char* kEdgeNames[4] = {"Lewy", "Gorny", "Prawy", "Dolny"};
constexpr int kMaxSetNameLength = 255;

// The designed client area; the four page columns stand right of the settings column.
constexpr QSize kDesignSize(1029, 313);
constexpr int kPagesLeft = 258;
constexpr int kPageColumnWidth = 192;
constexpr QSize kPagesSize(4 * kPageColumnWidth - 6, 278);

QString ErrorText(const char* sentence, const ErrorStream& errors)
{
    return QString::fromUtf8(sentence) + QString::fromStdString(errors.str());
}

template <typename Widget>
Widget* Place(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    auto* label = new PlacedLabel(caption, parent, QPoint(left, top));
    label->setObjectName(name);
    return label;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption,
                         QStyle::StandardPixmap picture, int left, int top, int width)
{
    auto* button = Place<QPushButton>(parent, QString::fromLatin1(name), left, top, width, 25);
    button->setText(caption);
    if (picture != QStyle::SP_CustomBase)
        button->setIcon(StandardIcon(picture));
    button->setAutoDefault(false);
    return button;
}

QComboBox* ListOnly(QWidget* parent, const char* name, const QStringList& items, int left, int top,
                    int width)
{
    auto* combo = Place<QComboBox>(parent, QString::fromLatin1(name), left, top, width, 21);
    combo->addItems(items);
    return combo;
}

}  // namespace

TFDrukuj::TFDrukuj(const PageImages& pages, ErrorStream& errors, QWidget* parent)
    : WithDialogFontWhenShown(parent)
    , pages_(pages)
    , errors_(errors)
    , system_(std::make_unique<CupsPrintSystem>())
{
    setObjectName(QStringLiteral("FDrukuj"));
    setWindowTitle(QStringLiteral("Drukowanie"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    buildLayout();
    connectHandlers();
}

TFDrukuj::~TFDrukuj() = default;

void TFDrukuj::showError(const QString& text)
{
    DialogService::instance().message(text, QStringLiteral("Błąd"), MsgIcon::Error, MsgButtons::Ok);
}

void TFDrukuj::setPrintJob(int pages, bool defaultA4, bool defaultPortrait)
{
    PageCount = pages;
    DefaultA4 = defaultA4;
    DefaultPortrait = defaultPortrait;
}

void TFDrukuj::setPrintSystem(std::unique_ptr<PrintSystem> system)
{
    system_ = std::move(system);
    currentPrinter_.clear();
}

void TFDrukuj::buildLayout()
{
    Label1 = PlaceLabel(this, QStringLiteral("Label1"), QStringLiteral("Nazwa drukarki:"), 8, 8);
    DrukarkiComboBox = ListOnly(this, "DrukarkiComboBox", {}, 8, 24, 241);
    Label11 =
        PlaceLabel(this, QStringLiteral("Label11"), QStringLiteral("Tryb druku ( duplex )"), 8, 50);
    DuplexComboBox = ListOnly(this, "DuplexComboBox",
                              {QStringLiteral("Wyłączony"), QStringLiteral("Duplex pionowo"),
                               QStringLiteral("Duplex poziomo")},
                              8, 66, 241);
    DuplexComboBox->setCurrentIndex(0);
    DuplexComboBox->setEnabled(false);
    cbRotateSecondPage =
        Place<QCheckBox>(this, QStringLiteral("cbRotateSecondPage"), 8, 91, 241, 17);
    cbRotateSecondPage->setText(QStringLiteral("obróć drugą stronę o 180 stopni"));
    cbRotateSecondPage->setEnabled(false);
    Label9 = PlaceLabel(this, QStringLiteral("Label9"), QStringLiteral("Rozmiar strony"), 8, 114);
    PageSizeComboBox = ListOnly(this, "PageSizeComboBox",
                                {QStringLiteral("A3"), QStringLiteral("A4")}, 8, 130, 117);
    Label10 = PlaceLabel(this, QStringLiteral("Label10"), QStringLiteral("Układ strony"), 132, 114);
    PageOrientationComboBox =
        ListOnly(this, "PageOrientationComboBox",
                 {QStringLiteral("poziomy"), QStringLiteral("pionowy")}, 132, 130, 117);
    Label3 = PlaceLabel(this, QStringLiteral("Label3"),
                        QStringLiteral("Ustawienia druku ( marginesy )"), 8, 156);
    MarginesyComboBox = ListOnly(this, "MarginesyComboBox", {}, 8, 172, 241);
    SaveNewSettingsButton =
        PlaceButton(this, "SaveNewSettingsButton", QStringLiteral("Zapisz jako nowe ustawienia"),
                    QStyle::SP_DialogSaveButton, 8, 198, 241);
    DeleteSettingsButton =
        PlaceButton(this, "DeleteSettingsButton", QStringLiteral("Usuń ustawienia"),
                    QStyle::SP_TrashIcon, 8, 225, 241);
    ResetButton = PlaceButton(this, "ResetButton", QStringLiteral("Przywróć oryginalne ustawienia"),
                              QStyle::SP_CustomBase, 8, 252, 241);
    PomocButton = PlaceButton(this, "PomocButton", QStringLiteral("Pomoc"),
                              QStyle::SP_DialogHelpButton, 8, 282, 100);
    btnPrinterSettings = PlaceButton(this, "btnPrinterSettings", QStringLiteral("Ustawienia druku"),
                                     QStyle::SP_FileDialogDetailedView, 114, 282, 135);
    // The page columns scroll sideways where the screen is narrower than the window's design.
    pagesArea_ = new QScrollArea(this);
    pagesArea_->setFrameShape(QFrame::NoFrame);
    pagesArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* pagesPanel = new QWidget;
    pagesPanel->setFixedSize(kPagesSize);
    for (int page = 1; page <= 4; ++page)
        buildPageColumn(pagesPanel, page, (page - 1) * kPageColumnWidth);
    pagesArea_->setWidget(pagesPanel);
    DrukujButton = PlaceButton(this, "DrukujButton", QStringLiteral("Drukuj"),
                               QStyle::SP_DialogOkButton, 0, 0, 80);
    AnulujButton = PlaceButton(this, "AnulujButton", QStringLiteral("Anuluj"),
                               QStyle::SP_DialogCancelButton, 0, 0, 80);
    placeForSize(kDesignSize);
}

// The window keeps its designed size where the screen has room for it; on a narrower screen
// the page columns scroll and "Drukuj" and "Anuluj" stay at the bottom right.
void TFDrukuj::fitToScreen()
{
    QSize size = FitClientSize(*this, kDesignSize);
    if (size.width() < kDesignSize.width())
        size.rheight() += pagesArea_->horizontalScrollBar()->sizeHint().height();
    placeForSize(FitClientSize(*this, size));
}

void TFDrukuj::placeForSize(QSize size)
{
    setFixedSize(size);
    const int pagesHeight = size.height() - (kDesignSize.height() - kPagesSize.height());
    pagesArea_->setGeometry(kPagesLeft, 0, size.width() - kPagesLeft, pagesHeight);
    DrukujButton->move(size.width() - 171, size.height() - 31);
    AnulujButton->move(size.width() - 87, size.height() - 31);
}

void TFDrukuj::buildPageColumn(QWidget* panel, int page, int left)
{
    static const char* const kPlacementTitles[4] = {
        " Pozycjonowanie wydruku str 1 ", " Pozycjonowanie wydruku str 2 ",
        " Pozycjonowanie wydruku str 3", " Pozycjonowanie wydruku str 4"};
    static const char* const kSizeLabels[4][2] = {
        {"Label2", "Label4"}, {"Label5", "Label6"}, {"Label7", "Label8"}, {"Label12", "Label13"}};
    const int p = page - 1;

    QGroupBox* placement =
        Place<QGroupBox>(panel, QStringLiteral("GroupBox%1").arg(2 * page - 1), left, 4, 186, 160);
    placement->setTitle(QString::fromUtf8(kPlacementTitles[p]));
    QGroupBox* size =
        Place<QGroupBox>(panel, QStringLiteral("GroupBox%1").arg(2 * page), left, 168, 186, 106);
    size->setTitle(QStringLiteral(" Szerokość / wysokość wydruku str %1").arg(page));
    PlacementGroup[p] = placement;
    SizeGroup[p] = size;

    // The edits stand like a compass: top, left, right, bottom.
    const QPoint editAt[4] = {{8, 68}, {71, 22}, {134, 68}, {71, 116}};
    for (int e = 0; e < 4; ++e) {
        auto* edit = Place<QLineEdit>(placement,
                                      QStringLiteral("Strona%1%2Edit").arg(page).arg(kEdgeNames[e]),
                                      editAt[e].x(), editAt[e].y(), 44, 21);
        edit->setText(QStringLiteral("0"));
        edit->setReadOnly(true);
        edit->setEnabled(false);
        StronaEdit[p][e] = edit;
    }

    // The buttons, by what they do, placed in the same compass and in the size rows.
    for (int number = 1; number <= 32; ++number) {
        const std::optional<NudgeButton> nudge = NudgeButtonOf(number);
        if (nudge->page != page)
            continue;
        QWidget* parent = placement;
        QPoint at;
        Qt::ArrowType arrow = Qt::NoArrow;
        QString caption;
        switch (nudge->kind) {
        case NudgeKind::Up:
            at = {84, 48};
            arrow = Qt::UpArrow;
            break;
        case NudgeKind::Left:
            at = {62, 70};
            arrow = Qt::LeftArrow;
            break;
        case NudgeKind::Down:
            at = {84, 92};
            arrow = Qt::DownArrow;
            break;
        case NudgeKind::Right:
            at = {106, 70};
            arrow = Qt::RightArrow;
            break;
        case NudgeKind::WidthPlus:
            parent = size;
            at = {100, 30};
            caption = QStringLiteral("+");
            break;
        case NudgeKind::WidthMinus:
            parent = size;
            at = {124, 30};
            caption = QStringLiteral("−");
            break;
        case NudgeKind::HeightPlus:
            parent = size;
            at = {100, 66};
            caption = QStringLiteral("+");
            break;
        case NudgeKind::HeightMinus:
            parent = size;
            at = {124, 66};
            caption = QStringLiteral("−");
            break;
        }
        auto* button = Place<QToolButton>(parent, QStringLiteral("SpeedButton%1").arg(number),
                                          at.x(), at.y(), 19, 19);
        button->setIconSize(QSize(13, 13));
        if (arrow != Qt::NoArrow)
            button->setArrowType(arrow);
        else
            button->setText(caption);
        SpeedButton[number - 1] = button;
    }
    PlaceLabel(size, QString::fromLatin1(kSizeLabels[p][0]), QStringLiteral("Szerokość"), 12, 33);
    PlaceLabel(size, QString::fromLatin1(kSizeLabels[p][1]), QStringLiteral("Wysokość"), 12, 69);
}

void TFDrukuj::connectHandlers()
{
    connect(DrukarkiComboBox, &QComboBox::activated, this, [this] { DrukarkiComboBoxChange(); });
    connect(MarginesyComboBox, &QComboBox::activated, this, [this] { MarginesyComboBoxChange(); });
    for (int number = 1; number <= 32; ++number)
        connect(SpeedButton[number - 1], &QToolButton::clicked, this,
                [this, number] { SpeedButtonClick(number); });
    connect(SaveNewSettingsButton, &QPushButton::clicked, this,
            [this] { SaveNewSettingsButtonClick(); });
    connect(DeleteSettingsButton, &QPushButton::clicked, this,
            [this] { DeleteSettingsButtonClick(); });
    connect(ResetButton, &QPushButton::clicked, this, [this] { ResetButtonClick(); });
    connect(PomocButton, &QPushButton::clicked, this, [this] { PomocButtonClick(); });
    connect(btnPrinterSettings, &QPushButton::clicked, this, [this] { btnPrinterSettingsClick(); });
    connect(DrukujButton, &QPushButton::clicked, this, [this] { DrukujButtonClick(); });
    connect(AnulujButton, &QPushButton::clicked, this, [this] { AnulujButtonClick(); });
}

void TFDrukuj::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    fitToScreen();
    CentreOnScreen(*this);
    FormShow();
}

void TFDrukuj::FormShow()
{
    DrukarkiComboBox->clear();
    DrukarkiComboBox->addItems(system_->printerNames());
    if (DrukarkiComboBox->count() == 0) {
        currentPrinter_.clear();
        showError(QString::fromUtf8(kNoPrinterText));
    } else {
        if (currentPrinterIndex() < 0)
            makeCurrent(std::max(0, DrukarkiComboBox->findText(system_->defaultPrinter())));
        DrukarkiComboBox->setCurrentIndex(currentPrinterIndex());
    }
    LoadMarginSets();
    UpdateDuplexControls();
    PageSizeComboBox->setCurrentIndex(DefaultA4 ? 1 : 0);
    PageOrientationComboBox->setCurrentIndex(DefaultPortrait ? 1 : 0);

    int stored = 0;
    if (!bFunSqlGetSettingsValue(errors_, "print_margin", stored))
        return;
    if (stored < MarginesyComboBox->count())
        MarginesyComboBox->setCurrentIndex(stored < 0 ? -1 : stored);
    preferDocumentPaper();
    MarginesyComboBoxChange();
}

// The set remembered from the last print may be for other paper (an A3 print before an A4
// blank): its placement would put the pages on the wrong sheet. The first set for the
// document's own paper takes its place; with none, the remembered set stays.
void TFDrukuj::preferDocumentPaper()
{
    const auto onDocumentPaper = [this](const MarginSet* set) {
        return set && set->A4 == int(DefaultA4) && set->Portrait == int(DefaultPortrait);
    };
    if (MarginesyComboBox->currentIndex() < 0 ||
        onDocumentPaper(setNamed(MarginesyComboBox->currentText())))
        return;
    for (int index = 0; index < MarginesyComboBox->count(); ++index) {
        if (onDocumentPaper(setNamed(MarginesyComboBox->itemText(index)))) {
            MarginesyComboBox->setCurrentIndex(index);
            return;
        }
    }
}

// Of several sets of one name, the last one counts.
const MarginSet* TFDrukuj::setNamed(const QString& name) const
{
    const std::string wanted = name.toStdString();
    const MarginSet* found = nullptr;
    for (const MarginSet& set : MarginSets)
        if (set.name == wanted)
            found = &set;
    return found;
}

bool TFDrukuj::LoadMarginSets()
{
    const std::string file = SettingsFilePath(errors_, false);
    MarginSets.clear();
    if (!bFunMarginReadData(errors_, file, MarginSets)) {
        showError(ErrorText("Błąd podczas próby uzyskania listy ustawień.\n\n", errors_));
        return false;
    }
    MarginesyComboBox->clear();
    for (const MarginSet& set : MarginSets)
        MarginesyComboBox->addItem(QString::fromStdString(set.name));
    if (MarginesyComboBox->count() > 0) {
        MarginesyComboBox->setCurrentIndex(0);
        MarginesyComboBoxChange();
    }
    return true;
}

void TFDrukuj::MarginesyComboBoxChange()
{
    const MarginSet* set = setNamed(MarginesyComboBox->currentText());
    if (!set)
        return;
    for (int page = 1; page <= 4; ++page)
        writePageRect(page, set->page[page - 1]);
    PageSizeComboBox->setCurrentIndex(set->A4);
    PageOrientationComboBox->setCurrentIndex(set->Portrait);
}

MarginRect TFDrukuj::pageRect(int page) const
{
    const auto& edits = StronaEdit[page - 1];
    return {edits[0]->text().toInt(), edits[1]->text().toInt(), edits[2]->text().toInt(),
            edits[3]->text().toInt()};
}

std::array<MarginRect, 4> TFDrukuj::pageRects() const
{
    return {pageRect(1), pageRect(2), pageRect(3), pageRect(4)};
}

void TFDrukuj::writePageRect(int page, const MarginRect& rect)
{
    const int values[4] = {rect.X1, rect.Y1, rect.X2, rect.Y2};
    for (int e = 0; e < 4; ++e)
        StronaEdit[page - 1][e]->setText(QString::number(values[e]));
}

void TFDrukuj::SpeedButtonClick(int number)
{
    const std::optional<NudgeButton> nudge = NudgeButtonOf(number);
    if (!nudge)
        return;
    MarginRect rect = pageRect(nudge->page);
    ApplyNudge(NudgeRuleOf(nudge->page, nudge->kind), rect);
    writePageRect(nudge->page, rect);
}

void TFDrukuj::SaveNewSettingsButtonClick()
{
    const std::optional<QString> answer = DialogService::instance().nameQuery(
        QStringLiteral("Nazwa"), QStringLiteral("Proszę podać nazwę ustawień"),
        QStringLiteral("nowa nazwa"));
    if (!answer)
        return;
    MarginSet set;
    set.name = answer->left(kMaxSetNameLength).toStdString();
    for (const MarginSet& stored : MarginSets) {
        if (stored.name == set.name) {
            DialogService::instance().message(
                QStringLiteral("Ustawienia pod tą nazwą już istnieją"), QStringLiteral("Duplikat"),
                MsgIcon::Warning, MsgButtons::Ok);
            return;
        }
    }
    for (int page = 1; page <= 4; ++page)
        set.page[page - 1] = pageRect(page);
    set.A4 = PageSizeComboBox->currentIndex();
    set.Portrait = PageOrientationComboBox->currentIndex();
    if (bFunMarginWriteNewSettings(errors_, SettingsFilePath(errors_, false), set))
        LoadMarginSets();
    else
        showError(
            ErrorText("Błąd podczas próby zapisania nowych ustawień marginesów.\n\n", errors_));
}

void TFDrukuj::DeleteSettingsButtonClick()
{
    const QString name = MarginesyComboBox->currentText();
    const Answer answer = DialogService::instance().message(
        QStringLiteral("Czy na pewno chcesz skasować ustawienia: ") + name + QStringLiteral(" ?"),
        QStringLiteral("Kasowanie"), MsgIcon::Question, MsgButtons::YesNo, Answer::No);
    if (answer != Answer::Yes)
        return;
    if (!bFunMarginDeleteSettings(errors_, SettingsFilePath(errors_, false), name.toStdString()))
        showError(QStringLiteral("Błąd podczas próby kasowania ustawień marginesów."));
    LoadMarginSets();
}

void TFDrukuj::ResetButtonClick()
{
    const Answer answer = DialogService::instance().message(
        QStringLiteral("Czy na pewno chcesz przywrócić oryginalne ustawienia ?"),
        QStringLiteral("Przywracanie"), MsgIcon::Question, MsgButtons::YesNo, Answer::No);
    if (answer == Answer::No)
        return;
    if (bFunMarginRestoreOriginal(errors_, SettingsFilePath(errors_, true),
                                  SettingsFilePath(errors_, false)))
        LoadMarginSets();
    else
        showError(ErrorText("Błąd podczas próby przywrócenia ustawień dmyślnych.\n\n", errors_));
}

// The print window's manual is the data folder's copy, which the required-files check keeps.
void TFDrukuj::PomocButtonClick()
{
    OsServices::instance().openDocument(
        QString::fromStdString(JoinPath(strFunGetMainDirPath(errors_), "Dovivureze.html")));
}

void TFDrukuj::AnulujButtonClick()
{
    reject();
}

void TFDrukuj::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFDrukuj::FormClose()
{
    bFunSqlSettingWriteValue(errors_, "print_margin", MarginesyComboBox->currentIndex());
    bFunSqlSettingWriteValue(errors_, "print_margin",
                             MarginesyComboBox->currentText().toStdString());
}

QPrinter& TFDrukuj::printerObject()
{
    if (!printerObject_)
        printerObject_ = std::make_unique<QPrinter>();
    return *printerObject_;
}
