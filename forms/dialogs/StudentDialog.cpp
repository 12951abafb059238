#include "forms/dialogs/StudentDialog.h"

#include "forms/Layout.h"
#include "forms/dialogs/DialogHost.h"
#include "forms/dialogs/StudentChecks.h"
#include "platform/DialogService.h"
#include "platform/InputFilter.h"
#include "platform/OsServices.h"
#include "store/CertFile.h"
#include "store/Folders.h"
#include "store/Towns.h"

#include <QCollator>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

TFDaneUcznia* FDaneUcznia = nullptr;

namespace {

const QString kImie = QStringLiteral("Imie_DATA_EDIT");
const QString kUrodzonyDnia = QStringLiteral("UrodzonyDnia_DATA_EDIT");
const QString kPlec = QStringLiteral("Plec_DATA_COMBOBOX");
const QString kUrodzonyRok = QStringLiteral("UrodzonyRok_DATA_COMBOBOX");
const QString kUrodzonyMiasto = QStringLiteral("UrodzonyMiasto_DATA_COMBOBOX");
const QString kUrodzonyWoj = QStringLiteral("UrodzonyWoj_DATA_COMBOBOX");
const QString kNrDziennika = QStringLiteral("NrDziennika_DATA_EDIT");
const QString kNazwisko = QStringLiteral("Nazwisko_DATA_EDIT");
const QString kNumerPesel = QStringLiteral("NumerPesel_DATA_EDIT");
const QString kMasculine = QStringLiteral("mężczyzna");
const QString kFeminine = QStringLiteral("kobieta");

QStringList birthYears()
{
    return BirthYearItems(OsServices::instance().utcNow().date().year());
}

// The town and voivodeship lists are sorted lists: letter case ignored, Polish order.
QStringList sortedForDisplay(const std::vector<std::string>& names)
{
    QStringList items;
    for (const auto& name : names)
        items << QString::fromStdString(name);
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return items;
}

}  // namespace

TFDaneUcznia::TFDaneUcznia(QWidget* parent)
    : FieldDialog(QStringLiteral("FDaneUcznia"), QStringLiteral("Dane ucznia"), parent)
{
    using Kind = DialogFields::Kind;
    fields_.add(kImie, Kind::Edit, 48);
    fields_.add(kUrodzonyDnia, Kind::Edit, 46);
    fields_.add(kPlec, Kind::PickList, 0, {kFeminine, kMasculine});
    fields_.add(kUrodzonyRok, Kind::Combo, 0, birthYears());
    fields_.add(kUrodzonyMiasto, Kind::Combo);
    fields_.add(kUrodzonyWoj, Kind::Combo);
    fields_.add(kNrDziennika, Kind::Edit, 48);
    fields_.add(kNazwisko, Kind::Edit, 48);
    fields_.add(kNumerPesel, Kind::Edit, 20);
    if (!FDaneUcznia) {
        FDaneUcznia = this;
        StudentData::install(this);
    }
}

TFDaneUcznia::~TFDaneUcznia()
{
    if (FDaneUcznia == this) {
        FDaneUcznia = nullptr;
        StudentData::install(nullptr);
    }
}

void TFDaneUcznia::ClearFields()
{
    const QString year = fields_.text(kUrodzonyRok);
    const QString town = fields_.text(kUrodzonyMiasto);
    const QString voivodeship = fields_.text(kUrodzonyWoj);
    fields_.clearAll();
    fields_.setText(kUrodzonyRok, year);
    fields_.setText(kUrodzonyMiasto, town);
    fields_.setText(kUrodzonyWoj, voivodeship);
}

bool TFDaneUcznia::CollectFields(std::vector<FieldRecord>& records) const
{
    fields_.collect(kFormKey, records);
    return true;
}

void TFDaneUcznia::FillFields(const std::vector<FieldRecord>& records)
{
    ClearFields();
    for (const FieldRecord& record : records) {
        if (record.id != kFormKey)
            continue;
        const QString name = QString::fromStdString(record.comp_name);
        // As in the document forms: a damaged file's value longer than a record can hold is
        // cut there, so that no form copies megabytes of it at every load.
        const QString value = QString::fromStdString(record.value).left(kMaxValueBytes);
        // The markers are matched with their case, the component's name without it.
        if (!StoredMarkersIn(name).any())
            continue;
        if (name.contains(u"Plec_DATA_COMBOBOX"))
            fields_.setText(name, value == kMasculine ? kMasculine : kFeminine);
        else
            fields_.setText(name, value);
    }
}

