#include "render/CalibrationWindow.h"

#include "render/CalibrationHost.h"
#include "render/CalibrationLoad.h"
#include "render/Catalogue.h"
#include "render/PagePreviews.h"
#include "render/PreviewView.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"
#include "store/Folders.h"
#include "store/Log.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <stdexcept>

namespace {

constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

// The conversion of an edit's text to a whole number; anything else is the standard error.
int StrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || text.trimmed() != text)
        throw std::runtime_error("'" + text.toStdString() + "' is not a valid integer value");
    return value;
}

void ShowError(const QString& text)
{
    DialogService::instance().message(text, QStringLiteral("Błąd"), MsgIcon::Error, MsgButtons::Ok);
}

void PlaceLabel(QWidget* parent, const QString& caption, int left, int top)
{
    new PlacedLabel(caption, parent, QPoint(left, top));
}

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QToolButton* ArrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, int left, int top)
{
    auto* button = Place<QToolButton>(parent, name, left, top, 23, 22);
    button->setArrowType(arrow);
    return button;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width)
{
    auto* button = Place<QPushButton>(parent, name, left, top, width, 25);
    button->setText(caption);
    button->setAutoDefault(false);
    return button;
}

QImage BlankPreviewPicture()
{
    QImage picture(kPreviewPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, picture.width() - 1, picture.height() - 1);
    return picture;
}

}  // namespace

