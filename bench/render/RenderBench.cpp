// Preview render of a four-page certificate and the preview composition, each beside a
// floor that does the same visible work with bare QPainter, alternating in one run:
//  - render floor: the same set read from the same file, the four preview pictures
//    filled from the already decoded backgrounds, every text of the render drawn at its
//    row with its font, each dot leader as one text of dots;
//  - composition floor: the same background copies and texts, without the set read.
// Usage: render_bench [repetitions]
#include "bench/support/BenchTiming.h"
#include "render/Fonts.h"
#include "render/PagePreviews.h"
#include "render/PreviewView.h"
#include "render/RenderPages.h"
#include "render/RowClassifier.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/Pictures.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"

#include <QPainter>

#include <cstring>
#include <memory>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kFourPageType = 5;  // ART-II/201/3c, set "swiad_201c"

// The factory ART-II/205 rows spread over four pages: pages 1 and 2 as they are, their
// copies on pages 3 and 4.
std::vector<CalibrationRecord> FourPageRows()
{
    ErrorStream errors;
    std::vector<CalibrationRecord> rows;
    if (!bFunCalibLoadData(errors, std::string(VLM_PROGRAM_DIR) + "/vlm_kalibracja.sqset",
                           "swiad_205", rows)) {
        std::fprintf(stderr, "%s\n", errors.str().c_str());
        std::exit(1);
    }
    const std::size_t twoPages = rows.size();
    for (std::size_t i = 0; i < twoPages; ++i) {
        CalibrationRecord copy = rows[i];
        for (const auto& [from, to] : {std::pair{"STR1", "STR3"}, std::pair{"STR2", "STR4"}}) {
            if (const auto at = copy.name.find(from); at != std::string::npos) {
                copy.name.replace(at, 4, to);
                rows.push_back(copy);
                break;
            }
        }
    }
    return rows;
}

// The main window's preview: it shows the pictures it is handed without copying them.
class ShowingPreview : public PreviewView {
public:
    void setActivePageTab(int) override {}
    void setPageScroll(int, int) override {}
    void setPageTabVisible(int, bool) override {}
    void setPreviewPicture(int page, const QImage& picture) override
    {
        shown[std::size_t(page - 1)] = picture;
    }
    std::array<QImage, 4> shown;
};

const QString kText = QStringLiteral("Przykładowy tekst pola");

// What the floor draws: the render's texts at their rows, a dot leader as one text.
void DrawFloorTexts(const std::vector<CalibrationRecord>& rows, std::array<QImage, 4>& pictures,
                    const std::array<QImage, 4>& backgrounds)
{
    std::array<std::unique_ptr<QPainter>, 4> painters;
    for (std::size_t n = 0; n < 4; ++n) {
        if (pictures[n].isNull())
            pictures[n] = QImage(backgrounds[n].size(), QImage::Format_RGB32);
        std::memcpy(pictures[n].bits(), backgrounds[n].constBits(),
                    std::size_t(backgrounds[n].sizeInBytes()));
        painters[n] = std::make_unique<QPainter>(&pictures[n]);
        painters[n]->translate(kPreviewPageRect.topLeft());
        painters[n]->scale(double(kPreviewPageRect.width()) / PageImage::kWidth,
                           double(kPreviewPageRect.height()) / PageImage::kHeight);
    }
    for (const CalibrationRecord& row : rows) {
        const RowClass what = ClassifyRow(row.name, true);
        QPainter& painter = *painters[std::size_t(what.page - 1)];
        if (what.kind == RowKind::DotLeader) {
            painter.setFont(MakePageFont(QString::fromStdString(row.font_name), 14, {}));
            painter.drawText(QPoint(row.x1, row.y2), QString((row.x2 - row.x1 + 5) / 6, u'.'));
        } else if (what.kind == RowKind::Text || what.kind == RowKind::MemoLine) {
            painter.setFont(MakePageFont(QString::fromStdString(row.font_name), row.font_size, {}));
            painter.drawText(QRect(row.x1, row.y1, row.x2 - row.x1, row.y2 - row.y1),
                             Qt::AlignLeft | Qt::AlignBottom | Qt::TextDontClip, kText);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureApplication();
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    TempFolders folders;
    const std::filesystem::path pictures = std::filesystem::path(VLM_PROGRAM_DIR) / "grafika";
    if (std::filesystem::exists(pictures))
        std::filesystem::copy(pictures, folders.dataFile("grafika"),
                              std::filesystem::copy_options::recursive);
    const std::vector<CalibrationRecord> rows = FourPageRows();
    WriteCalibrationSet(folders.dataFile("vlm_kalibracja.sqset"), "swiad_201c", rows);

    FixtureForm form;
    for (const CalibrationRecord& row : rows) {
        if (row.name.find("_DATA_MEMO") != std::string::npos)
            form.memo(row.name.substr(0, row.name.size() - 2),
                      {"pierwsza linia uwag", "druga linia uwag"});
        else
            form.text(row.name, QStringLiteral("Przykładowy tekst pola"));
    }

    FixtureMainWindow window;
    window.options.strikeEmpty = true;
    ShowingPreview preview;
    RenderContext context = window.context();
    context.view = &preview;
    const PageImages& pages = window.pages;
    const std::string setFile = folders.dataFile("vlm_kalibracja.sqset");

    // The floor's backgrounds, decoded once: page 1 and pages 2 to 4.
    std::array<QImage, 4> backgrounds;
    for (std::size_t n = 0; n < 4; ++n) {
        backgrounds[n] =
            LoadPicture(QString::fromStdString(folders.dataFile(
                            n == 0 ? "grafika/sw_str1_prw.bmp" : "grafika/sw_str2_prw.bmp")))
                .convertToFormat(QImage::Format_RGB32);
        if (backgrounds[n].isNull()) {
            std::fprintf(stderr, "no preview background in %s\n",
                         folders.dataFile("grafika").c_str());
            return 1;
        }
    }
    std::array<QImage, 4> floorPictures;

    const auto render = Alternate(
        repetitions,
        [&] { RenderPages(context, form, RenderPreview, kFourPageType, 4, false, false); },
        [&] {
            std::vector<CalibrationRecord> loaded;
            ErrorStream es;
            bFunCalibLoadData(es, setFile, "swiad_201c", loaded);
            DrawFloorTexts(loaded, floorPictures, backgrounds);
        });
    std::array<QImage, 4> composed;
    const auto compose = Alternate(
        repetitions,
        [&] {
            for (std::size_t n = 0; n < 4; ++n)
                ComposePreviewPictureInto(composed[n], backgrounds[n], pages[n]);
        },
        [&] { DrawFloorTexts(window.list, floorPictures, backgrounds); });

    std::printf("rows per render: %zu, repetitions: %d; median (min-max)\n", rows.size(),
                repetitions);
    Report("preview render, 4-page certificate", render, 2.0, 10.0);
    Report("preview composition, 4 pages", compose, 5.0);
    return 0;
}
