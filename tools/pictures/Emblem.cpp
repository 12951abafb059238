#include "tools/pictures/Emblem.h"

#include <cmath>
#include <numbers>
#include <vector>

#include <QPointF>
#include <QString>

namespace pictures {
namespace {

// The drawing is 200 x 240 units, symmetric about x = 100 except for the head.
constexpr double kAxis = 100.0;
const char* const kInk = "#1e1e1e";

QString Num(double v)
{
    return QString::number(std::round(v * 10.0) / 10.0, 'f', 1);
}

QString Pt(QPointF p)
{
    return Num(p.x()) + QLatin1Char(' ') + Num(p.y());
}

QPointF Mirror(QPointF p)
{
    return {2 * kAxis - p.x(), p.y()};
}

struct Feather {
    QString outline; // filled shape
    QString shaft;   // the white line along it
};

// One flight feather fanning out of the shoulder at `degrees` (SVG angles: y grows downwards).
Feather MakeFeather(QPointF shoulder, double degrees, double length, double width, bool mirrored)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const QPointF d(std::cos(a), std::sin(a));
    const QPointF n(-d.y(), d.x());
    const QPointF base = shoulder + d * 16.0;
    const QPointF tip = shoulder + d * length;
    auto place = [&](QPointF p) { return mirrored ? Mirror(p) : p; };
    const QPointF b1 = place(base + n * (width / 2));
    const QPointF t1 = place(tip + n * (width / 2) - d * (width / 2));
    const QPointF end = place(tip + d * (width / 2));
    const QPointF t2 = place(tip - n * (width / 2) - d * (width / 2));
    const QPointF b2 = place(base - n * (width / 2));
    Feather f;
    f.outline = QStringLiteral("M %1 L %2 Q %3 %4 L %5 Z").arg(Pt(b1), Pt(t1), Pt(end), Pt(t2), Pt(b2));
    f.shaft = QStringLiteral("M %1 L %2").arg(Pt(place(base + d * 10.0)), Pt(place(tip - d * 4.0)));
    return f;
}

// A polygon of the left half and its mirror image.
QString PolygonPair(const std::vector<QPointF>& left)
{
    QString a = QStringLiteral("M ") + Pt(left.front());
    QString b = QStringLiteral("M ") + Pt(Mirror(left.front()));
    for (std::size_t i = 1; i < left.size(); ++i) {
        a += QStringLiteral(" L ") + Pt(left[i]);
        b += QStringLiteral(" L ") + Pt(Mirror(left[i]));
    }
    return a + QStringLiteral(" Z ") + b + QStringLiteral(" Z");
}

QString Path(const QString& d, const char* fill, const char* stroke = nullptr, double strokeWidth = 0.0)
{
    QString s = QStringLiteral("  <path d=\"%1\" fill=\"%2\"").arg(d, QLatin1String(fill));
    if (stroke)
        s += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\"").arg(QLatin1String(stroke), Num(strokeWidth));
    return s + QStringLiteral("/>\n");
}

} // namespace

QByteArray EmblemSvg()
{
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
        "width=\"200\" height=\"240\" viewBox=\"0 0 200 240\">\n"
        "  <title>orzel</title>\n");

    // Raised wings: seven flight feathers on each side, fanning from down-out to up-out.
    const QPointF shoulder(84.0, 96.0);
    const double angles[] = {146.0, 162.0, 178.0, 194.0, 210.0, 226.0, 242.0};
    const double lengths[] = {56.0, 66.0, 74.0, 79.0, 80.0, 77.0, 68.0};
    QString feathers;
    QString shafts;
    for (bool mirrored : {false, true}) {
        for (int i = 0; i < 7; ++i) {
            const Feather f = MakeFeather(shoulder, angles[i], lengths[i], 14.0, mirrored);
            feathers += f.outline + QLatin1Char(' ');
            shafts += f.shaft + QLatin1Char(' ');
        }
    }
    svg += Path(feathers.trimmed(), kInk);
    svg += Path(shafts.trimmed(), "none", "#ffffff", 1.0);

    // Wing coverts over the feathers' roots, body, tail and talons.
    svg += Path(PolygonPair({{90, 82}, {70, 74}, {54, 80}, {46, 94}, {52, 110}, {70, 118}, {90, 114}}), kInk);
    svg += QStringLiteral("  <ellipse cx=\"100\" cy=\"124\" rx=\"17\" ry=\"34\" fill=\"%1\"/>\n").arg(QLatin1String(kInk));
    svg += Path(QStringLiteral("M 88 148 L 76 198 L 88 191 L 94 206 L 100 195 L 106 206 L 112 191 L 124 198 L 112 148 Z"), kInk);
    svg += Path(PolygonPair({{93, 146}, {72, 162}, {62, 176}, {68, 173}, {69, 183}, {74, 172}, {81, 179}, {79, 168}, {97, 154}}), kInk);

    // Neck and head, turned to the eagle's right (the viewer's left), with the crown above.
    svg += Path(QStringLiteral("M 91 98 Q 87 82 89 70 L 106 70 Q 112 84 109 98 Z"), kInk);
    svg += QStringLiteral("  <circle cx=\"95\" cy=\"62\" r=\"12\" fill=\"%1\"/>\n").arg(QLatin1String(kInk));
    svg += Path(QStringLiteral("M 85 57 Q 74 57 71 67 Q 78 64 85 68 Z"), kInk);
    svg += QStringLiteral("  <circle cx=\"91\" cy=\"59\" r=\"2\" fill=\"#ffffff\"/>\n");
    svg += Path(QStringLiteral("M 83 53 L 81 36 L 89 44 L 96 31 L 103 44 L 111 36 L 109 53 Z"), kInk);
    svg += QStringLiteral("  <rect x=\"82\" y=\"49\" width=\"28\" height=\"5\" fill=\"%1\"/>\n").arg(QLatin1String(kInk));
    for (const QPointF& ball : {QPointF(81, 34), QPointF(96, 28.5), QPointF(111, 34)})
        svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"2.4\" fill=\"%3\"/>\n").arg(Num(ball.x()), Num(ball.y()), QLatin1String(kInk));

    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

} // namespace pictures