TFKalibracja::TFKalibracja(CalibrationHost& host, QWidget* parent)
    : WithDialogFontWhenShown(parent)
    , host_(host)
{
    setObjectName(QStringLiteral("FKalibracja"));
    setWindowTitle(QStringLiteral("Formatowanie"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);
    setFixedSize(355, 434);
    buildLayout();
    connectHandlers();
}

void TFKalibracja::buildLayout()
{
    PlaceLabel(this, QStringLiteral("Typ świadectwa:"), 8, 8);
    TypSwiadectwaComboBox = Place<QComboBox>(this, "TypSwiadectwaComboBox", 10, 24, 337, 21);
    TypSwiadectwaComboBox->addItems({
        QStringLiteral("ART-II/205/3 Świadectwo dla klasy I-V"),
        QStringLiteral("ART-II/205/3 Świadectwo dla klasy I-V bez kropek"),
        QStringLiteral("ART-II/205-w/3 Świadectwo dla klasy I-V z wyr"),
        QStringLiteral("ART-II/205-w/3 Świadectwo dla klasy I-V z wyr bez kropek"),
        QStringLiteral("ART-II/221/3 Świadectwo ukończenia"),
        QStringLiteral("ART-II/221/3 Świadectwo ukończenia bez kropek"),
        QStringLiteral("ART-II/221-w/3 Świadectwo ukończenia z wyr."),
        QStringLiteral("ART-II/221-w/3 Świadectwo ukończenia z wyr. bez kropek"),
        QStringLiteral("ART-II/283/3 Arkusz ocen str 1"),
        QStringLiteral("ART-II/283/3 Arkusz ocen str 2"),
        QStringLiteral("ART-II/283/3 Arkusz ocen str 3"),
        QStringLiteral("ART-II/283/3 Arkusz ocen str 4"),
    });
    TypSwiadectwaComboBox->setCurrentIndex(-1);
    PlaceLabel(this, QStringLiteral("Obiekt na świadectwie:"), 10, 48);
    VariableComboBox = Place<QComboBox>(this, "VariableComboBox", 10, 64, 337, 21);

    GroupBox1 = Place<QGroupBox>(this, "GroupBox1", 10, 90, 337, 137);
    GroupBox1->setTitle(QStringLiteral(" Współrzędne położenia obiektu "));
    const auto coordinate = [this](const char* name, const char* caption, int left, int top,
                                   int width) {
        PlaceLabel(GroupBox1, QString::fromLatin1(caption), left - 20, top + 4);
        auto* edit = Place<QLineEdit>(GroupBox1, name, left, top, width, 21);
        edit->setText(QStringLiteral("0"));
        return edit;
    };
    X1Edit = coordinate("X1Edit", "X1", 52, 25, 45);
    Y1Edit = coordinate("Y1Edit", "Y1", 123, 25, 45);
    X2Edit = coordinate("X2Edit", "X2", 194, 26, 45);
    Y2Edit = coordinate("Y2Edit", "Y2", 266, 26, 46);
    PlaceLabel(GroupBox1, QStringLiteral("Pozycja ( prawo/lewo )"), 12, 67);
    LeftSpeedButton = ArrowButton(GroupBox1, "LeftSpeedButton", Qt::LeftArrow, 150, 63);
    RightSpeedButton = ArrowButton(GroupBox1, "RightSpeedButton", Qt::RightArrow, 218, 63);
    PlaceLabel(GroupBox1, QStringLiteral("Pozycja ( góra/dół )"), 12, 94);
    UpSpeedButton = ArrowButton(GroupBox1, "UpSpeedButton", Qt::UpArrow, 150, 90);
    DownSpeedButton = ArrowButton(GroupBox1, "DownSpeedButton", Qt::DownArrow, 218, 90);

    GroupBox2 = Place<QGroupBox>(this, "GroupBox2", 10, 234, 337, 125);
    GroupBox2->setTitle(QStringLiteral(" Ustawienia czcionki "));
    PlaceLabel(GroupBox2, QStringLiteral("Rozmiar czcionki:"), 8, 26);
    UpFontSizeSpeedButton = ArrowButton(GroupBox2, "UpFontSizeSpeedButton", Qt::UpArrow, 105, 20);
    FontSizeEdit = Place<QLineEdit>(GroupBox2, "FontSizeEdit", 136, 24, 33, 21);
    FontSizeEdit->setReadOnly(true);
    DownFontSizeSpeedButton =
        ArrowButton(GroupBox2, "DownFontSizeSpeedButton", Qt::DownArrow, 173, 20);
    PlaceLabel(GroupBox2, QStringLiteral("Nazwa czcionki:"), 8, 52);
    FontsNameComboBox = Place<QComboBox>(GroupBox2, "FontsNameComboBox", 104, 48, 225, 21);
    FontsNameComboBox->setEditable(true);
    PlaceLabel(GroupBox2, QStringLiteral("Wyrównanie:"), 8, 76);
    AdjustmentComboBox = Place<QComboBox>(GroupBox2, "AdjustmentComboBox", 104, 72, 105, 21);
    AdjustmentComboBox->addItems({QStringLiteral("DO LEWEJ"), QStringLiteral("DO ŚRODKA"),
                                  QStringLiteral("DO PRAWEJ"), QStringLiteral("JUSTYFIKACJA")});
    const auto style = [this](const char* name, const QString& caption, int left) {
        auto* box = Place<QCheckBox>(GroupBox2, name, left, 100, 90, 17);
        box->setText(caption);
        return box;
    };
    PogrubienieCheckBox = style("PogrubienieCheckBox", QStringLiteral("Pogrubienie"), 3);
    KursywaCheckBox = style("KursywaCheckBox", QStringLiteral("Kursywa"), 80);
    PodkreslenieCheckBox = style("PodkreslenieCheckBox", QStringLiteral("Podkreślenie"), 144);
    PrzekreslenieCheckBox = style("PrzekreslenieCheckBox", QStringLiteral("Przekreślenie"), 232);

    PrzywrocUstawieniaButton =
        Button(this, "PrzywrocUstawieniaButton",
               QStringLiteral("Przywróć oryginalne ustawienia fomatowania"), 10, 367, 337);
    QFont bold = PrzywrocUstawieniaButton->font();
    bold.setBold(true);
    PrzywrocUstawieniaButton->setFont(bold);
    SaveButton = Button(this, "SaveButton", QStringLiteral("Zastosuj"), 185, 398, 75);
    SaveButton->setDefault(true);
    CloseButton = Button(this, "CloseButton", QStringLiteral("Zamknij"), 266, 398, 75);

    QWidget* const order[] = {CloseButton,
                              VariableComboBox,
                              SaveButton,
                              X1Edit,
                              X2Edit,
                              Y1Edit,
                              Y2Edit,
                              FontSizeEdit,
                              FontsNameComboBox,
                              AdjustmentComboBox,
                              PogrubienieCheckBox,
                              KursywaCheckBox,
                              PodkreslenieCheckBox,
                              PrzekreslenieCheckBox,
                              TypSwiadectwaComboBox,
                              PrzywrocUstawieniaButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    X1Edit->installEventFilter(this);
}

void TFKalibracja::connectHandlers()
{
    connect(TypSwiadectwaComboBox, &QComboBox::activated, this,
            [this] { TypSwiadectwaComboBoxChange(); });
    connect(VariableComboBox, &QComboBox::activated, this, [this] { VariableComboBoxChange(); });
    connect(LeftSpeedButton, &QToolButton::clicked, this, [this] { LeftSpeedButtonClick(); });
    connect(RightSpeedButton, &QToolButton::clicked, this, [this] { RightSpeedButtonClick(); });
    connect(UpSpeedButton, &QToolButton::clicked, this, [this] { UpSpeedButtonClick(); });
    connect(DownSpeedButton, &QToolButton::clicked, this, [this] { DownSpeedButtonClick(); });
    connect(UpFontSizeSpeedButton, &QToolButton::clicked, this,
            [this] { UpFontSizeSpeedButtonClick(); });
    connect(DownFontSizeSpeedButton, &QToolButton::clicked, this,
            [this] { DownFontSizeSpeedButtnClick(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(PrzywrocUstawieniaButton, &QPushButton::clicked, this,
            [this] { PrzywrocUstawieniaButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { CloseButtonClick(); });
}

template <typename Handler>
void TFKalibracja::guarded(Handler handler)
{
    try {
        handler();
    } catch (const std::runtime_error& e) {
        if (Application* application = Application::instance())
            application->showException(&e);
        else
            DialogService::instance().message(QString::fromStdString(e.what()), QString(),
                                              MsgIcon::Error, MsgButtons::Ok);
    }
}

void TFKalibracja::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFKalibracja::done(int result)
{
    FormClose();
    QDialog::done(result);
}

bool TFKalibracja::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == X1Edit && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            X1EditKeyDown(kKeyLeft);
            break;
        case Qt::Key_Up:
            X1EditKeyDown(kKeyUp);
            break;
        case Qt::Key_Right:
            X1EditKeyDown(kKeyRight);
            break;
        case Qt::Key_Down:
            X1EditKeyDown(kKeyDown);
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TFKalibracja::LoadCalibrationSet()
{
    RenderContext context = host_.renderContext();
    const std::string file = CalibrationFilePath(context.errors, false);
    return LoadCalibrationRows(context.errors, file,
                               TypSwiadectwaComboBox->currentText().toStdString(),
                               context.calibrationList);
}

void TFKalibracja::FillFontNames()
{
    FontsNameComboBox->clear();
    FontsNameComboBox->addItems(QFontDatabase::families());
}

void TFKalibracja::FormShow()
{
    // Until the set list holds the file's tables, its entries name no set: reapplying the
    // previous showing's choice would only fail.
    if (setListFromFile_) {
        LoadCalibrationSet();
    }
    FillFontNames();
    if (setListFromFile_) {
        TypSwiadectwaComboBox->setCurrentIndex(0);
        TypSwiadectwaComboBoxChange();
        VariableComboBox->setCurrentIndex(0);
        VariableComboBoxChange();
    }
    for (const std::string_view form : CalibrationSampleForms())
        host_.fillSampleData(form);
    RenderContext context = host_.renderContext();
    std::vector<std::string> sets;
    bFunCalibLoadCertList(context.errors, sets);
    TypSwiadectwaComboBox->clear();
    for (const std::string& set : sets)
        TypSwiadectwaComboBox->addItem(QString::fromStdString(set));
    setListFromFile_ = true;
    TypSwiadectwaComboBox->setCurrentIndex(0);
    TypSwiadectwaComboBoxChange();
}

void TFKalibracja::TypSwiadectwaComboBoxChange()
{
    if (!LoadCalibrationSet()) {
        ShowError(QStringLiteral("Błąd podczas próby wczytania zmiennych kalibracji.\n\n") +
                  QString::fromStdString(host_.renderContext().errors.str()));
        return;
    }
    VariableComboBox->clear();
    for (const CalibrationRecord& record : host_.renderContext().calibrationList) {
        if (AdvancedMode == 1 || record.name.find("ZMIENNA") != std::string::npos)
            VariableComboBox->addItem(QString::fromStdString(record.name));
    }
    VariableComboBox->setCurrentIndex(VariableComboBox->count() > 0 ? 0 : -1);
    VariableComboBoxChange();
}

void TFKalibracja::showRecord(const CalibrationRecord& record)
{
    X1Edit->setText(QString::number(record.x1));
    Y1Edit->setText(QString::number(record.y1));
    X2Edit->setText(QString::number(record.x2));
    Y2Edit->setText(QString::number(record.y2));
    FontSizeEdit->setText(QString::number(record.font_size));
    FontsNameComboBox->setEditText(QString::fromStdString(record.font_name));
    AdjustmentComboBox->setCurrentIndex(
        record.font_align >= 0 && record.font_align <= 3 ? record.font_align : -1);
    PogrubienieCheckBox->setChecked(record.font_style_bold != 0);
    KursywaCheckBox->setChecked(record.font_style_italic != 0);
    PodkreslenieCheckBox->setChecked(record.font_style_underline != 0);
    PrzekreslenieCheckBox->setChecked(record.font_style_strike != 0);
}

void TFKalibracja::VariableComboBoxChange()
{
    const std::string name = VariableComboBox->currentText().toStdString();
    for (const CalibrationRecord& record : host_.renderContext().calibrationList) {
        if (record.name == name) {
            showRecord(record);
            break;
        }
    }
    PreviewCalibrationType(TypSwiadectwaComboBox->currentText().toStdString());
}

void TFKalibracja::PreviewCalibrationType(const std::string& set)
{
    NoDotsOption noDots{};
    const CalibrationPreview* preview = FindCalibrationPreview(set, &noDots);
    if (!preview)
        return;
    if (noDots != NoDotsOption::NotTouched)
        host_.setPrintNoDots(noDots == NoDotsOption::Checked);
    const RenderSource* form = host_.documentForm(preview->formClass);
    if (!form)
        return;
    selectedRow_ = VariableComboBox->currentText().toStdString();
    RenderContext context = host_.renderContext();
    context.selectedRow = &selectedRow_;
    RenderPages(context, *form, RenderPreview, preview->type, preview->pages, false, false);
}

void TFKalibracja::shift(QLineEdit* first, QLineEdit* second, int by)
{
    guarded([&] {
        first->setText(QString::number(StrToInt(first->text()) + by));
        if (second)
            second->setText(QString::number(StrToInt(second->text()) + by));
    });
}

void TFKalibracja::LeftSpeedButtonClick()
{
    shift(X1Edit, X2Edit, -1);
}
void TFKalibracja::RightSpeedButtonClick()
{
    shift(X1Edit, X2Edit, 1);
}
void TFKalibracja::UpSpeedButtonClick()
{
    shift(Y1Edit, Y2Edit, -1);
}
void TFKalibracja::DownSpeedButtonClick()
{
    shift(Y1Edit, Y2Edit, 1);
}
void TFKalibracja::UpFontSizeSpeedButtonClick()
{
    shift(FontSizeEdit, nullptr, 1);
}
void TFKalibracja::DownFontSizeSpeedButtnClick()
{
    shift(FontSizeEdit, nullptr, -1);
}

void TFKalibracja::SaveButtonClick()
{
    guarded([this] {
        CalibrationRecord record;
        record.x1 = StrToInt(X1Edit->text());
        record.y1 = StrToInt(Y1Edit->text());
        record.x2 = StrToInt(X2Edit->text());
        record.y2 = StrToInt(Y2Edit->text());
        record.font_size = StrToInt(FontSizeEdit->text());
        record.font_name = FontsNameComboBox->currentText().toStdString();
        record.font_align = AdjustmentComboBox->currentIndex();
        record.font_style_bold = PogrubienieCheckBox->isChecked();
        record.font_style_italic = KursywaCheckBox->isChecked();
        record.font_style_underline = PodkreslenieCheckBox->isChecked();
        record.font_style_strike = PrzekreslenieCheckBox->isChecked();
        record.name = VariableComboBox->currentText().toStdString();

        ErrorStream& errors = host_.renderContext().errors;
        const std::string file = CalibrationFilePath(errors, false);
        if (!bFunSqlCalibUpdateValue(errors, file,
                                     TypSwiadectwaComboBox->currentText().toStdString(), record))
            ShowError(QStringLiteral("Błąd podczas próby zapisania danych kalibracji.\n\n") +
                      QString::fromStdString(errors.str()));

        const QString row = VariableComboBox->currentText();
        LoadCalibrationSet();
        VariableComboBox->setCurrentIndex(
            VariableComboBox->findText(row, Qt::MatchExactly | Qt::MatchCaseSensitive));
        VariableComboBoxChange();
    });
}

void TFKalibracja::X1EditKeyDown(int key)
{
    switch (key) {
    case kKeyLeft:
        LeftSpeedButtonClick();
        break;
    case kKeyUp:
        UpSpeedButtonClick();
        break;
    case kKeyRight:
        RightSpeedButtonClick();
        break;
    case kKeyDown:
        DownSpeedButtonClick();
        break;
    default:
        return;
    }
    SaveButtonClick();
    X1Edit->setFocus();
}

void TFKalibracja::PrzywrocUstawieniaButtonClick()
{
    const Answer answer = DialogService::instance().message(
        QStringLiteral("Czy na pewno chcesz przywrócić oryginalne ustawienia ?"),
        QStringLiteral("Przywracanie"), MsgIcon::None, MsgButtons::YesNo, Answer::No);
    if (answer == Answer::Yes) {
        ErrorStream& errors = host_.renderContext().errors;
        const std::string source = CalibrationFilePath(errors, true);
        const std::string target = CalibrationFilePath(errors, false);
        if (!bFunCopyFile(errors, source, target, false)) {
            errors.clear();
            errors << "Błąd podczas próby przywrócenia oryginalnego pliku kalibracji.\nŹródło: "
                   << source << "\nCel: " << target;
            LogWrite(errors, "PrzywrocUstawieniaButtonClick()", 0);
            ShowError(QString::fromStdString(errors.str()));
        }
    }
    TypSwiadectwaComboBoxChange();
}

void TFKalibracja::CloseButtonClick()
{
    host_.ReloadStudentsList();
    reject();
}

void TFKalibracja::FormClose()
{
    if (PreviewView* view = host_.renderContext().view) {
        const QImage blank = BlankPreviewPicture();
        view->setPreviewPicture(1, blank);
        view->setPreviewPicture(2, blank);
    }
}