void TFDaneUcznia::buildWidgets(QVBoxLayout* layout)
{
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    auto* grid = new QGridLayout;
    // Rows in the tab order.
    const std::pair<QString, QString> rows[] = {
        {kNazwisko, QStringLiteral("nazwisko")},
        {kImie, QStringLiteral("imię")},
        {kPlec, QStringLiteral("płeć")},
        {kUrodzonyDnia, QStringLiteral("urodzony dnia")},
        {kUrodzonyRok, QStringLiteral("urodzony w roku")},
        {kUrodzonyMiasto, QStringLiteral("urodzony w (miasto)")},
        {kUrodzonyWoj, QStringLiteral("urodzony (województwo)")},
        {kNrDziennika, QStringLiteral("nr ucznia na świadectwie")},
        {kNumerPesel, QStringLiteral("numer PESEL")},
    };
    int row = 0;
    for (const auto& [name, caption] : rows) {
        DialogFields::Field& field = *fields_.find(name);
        QWidget* widget = fields_.createWidget(field, this);
        // Wide enough for its typing limit of average characters beside the frame.
        const int limitWidth = field.typingLimit * widget->fontMetrics().averageCharWidth() + 12;
        widget->setMinimumWidth(std::max(220, limitWidth));
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        grid->addWidget(label, row, 0);
        grid->addWidget(widget, row, 1);
        ++row;
    }
    layout->addLayout(grid);
}

void TFDaneUcznia::loadList(QStringView field, bool towns)
{
    ErrorStream& es = DialogErrorStream();
    std::vector<std::string> names;
    for (const QString& item : fields_.find(field)->items)
        names.push_back(item.toStdString());
    const bool loaded =
        towns ? bFunStudentDataLoadCityList(es, names) : bFunStudentDataLoadProvinceList(es, names);
    fields_.setItems(field, sortedForDisplay(names));
    if (!loaded)
        ShowDataError(towns ? QStringLiteral("Błąd podczas próby wczytania listy miast.\n")
                            : QStringLiteral("Błąd podczas próby wczytania listy województw.\n"));
}

void TFDaneUcznia::FormShow()
{
    // The years follow the clock: a program left running into a new year offers its years.
    fields_.setItems(kUrodzonyRok, birthYears());
    loadList(kUrodzonyMiasto, true);
    loadList(kUrodzonyWoj, false);
}

void TFDaneUcznia::refuse(const QString& message, QStringView field)
{
    DialogService::instance().message(message, QStringLiteral("Brak danych"), MsgIcon::Warning,
                                      MsgButtons::Ok);
    if (const DialogFields::Field* f = fields_.find(field); f && f->widget)
        f->widget->setFocus();
}

bool TFDaneUcznia::mayWriteTable(const std::string& path, const std::string& table)
{
    switch (iFunCheckIsStudentExists(DialogErrorStream(), path, table, true)) {
    case 0:
        return true;
    case 1: {
        // Whose data "Tak" would replace, as the tree names him (his table's name when even
        // that cannot be read).
        std::string holder;
        if (!ReadStudentName(DialogErrorStream(), path, table, holder))
            holder = table;
        return DialogService::instance().message(
                   QStringLiteral(
                       "Uczeń o tym numerze PESEL już istnieje, czy chcesz nadpisać dane "
                       "tego ucznia ?\n") +
                       QString::fromStdString(holder),
                   QStringLiteral("Zapis"), MsgIcon::Warning, MsgButtons::YesNo,
                   Answer::No) == Answer::Yes;
    }
    default:
        ShowDataError(QStringLiteral("Błąd zapisu danych.\n\n"));
        return false;
    }
}

bool TFDaneUcznia::saveStudent(const std::string& path, const std::string& table)
{
    DialogHost* host = DialogHost::current();
    if (!host || !host->SaveStudentData())
        return false;
    // A changed PESEL renames the student: the old table goes only once the new one holds
    // the data, so a failed save never loses the student.
    if (mode == EditStudent && table != editedTable) {
        if (!bFunDeleteTable(DialogErrorStream(), path, editedTable)) {
            ShowDataError(QStringLiteral(
                "Błąd podczas próby zapisu danych do pliku, zmiany nie zostały zapisane.\n\n"));
            return false;
        }
        editedTable = table;
        host->ReloadStudentsList();
    }
    return true;
}

void TFDaneUcznia::OKButtonClick()
{
    ErrorStream& es = DialogErrorStream();
    bFunStudentDataAddCity(es, fields_.text(kUrodzonyMiasto).toStdString());
    bFunStudentDataAddProvince(es, fields_.text(kUrodzonyWoj).toStdString());

    if (fields_.text(kNazwisko).isEmpty())
        return refuse(QStringLiteral("Nazwisko ucznia jest wymagane"), kNazwisko);
    if (fields_.text(kImie).isEmpty())
        return refuse(QStringLiteral("Imię ucznia jest wymagane"), kImie);
    if (fields_.text(kPlec).isEmpty())
        return refuse(QStringLiteral("Płeć ucznia jest wymagana"), kPlec);
    const QString pesel = fields_.text(kNumerPesel);
    if (FirstInvalidPeselChar(pesel) >= 0)
        return refuse(
            QStringLiteral("Numer PESEL nie jest prawidłowy lub zawiera nie dozwolone znaki"),
            kNumerPesel);

    fields_.setText(kImie, CapitaliseFirstLetter(fields_.text(kImie)));
    fields_.setText(kNazwisko, CapitaliseFirstLetter(fields_.text(kNazwisko)));

    const std::string path = DataTmpPath(es);
    const std::string table = StudentTableName(pesel.toStdString());
    const bool sameTable = mode == EditStudent && table == editedTable;
    if (!sameTable && !mayWriteTable(path, table))
        return;
    if (saveStudent(path, table))
        accept();
}
