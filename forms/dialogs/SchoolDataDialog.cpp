#include "forms/dialogs/SchoolDataDialog.h"

#include "forms/FieldFitting.h"
#include "forms/Layout.h"
#include "forms/dialogs/DialogHost.h"
#include "platform/Fonts.h"
#include "platform/OsServices.h"
#include "platform/Pictures.h"
#include "store/Folders.h"
#include "store/Settings.h"
#include "store/Templates.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

TFDaneSzkoly* FDaneSzkoly = nullptr;

namespace {

struct EditSpec {
    const char* name;
    int limit;  // characters a person may type; 0 = none of its own
};

// The stored edits in component order, which is the order of the template's rows.
constexpr EditSpec kSchoolEdits[] = {
    {"ZMIENNA_ObowiazkoweZajEduArt5_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt3_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt4_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt2_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt1_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe5_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe4_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu6_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu5_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu4_DATA_EDIT", 40},
    {"ZMIENNA_OLetnim_DATA_EDIT", 32},
    {"ZMIENNA_KierunekWydzial_DATA_EDIT", 40},
    {"ZMIENNA_SzkolaWE_DATA_EDIT", 1},  // the "e" of "we": the certificates keep one letter
    {"ZMIENNA_ImieSzkoly2_DATA_EDIT", 57},
    {"ZMIENNA_ObowiazkoweEdu1_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu2_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu3_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe1_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe2_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe3_DATA_EDIT", 40},
    {"ZMIENNA_Szkola1_DATA_EDIT", 64},
    {"ZMIENNA_Szkola2_DATA_EDIT", 72},
    {"ZMIENNA_ImieSzkoly1_DATA_EDIT", 57},
    {"ZMIENNA_Klasa_DATA_EDIT", 18},
    {"ZMIENNA_MiejscowoscDnia_DATA_EDIT", 20},
    {"ZMIENNA_MiejscowoscRok_DATA_EDIT", 4},
    {"ZMIENNA_Miejscowosc_DATA_EDIT", 34},
    {"ZMIENNA_PromocjaDoKlasy_DATA_EDIT", 32},
    {"ZMIENNA_RokSzkolny1_DATA_EDIT", 4},
    {"ZMIENNA_RokSzkolny2_DATA_EDIT", 4},
    {"ZMIENNA_SzkolaMiasto_DATA_EDIT", 30},
    {"ZMIENNA_SzkolaWoj_DATA_EDIT", 32},
    {"ZMIENNA_Specjalizacja_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu7_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu8_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu9_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu10_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu11_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu12_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu13_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu14_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu15_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu16_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu17_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu18_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu19_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweEdu20_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe6_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe7_DATA_EDIT", 40},
    {"ZMIENNA_Nadobowiazkowe8_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt6_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt7_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt8_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt9_DATA_EDIT", 40},
    {"ZMIENNA_ObowiazkoweZajEduArt10_DATA_EDIT", 40},
    {"ZMIENNA_PrzedmiotOpis1_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotOpis2_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotOpis3_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotOpis4_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotUzOpis1_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotUzOpis2_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotUzOpis3_STR3_DATA_EDIT", 42},
    {"ZMIENNA_PrzedmiotUzOpis4_STR3_DATA_EDIT", 42},
    {"ZMIENNA_NazwaSzkoly_DATA_EDIT", 0},
    {"ZMIENNA_NazwaSzkoly1_DATA_EDIT", 0},
    {"ZMIENNA_NazwaSzkoly2_DATA_EDIT", 0},
    {"ZMIENNA_NazwaSzkoly3_DATA_EDIT", 0},
    {"ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez_DATA_EDIT", 0},
    {"ZMIENNA_SzkolaNiepPodNr_DATA_EDIT", 0},
    {"ZMIENNA_UprawnieniaNadanePrzez1_DATA_EDIT", 0},
    {"ZMIENNA_UprawnieniaNadanePrzez2_DATA_EDIT", 0},
    {"ZMIENNA_DecyzjaNr_DATA_EDIT", 0},
    {"ZMIENNA_DecyzjaZDnia_DATA_EDIT", 0},
};

// One line of a tab page: fixed texts and edits, left to right. "@Name" stands for the
// edit ZMIENNA_Name_DATA_EDIT.
using Line = QStringList;

// A numbered list in two columns, numbered along each line, in the order Tab visits the
// edits: the n-th subject typed is the n-th on every certificate. The names keep their
// numbers, so a stored template keeps its order on the certificates.
QList<Line> pairedLines(const QString& stem, int count, const QString& suffix = {})
{
    QList<Line> lines;
    for (int n = 1; n <= count; n += 2) {
        Line line{QStringLiteral("@%1%2%3").arg(stem).arg(n).arg(suffix)};
        if (n + 1 <= count)
            line << QStringLiteral("@%1%2%3").arg(stem).arg(n + 1).arg(suffix);
        lines << line;
    }
    return lines;
}

QList<Line> certificateLines()
{
    QList<Line> lines = {
        {"uczęszczała/uczęszczał w roku szkolnym", "@RokSzkolny1", "/", "@RokSzkolny2", "do klasy",
         "@Klasa"},
        {"@Szkola1"},
        {"@Szkola2"},
        {"( nazwa szkoły )"},
        {"im.", "@ImieSzkoly1"},
        {"@ImieSzkoly2"},
        {"w", "@SzkolaWE", "@SzkolaMiasto", "woj.", "@SzkolaWoj"},
        {"kierunek / wydział / specjalność", "@KierunekWydzial"},
        {"specjalizacja", "@Specjalizacja"},
        {"o", "@OLetnim", "letnim cyklu kształcenia."},
        {"otrzymała/otrzymał promocję do klasy", "@PromocjaDoKlasy"},
        {"Obowiązkowe zajęcia edukacyjne:"},
    };
    lines << pairedLines("ObowiazkoweEdu", 20);
    lines << Line{"Obowiązkowe zajęcia edukacyjne artystyczne:"};
    lines << pairedLines("ObowiazkoweZajEduArt", 10);
    lines << Line{"Nadobowiązkowe zajęcia pozalekcyjne / inne zajęcia edukacyjne"};
    lines << pairedLines("Nadobowiazkowe", 8);
    lines << Line{"przedmioty:"};
    lines << pairedLines("PrzedmiotOpis", 4, "_STR3");
    lines << Line{"zostały zrealizowane zgodnie z podstawą programową w zakresie rozszerzonym"};
    lines << Line{"przedmioty uzupełniające:"};
    lines << pairedLines("PrzedmiotUzOpis", 4, "_STR3");
    lines << Line{"@Miejscowosc", "dnia", "@MiejscowoscDnia", "@MiejscowoscRok", "r"};
    lines << Line{"(miejscowość)"};
    return lines;
}

// The grade sheet's title page whose school fields the second tab page holds: the page's
// fixed texts around them and the fields themselves stand where they stand on that page,
// so "Wczytaj szablon arkusza" puts each text where this dialog showed it.
constexpr const char* kSheetTitleDesign = "sheet283_str1";
constexpr const char* kSheetTitleComponents[] = {
    "ZMIENNA_NazwaSzkoly_DATA_EDIT",
    "ZMIENNA_NazwaSzkoly1_DATA_EDIT",
    "ZMIENNA_NazwaSzkoly2_DATA_EDIT",
    "ZMIENNA_NazwaSzkoly3_DATA_EDIT",
    "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez_DATA_EDIT",
    "ZMIENNA_SzkolaNiepPodNr_DATA_EDIT",
    "ZMIENNA_UprawnieniaNadanePrzez1_DATA_EDIT",
    "ZMIENNA_UprawnieniaNadanePrzez2_DATA_EDIT",
    "ZMIENNA_DecyzjaNr_DATA_EDIT",
    "ZMIENNA_DecyzjaZDnia_DATA_EDIT",
    "STALY_ArkuszOcenUcznia_DATA_LABEL",
    "STALY_Szkoly_DATA_LABEL",
    "STALY_NazwaSzkoly_DATA_LABEL",
    "STALY_SzkolaJestWpisanaDoEwidencji_DATA_LABEL",
    "STALY_SzkolaNiepWpisanaPodNr_DATA_LABEL",
    "STALY_SzkolaPosadaUprNadanePrzez_DATA_LABEL",
    "STALY_DecyzjaNr_DATA_LABEL",
    "STALY_DecyzjaZDnia_DATA_LABEL",
    "STALY_WypelniaSzkolaNiepubliczna_DATA_LABEL",
};

// The certificate blank's printed frame lies this far inside the page (page units); the
// lines of the first tab page stay within it.
constexpr int kCertificateFrameInset = 22;

// The printed font, made smaller where needed so that `caption` fits `box` whole.
QFont FittedFont(const PrintFont& printed, const QString& caption, const QSize& box)
{
    QFont font(printed.name);
    font.setBold(printed.bold);
    font.setItalic(printed.italic);
    int pixels =
        std::max(1, int(printed.size * (25.4 / 72.0) * (kPageWidth / 210.0) * kPictureScale + 0.5));
    for (;; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (pixels == 1 ||
            (metrics.height() <= box.height() && metrics.horizontalAdvance(caption) <= box.width()))
            return font;
    }
}

// The edits' font, smaller where a box is too low for it (an edit's frame takes 4 pixels).
QFont EditFont(int boxHeight)
{
    for (int pixels = 11;; --pixels) {
        const QFont font = DialogFont(pixels);
        if (pixels == 6 || QFontMetrics(font).height() + 4 <= boxHeight)
            return font;
    }
}

// A tab page's content: the blank it stands for, stretched and faded behind the fields.
class BlankBackdrop : public QWidget {
public:
    explicit BlankBackdrop(const QString& blank)
    {
        ErrorStream es;
        picture_ = PictureCache::instance().picture(QString::fromStdString(ProgramFolderPath(es)) +
                                                    QStringLiteral("/blanki/") + blank);
    }

