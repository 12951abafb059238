// Breaking a 10 MB memo value into the lines of a 417-pixel memo: one word without a
// blank, and ordinary words. Each time is printed beside a floor measured in the same
// run: measuring the whole text's advance in 4 KB pieces, which any breaker must at
// least do.
// Usage: linebreak_bench [megabytes]
#include "platform/Fonts.h"
#include "platform/LineBreaker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

double Ms(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Report(const char* what, double measured, double floor, qsizetype lines)
{
    std::printf("%-24s %9.1f ms   floor %8.1f ms   ratio %6.2f   %lld lines\n", what, measured, floor,
                measured / floor, static_cast<long long>(lines));
}

double MeasureFloor(const QString& text, const QFont& font)
{
    return Ms([&] {
        const QFontMetricsF metrics(font);
        qreal total = 0;
        for (qsizetype at = 0; at < text.size(); at += 4096)
            total += metrics.horizontalAdvance(text.mid(at, 4096));
        if (total < 0)
            std::printf("?\n");
    });
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    const qsizetype size = qsizetype(argc > 1 ? std::max(1, std::atoi(argv[1])) : 10) * 1024 * 1024;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(12);  // a memo's printed font at screen scale, as the forms set it
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    constexpr int kWidth = 405;

    const QString word(size, QLatin1Char('w'));
    QString words;
    words.reserve(size);
    const QString sample = QStringLiteral("Laureat konkursu pianistycznego w Krakowie i Gdańsku, ");
    while (words.size() < size)
        words += sample;
    words.truncate(size);

    for (const auto& [what, text] : {std::pair{"one 10 MB word", &word}, std::pair{"10 MB of words", static_cast<const QString*>(&words)}}) {
        qsizetype lines = 0;
        const double ms = Ms([&] { lines = BreakLines(*text, font, kWidth).size(); });
        Report(what, ms, MeasureFloor(*text, font), lines);
    }
    return 0;
}
