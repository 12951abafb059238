#include "tools/calibration/CalibrationSets.h"

#include "forms/Endings.h"
#include "forms/Layout.h"
#include "render/Catalogue.h"
#include "render/Fonts.h"
#include "store/CalibrationTable.h"
#include "store/CppSQLite3.h"
#include "store/SqlText.h"

#include <QFontMetricsF>

#include <filesystem>

namespace {

constexpr std::string_view kTwinSuffix = "_bk";
constexpr std::string_view kLeaderEnding = "_LINIA_Z_KROPEK";

// A leader's row is named after its field without the "ZMIENNA_" part and with the data
// marker replaced: it is neither listed among the variable fields of the calibration
// window nor taken for a text row ("ZMIENNA_Klasa_STR1_DATA_EDIT" → "Klasa_STR1_LINIA_Z_KROPEK").
QString LeaderName(const QString& component)
{
    QString name = component;
    name.remove(QStringLiteral("ZMIENNA_"));
    for (const QString& marker : {QStringLiteral("_DATA_EDIT"), QStringLiteral("_DATA_COMBOBOX"),
                                  QStringLiteral("_DATA_MEMO"), QStringLiteral("_DATA_LABEL")}) {
        if (name.endsWith(marker)) {
            name.chop(marker.size());
            break;
        }
    }
    return name +
           QString::fromUtf8(kLeaderEnding.data(), static_cast<qsizetype>(kLeaderEnding.size()));
}

CalibrationRecord Element(const QString& name, const PageRect& rect, const PrintFont& font)
{
    CalibrationRecord row;
    row.name = name.toStdString();
    row.x1 = rect.x1;
    row.y1 = rect.y1;
    row.x2 = rect.x2;
    row.y2 = rect.y2;
    row.font_name = font.name.toStdString();
    row.font_size = font.size;
    row.font_align = static_cast<int>(font.align);
    row.font_style_bold = font.bold;
    row.font_style_italic = font.italic;
    row.font_style_underline = font.underline;
    row.font_style_strike = font.strike;
    return row;
}

bool IsPrinted(const LayoutComponent& component)
{
    return component.kind == ComponentKind::Label
               ? component.name.contains(QStringLiteral("_DATA_LABEL"))
               : component.isStored();
}

// A certificate's memos are printed on pages 2 to 4 only; a sheet page prints every memo.
bool MemoPrinted(FormKind kind, int page)
{
    return kind != FormKind::Certificate || (page >= 2 && page <= 4);
}

void AppendComponent(std::vector<CalibrationRecord>& rows, const LayoutComponent& component,
                     FormKind kind, int page)
{
    if (!IsPrinted(component))
        return;
    if (component.kind == ComponentKind::Memo) {
        if (!MemoPrinted(kind, page))
            return;
        for (int line = 1; line <= component.lineLimit; ++line) {
            const QString name =
                component.name + QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
            rows.push_back(Element(name, component.memoLineRect(line), component.font));
        }
    } else {
        rows.push_back(Element(component.name, component.rect, component.font));
    }
    if (component.dots)
        rows.push_back(Element(LeaderName(component.name), *component.dots, component.font));
}

// The printed width of a text in a component's font, in page units, as the renderer prints it.
double PrintedWidth(const LayoutComponent& component, const QString& text)
{
    const PrintFont& f = component.font;
    const QFont font =
        MakePageFont(f.name, f.size, FontStyle{f.bold, f.italic, f.underline, f.strike});
    return QFontMetricsF(font).horizontalAdvance(text);
}

std::vector<CalibrationRecord> FormRows(const LayoutCatalog& layouts, const FormSpec& form)
{
    std::vector<CalibrationRecord> rows;
    for (const FormPage& formPage : form.pages) {
        const auto design = layouts.designs.constFind(formPage.design);
        if (design == layouts.designs.constEnd())
            continue;
        for (const DrawingElement& drawing : design->drawings)
            rows.push_back(Element(drawing.name, drawing.rect, PrintFont{}));
        QList<LayoutComponent> components = design->components;
        PlaceEndings(components, PrintedWidth, EndingBoxes::EndBeforeFollower);
        for (const LayoutComponent& component : components)
            AppendComponent(rows, component, form.kind, design->page);
    }
    return rows;
}

std::vector<CalibrationRecord> WithoutLeaders(std::vector<CalibrationRecord> rows)
{
    std::erase_if(rows,
                  [](const CalibrationRecord& row) { return row.name.ends_with(kLeaderEnding); });
    return rows;
}

std::vector<CalibrationRecord> PreviewFormRows(const LayoutCatalog& layouts, std::string_view set)
{
    const CalibrationPreview* preview = FindCalibrationPreview(set);
    if (!preview)
        return {};
    const FormSpec* form = layouts.form(QString::fromUtf8(
        preview->formClass.data(), static_cast<qsizetype>(preview->formClass.size())));
    return form ? FormRows(layouts, *form) : std::vector<CalibrationRecord>{};
}

}  // namespace

std::vector<CalibrationSetRows> BuildCalibrationSets(const LayoutCatalog& layouts)
{
    std::vector<CalibrationSetRows> sets;
    for (const std::string_view name : CalibrationSetNames()) {
        if (name.ends_with(kTwinSuffix) && !sets.empty() &&
            sets.back().name == name.substr(0, name.size() - kTwinSuffix.size())) {
            sets.push_back({std::string(name), WithoutLeaders(sets.back().rows)});
            continue;
        }
        sets.push_back({std::string(name), PreviewFormRows(layouts, name)});
    }
    return sets;
}

void WriteCalibrationFile(const std::string& path, const std::vector<CalibrationSetRows>& sets)
{
    std::filesystem::remove(path);
    CppSQLite3DB db;
    db.Open(path, CppSQLite3DB::OpenMode::Create);
    db.RunUpdate("BEGIN");
    for (const CalibrationSetRows& set : sets) {
        db.RunUpdate(CreateCalibrationSetSql(set.name));
        CppSQLite3Statement insert = db.PrepareStatement(
            "INSERT INTO " + SqlIdent(set.name) + " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const CalibrationRecord& r : set.rows) {
            int parameter = 1;
            insert.BindText(parameter++, r.name);
            for (int number : {r.x1, r.y1, r.x2, r.y2})
                insert.BindText(parameter++, std::to_string(number));
            insert.BindText(parameter++, r.font_name);
            for (int number : {r.font_size, r.font_align, r.font_style_bold, r.font_style_italic,
                               r.font_style_underline, r.font_style_strike})
                insert.BindText(parameter++, std::to_string(number));
            insert.Execute();
        }
    }
    db.RunUpdate("COMMIT");
    db.Close();
}