    // Keeps the content's layout inside `frame` (page units) of the stretched blank.
    void keepInside(const PageRect& frame) { frame_ = frame; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (!frame_ || !layout())
            return;
        constexpr int kPadding = 6;
        const QRectF inside = toPicture(*frame_);
        const double sx = width() / double(kBlankWidth), sy = height() / double(kBlankHeight);
        const QMargins margins(int(std::ceil(inside.left() * sx)) + kPadding,
                               int(std::ceil(inside.top() * sy)) + kPadding,
                               int(std::ceil((kBlankWidth - inside.right()) * sx)) + kPadding,
                               int(std::ceil((kBlankHeight - inside.bottom()) * sy)) + kPadding);
        if (layout()->contentsMargins() != margins)
            layout()->setContentsMargins(margins);
    }

    void paintEvent(QPaintEvent*) override
    {
        if (picture_.isNull())
            return;
        QPainter painter(this);
        painter.setOpacity(0.3);
        painter.drawImage(rect(), picture_);
    }

private:
    QImage picture_;
    std::optional<PageRect> frame_;
};

}  // namespace

TFDaneSzkoly::TFDaneSzkoly(QWidget* parent)
    : FieldDialog(QStringLiteral("FDaneSzkoly"), QStringLiteral("Szablon danych"), parent,
                  Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowCloseButtonHint)
{
    for (const EditSpec& edit : kSchoolEdits)
        fields_.add(QString::fromLatin1(edit.name), DialogFields::Kind::Edit, edit.limit);
    // Seventy-three fields of typing: only "Anuluj" gives them up.
    keepOpenOnEscape();
    if (!FDaneSzkoly) {
        FDaneSzkoly = this;
        SchoolData::install(this);
    }
}

