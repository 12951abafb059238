#include "tests/render/RenderFixtures.h"

#include "store/CppSQLite3.h"

#include <QApplication>
#include <QPainter>
#include "store/SqlText.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Upper(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
    });
    return name;
}

template <typename Item>
std::vector<Item> ItemsOf(const PageImage& page)
{
    std::vector<Item> found;
    for (const PageItem& item : page.items()) {
        if (const auto* typed = std::get_if<Item>(&item))
            found.push_back(*typed);
    }
    return found;
}

}  // namespace

QImage RasterPage(const PageImage& page, double scale)
{
    QImage picture(QSize(qRound(PageImage::kWidth * scale), qRound(PageImage::kHeight * scale)),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.scale(scale, scale);
    page.replay(painter);
    return picture;
}

std::pair<int, int> InkColumns(const QImage& picture, int top, int bottom)
{
    int first = -1;
    int last = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, picture.height()); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != qRgb(255, 255, 255)) {
                first = first < 0 ? x : std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

FixtureForm& FixtureForm::text(const std::string& name, const QString& text)
{
    components_[Upper(name)] = Component{text, QFont(), 0};
    return *this;
}

FixtureForm& FixtureForm::memo(const std::string& name, const QStringList& lines)
{
    components_[Upper(name)] = Component{lines.join(u'\n'), QFont(), 0};
    return *this;
}

std::optional<RenderSource::Component> FixtureForm::findComponent(const std::string& name) const
{
    const auto found = components_.find(Upper(name));
    if (found == components_.end())
        return std::nullopt;
    return found->second;
}

CalibrationRecord Row(const std::string& name, int x1, int y1, int x2, int y2, int size, int align)
{
    CalibrationRecord row;
    row.name = name;
    row.x1 = x1;
    row.y1 = y1;
    row.x2 = x2;
    row.y2 = y2;
    row.font_name = "Times New Roman";
    row.font_size = size;
    row.font_align = align;
    return row;
}

void WriteCalibrationSet(const std::string& path, const std::string& set,
                         const std::vector<CalibrationRecord>& rows)
{
    CppSQLite3DB db;
    db.Open(path, CppSQLite3DB::OpenMode::Create);
    db.RunUpdate("DROP TABLE IF EXISTS " + SqlIdent(set));
    db.RunUpdate("CREATE TABLE " + SqlIdent(set) +
                 " (name TEXT, x1 INTEGER, y1 INTEGER, x2 INTEGER, y2 INTEGER, font_name TEXT, "
                 "font_size INTEGER,"
                 " font_align INTEGER, font_style_bold INTEGER, font_style_italic INTEGER,"
                 " font_style_underline INTEGER, font_style_strike INTEGER)");
    for (const CalibrationRecord& r : rows) {
        db.RunUpdate("INSERT INTO " + SqlIdent(set) + " VALUES (" + SqlValue(r.name) + "," +
                     SqlValue(r.x1) + "," + SqlValue(r.y1) + "," + SqlValue(r.x2) + "," +
                     SqlValue(r.y2) + "," + SqlValue(r.font_name) + "," + SqlValue(r.font_size) +
                     "," + SqlValue(r.font_align) + "," + SqlValue(r.font_style_bold) + "," +
                     SqlValue(r.font_style_italic) + "," + SqlValue(r.font_style_underline) + "," +
                     SqlValue(r.font_style_strike) + ")");
    }
    db.Close();
}

std::vector<TextRun> TextRuns(const PageImage& page)
{
    return ItemsOf<TextRun>(page);
}
std::vector<DotRow> DotRows(const PageImage& page)
{
    return ItemsOf<DotRow>(page);
}
std::vector<LineItem> Lines(const PageImage& page)
{
    return ItemsOf<LineItem>(page);
}
std::vector<RectItem> Rects(const PageImage& page)
{
    return ItemsOf<RectItem>(page);
}
std::vector<PictureItem> Pictures(const PageImage& page)
{
    return ItemsOf<PictureItem>(page);
}
