// Preview render of a four-page certificate and the preview composition, each printed
// beside a floor measured in the same run:
//  - render floor: the same texts painted straight onto four preview pictures with QPainter
//    after the same set load (what any renderer must at least do);
//  - composition floor: copying the four backgrounds into preview pictures.
// Usage: render_bench [repetitions]
#include "render/Fonts.h"
#include "render/PagePreviews.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/Pictures.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>
#include <array>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

constexpr int kFourPageType = 5;   // ART-II/201/3c, set "swiad_201c"

double MedianMs(int repetitions, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double measured, double floor)
{
    std::printf("%-34s %9.3f ms   floor %9.3f ms   ratio %6.2f\n", what, measured, floor, measured / floor);
}

// The factory ART-II/205 rows spread over four pages: pages 1 and 2 as they are, their
// copies on pages 3 and 4.
std::vector<CalibrationRecord> FourPageRows()
{
    ErrorStream errors;
    std::vector<CalibrationRecord> rows;
    if (!bFunCalibLoadData(errors, std::string(VLM_PROGRAM_DIR) + "/vlm_kalibracja.sqset", "swiad_205", rows)) {
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

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureApplication();
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    TempFolders folders;
    const std::filesystem::path pictures = std::filesystem::path(VLM_PROGRAM_DIR) / "grafika";
    if (std::filesystem::exists(pictures))
        std::filesystem::copy(pictures, folders.dataFile("grafika"), std::filesystem::copy_options::recursive);
    const std::vector<CalibrationRecord> rows = FourPageRows();
    WriteCalibrationSet(folders.dataFile("vlm_kalibracja.sqset"), "swiad_201c", rows);

    FixtureForm form;
    for (const CalibrationRecord& row : rows) {
        if (row.name.find("_DATA_MEMO") != std::string::npos)
            form.memo(row.name.substr(0, row.name.size() - 2), {"pierwsza linia uwag", "druga linia uwag"});
        else
            form.text(row.name, QStringLiteral("Przykładowy tekst pola"));
    }

    FixtureMainWindow window;
    window.options.strikeEmpty = true;
    RenderContext context = window.context();
    const PageImages& pages = window.pages;

    const double render = MedianMs(repetitions, [&] { RenderPages(context, form, RenderPreview, kFourPageType, 4, false, false); });
    const double renderFloor = MedianMs(repetitions, [&] {
        std::vector<CalibrationRecord> loaded;
        ErrorStream es;
        bFunCalibLoadData(es, folders.dataFile("vlm_kalibracja.sqset"), "swiad_201c", loaded);
        std::array<QImage, 4> sheets;
        std::array<std::unique_ptr<QPainter>, 4> painters;
        for (std::size_t n = 0; n < 4; ++n) {
            sheets[n] = QImage(kPreviewPictureSize, QImage::Format_RGB32);
            sheets[n].fill(Qt::white);
            painters[n] = std::make_unique<QPainter>(&sheets[n]);
        }
        for (const CalibrationRecord& row : loaded) {
            QPainter& painter = *painters[row.name.find("STR1") != std::string::npos ? 0 : 1];
            painter.setFont(MakePageFont(QString::fromStdString(row.font_name), row.font_size, {}));
            painter.drawText(QRect(row.x1, row.y1, row.x2 - row.x1, row.y2 - row.y1), Qt::AlignLeft, QStringLiteral("Przykładowy tekst pola"));
        }
    });

    QImage background = LoadPicture(QString::fromStdString(folders.dataFile("grafika/sw_str2_prw.bmp")));
    if (background.isNull()) {
        background = QImage(kPreviewPictureSize, QImage::Format_RGB32);
        background.fill(Qt::white);
    }
    const double compose = MedianMs(repetitions, [&] {
        for (const PageImage& page : pages)
            ComposePreviewPicture(background, page);
    });
    const double composeFloor = MedianMs(repetitions, [&] {
        for (int n = 0; n < 4; ++n) {
            QImage copy = background.convertToFormat(QImage::Format_RGB32);
            copy.detach();
        }
    });

    std::printf("rows per render: %zu, repetitions: %d (medians)\n", rows.size(), repetitions);
    Report("preview render, 4-page certificate", render, renderFloor);
    Report("preview composition, 4 pages", compose, composeFloor);
    return 0;
}