TFDaneSzkoly::~TFDaneSzkoly()
{
    if (FDaneSzkoly == this) {
        FDaneSzkoly = nullptr;
        SchoolData::install(nullptr);
    }
}

bool TFDaneSzkoly::load()
{
    ClearFields();
    return LoadSchoolTemplate();
}

void TFDaneSzkoly::ClearFields()
{
    fields_.clearAll();
}

bool TFDaneSzkoly::LoadSchoolTemplate()
{
    ErrorStream& es = DialogErrorStream();
    const std::string path = TemplatesFilePath(es);
    std::vector<FieldRecord> records;
    if (!bFunSqlTemplateReadData(es, path, kTemplateName, records)) {
        ShowDataError(QStringLiteral("Błąd podczas odczytu danych.\n\n"));
        return false;
    }
    for (const FieldRecord& record : records)
        fields_.setText(QString::fromStdString(record.comp_name),
                        QString::fromStdString(record.value));
    return true;
}

bool TFDaneSzkoly::SaveSchoolTemplate()
{
    ErrorStream& es = DialogErrorStream();
    const std::string path = TemplatesFilePath(es);
    std::vector<FieldRecord> records;
    fields_.collect(kFormKey, records);
    if (bFunSqlTemplateWriteData(es, path, kTemplateName, records))
        return true;
    ShowDataError(QStringLiteral("Błąd podczas próby zapisania danych do pliku.\n\n"));
    return false;
}

void TFDaneSzkoly::FormShow()
{
    const int year = OsServices::instance().utcNow().date().year();
    ClearFields();
    LoadSchoolTemplate();
    if (fields_.text(u"ZMIENNA_RokSzkolny1_DATA_EDIT").isEmpty())
        fields_.setText(u"ZMIENNA_RokSzkolny1_DATA_EDIT", QString::number(year - 1));
    if (fields_.text(u"ZMIENNA_RokSzkolny2_DATA_EDIT").isEmpty())
        fields_.setText(u"ZMIENNA_RokSzkolny2_DATA_EDIT", QString::number(year));
    ErrorStream ignored;
    bFunSqlSettingWriteValue(ignored, "create_school_data_template", 0);
}

