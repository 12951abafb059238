// Breaking a 10 MB memo value into the lines of a 405-pixel memo: one word without a
// blank, and ordinary words. The floor is the least any breaker does: it reads every
// character's advance from a table filled beforehand, and copies the text out as lines
// wherever the advances pass the width.
// Usage: linebreak_bench [megabytes] [runs]
#include "bench/support/BenchTiming.h"
#include "platform/Fonts.h"
#include "platform/LineBreaker.h"

#include <QApplication>
#include <QFontMetricsF>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWidth = 405;

// The advance of every character of `text`, in 1/64 pixel, indexed by the character.
std::unique_ptr<std::array<qint64, 0x10000>> AdvancesOf(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    auto advances = std::make_unique<std::array<qint64, 0x10000>>();
    advances->fill(-1);
    for (const QChar c : text)
        if ((*advances)[c.unicode()] < 0)
            (*advances)[c.unicode()] = qRound64(metrics.horizontalAdvance(c) * 64);
    return advances;
}

QStringList FloorLines(const QString& text, const std::array<qint64, 0x10000>& advances)
{
    QStringList lines;
    qint64 sum = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        sum += advances[text.at(i).unicode()];
        if (sum > kWidth * 64) {
            lines << text.mid(from, i - from);
            from = i;
            sum = advances[text.at(i).unicode()];
        }
    }
    lines << text.mid(from);
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    const qsizetype size = qsizetype(argc > 1 ? std::max(1, std::atoi(argv[1])) : 10) * 1024 * 1024;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(12);  // a memo's printed font at screen scale, as the forms set it
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);

    const QString word(size, QLatin1Char('w'));
    QString words;
    words.reserve(size);
    const QString sample = QStringLiteral("Laureat konkursu pianistycznego w Krakowie i Gdańsku, ");
    while (words.size() < size)
        words += sample;
    words.truncate(size);

    for (const auto& [what, source] :
         {std::pair{"one 10 MB word", &word},
          std::pair{"10 MB of words", static_cast<const QString*>(&words)}}) {
        const QString* text = source;  // a lambda may not capture a structured binding
        const auto table = AdvancesOf(*text, font);
        qsizetype lines = 0;
        qsizetype floorLines = 0;
        const auto times = Alternate(
            runs, [&] { lines = BreakLines(*text, font, kWidth).size(); },
            [&] { floorLines = FloorLines(*text, *table).size(); });
        Report(what, times);
        std::printf("    %lld lines (floor %lld)\n", static_cast<long long>(lines),
                    static_cast<long long>(floorLines));
    }
    return 0;
}