void TFDaneSzkoly::OKButtonClick()
{
    // Typing is kept until it is saved: a failed save leaves the dialog open.
    if (SaveSchoolTemplate())
        accept();
}

QWidget* TFDaneSzkoly::buildCertificatePage()
{
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scrolls_ << scroll;
    auto* content = new BlankBackdrop(QStringLiteral("sw205_str1.jpg"));
    content->keepInside({kCertificateFrameInset, kCertificateFrameInset,
                         kPageWidth - kCertificateFrameInset,
                         kPageHeight - kCertificateFrameInset});
    auto* column = new QVBoxLayout(content);
    column->setSpacing(4);
    const int charWidth = fontMetrics().averageCharWidth();
    for (const QStringList& line : certificateLines()) {
        auto* row = new QHBoxLayout;
        QString word;  // the fixed text before an edit
        for (const QString& token : line) {
            if (!token.startsWith(u'@')) {
                row->addWidget(new QLabel(token, content));
                word = token;
                continue;
            }
            DialogFields::Field* field =
                fields_.find(QStringLiteral("ZMIENNA_%1_DATA_EDIT").arg(token.mid(1)));
            QWidget* edit = fields_.createWidget(*field, content);
            if (field->typingLimit > 0 && field->typingLimit <= kLetterBoxLetters) {
                // The ending of the word before it, as on the certificate.
                edit->setFixedWidth(LetterBoxWidth(edit->font(), true));
                edit->setToolTip(LetterBoxToolTip(word));
                row->addWidget(edit);
                continue;
            }
            // Widths follow the typing limits; an edit without one takes the whole line.
            const int width = field->typingLimit > 0 ? field->typingLimit : 80;
            edit->setMinimumWidth(charWidth * std::min(width, 24));
            row->addWidget(edit, width);
        }
        row->addStretch(1);
        column->addLayout(row);
    }
    column->addStretch(1);
    scroll->setWidget(content);
    return scroll;
}

QWidget* TFDaneSzkoly::buildSheetTitlePage()
{
    const PageDesign design =
        LayoutCatalog::builtIn().designs.value(QLatin1StringView(kSheetTitleDesign));
    auto* scroll = new QScrollArea;
    scrolls_ << scroll;
    auto* content = new BlankBackdrop(design.picture);
    content->setFixedSize(kBlankWidth, kBlankHeight);
    QList<LayoutComponent> shown;
    for (const LayoutComponent& c : design.components) {
        if (std::find(std::begin(kSheetTitleComponents), std::end(kSheetTitleComponents), c.name) !=
            std::end(kSheetTitleComponents))
            shown << c;
    }
    // Created from the top of the page down, so Tab goes down the page.
    std::stable_sort(shown.begin(), shown.end(),
                     [](const LayoutComponent& a, const LayoutComponent& b) {
                         return std::pair(a.rect.y1, a.rect.x1) < std::pair(b.rect.y1, b.rect.x1);
                     });
    for (const LayoutComponent& c : shown) {
        const QRect place = toPicture(c.rect).toRect();
        if (DialogFields::Field* field = fields_.find(c.name)) {
            QWidget* edit = fields_.createWidget(*field, content);
            edit->setGeometry(place);
            edit->setFont(EditFont(place.height()));
            continue;
        }
        auto* label = new QLabel(c.caption, content);
        label->setObjectName(c.name);
        label->setGeometry(place);
        label->setFont(FittedFont(c.font, c.caption, place.size()));
        label->setAlignment(ScreenAlignment(c.font.align));
    }
    scroll->setWidget(content);
    return scroll;
}

void TFDaneSzkoly::buildWidgets(QVBoxLayout* layout)
{
    pages_ = new QTabWidget(this);
    pages_->addTab(buildCertificatePage(), QStringLiteral("Szablon danych szkoły"));
    pages_->addTab(buildSheetTitlePage(), QStringLiteral("Szablon strony głównej arkusza ocen"));
    layout->addWidget(pages_, 1);
    resize(900, 700);
}

void TFDaneSzkoly::showEvent(QShowEvent* event)
{
    // Every showing starts at the top of the first page, where the school's name is.
    if (!event->spontaneous()) {
        pages_->setCurrentIndex(0);
        for (QScrollArea* scroll : std::as_const(scrolls_)) {
            scroll->verticalScrollBar()->setValue(0);
            scroll->horizontalScrollBar()->setValue(0);
        }
    }
    FieldDialog::showEvent(event);
}
