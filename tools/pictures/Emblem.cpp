#include "tools/pictures/Emblem.h"

#include <cmath>
#include <numbers>
#include <vector>

#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QTransform>

namespace pictures {
namespace {

// The drawing is kWidth × kHeight units, the eagle symmetric about x = kAxis except for the
// head, which is turned to the eagle's right (the viewer's left), and the crown on it.
constexpr double kWidth = 200.0;
constexpr double kHeight = 220.0;
constexpr double kAxis = kWidth / 2;

// Black outlines on white: every part is filled white, so a part drawn later covers the lines
// of the parts behind it, as feathers lie over one another.
enum class Ink { Outlined, Solid, Line };

struct Part {
    QPainterPath path;
    Ink ink;
    double stroke;
};

constexpr double kOutline = 1.5;  // the outer lines of wings, tail, legs, body and head
constexpr double kDetail = 0.9;   // feather shafts, scales, the crown's jewels

QPointF Polar(QPointF from, double degrees, double length)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return from + QPointF(std::cos(a), std::sin(a)) * length;
}

// A smooth open curve through `points` (Catmull-Rom turned into cubic pieces), appended to
// `path`, which already stands at points.front().
void SmoothThrough(QPainterPath& path, const std::vector<QPointF>& points)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF p0 = points[i == 0 ? 0 : i - 1];
        const QPointF p1 = points[i];
        const QPointF p2 = points[i + 1];
        const QPointF p3 = points[i + 2 < points.size() ? i + 2 : i + 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
}

// A closed outline of smooth runs meeting at sharp corners: each run starts at the corner
// the previous one ended on.
QPainterPath Outline(const std::vector<std::vector<QPointF>>& runs)
{
    QPainterPath path(runs.front().front());
    for (const std::vector<QPointF>& run : runs)
        SmoothThrough(path, run);
    path.closeSubpath();
    return path;
}

QPainterPath Smooth(const std::vector<QPointF>& points)
{
    QPainterPath path(points.front());
    SmoothThrough(path, points);
    return path;
}

// A feather from `base` along a gently bent shaft of `length` at `degrees`: it widens to
// `width` within its first third and ends in a point (`round` 0) or a rounded tip (up to 1).
// `bend` moves the middle of the shaft sideways (positive: to the left of the direction).
struct FeatherShape {
    QPainterPath outline;
    QPainterPath shaft;
};

FeatherShape Feather(QPointF base, double degrees, double length, double width, double bend,
                     double round = 0.0)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const QPointF d(std::cos(a), std::sin(a));
    const QPointF n(d.y(), -d.x());
    const QPointF tip = base + d * length;
    const QPointF control = base + d * (length / 2) + n * (2 * bend);
    auto axis = [&](double t) {
        return base * (1 - t) * (1 - t) + control * 2 * t * (1 - t) + tip * t * t;
    };
    auto normal = [&](double t) {
        const QPointF tangent = (control - base) * 2 * (1 - t) + (tip - control) * 2 * t;
        const double len = std::hypot(tangent.x(), tangent.y());
        return QPointF(tangent.y(), -tangent.x()) / len;
    };
    auto half = [&](double t) {
        const double rise = std::min(1.0, 0.55 + 1.5 * t);
        const double fall = t < 0.62 ? 1.0 : std::pow((1 - t) / 0.38, 0.55 + 0.45 * (1 - round));
        return width / 2 * rise * std::max(fall, round * 0.35);
    };
    constexpr int kSteps = 9;
    std::vector<QPointF> left, right;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = 0.97 * i / kSteps;
        left.push_back(axis(t) + normal(t) * half(t));
        right.push_back(axis(t) - normal(t) * half(t));
    }
    left.push_back(tip);
    std::vector<QPointF> back(right.rbegin(), right.rend());
    back.insert(back.begin(), tip);
    FeatherShape f;
    f.outline = Outline({left, back, {back.back(), left.front()}});
    f.shaft = Smooth({axis(0.12), axis(0.45), axis(0.8)});
    return f;
}

void AddFeather(std::vector<Part>& parts, const FeatherShape& f, bool shaft = true)
{
    parts.push_back({f.outline, Ink::Outlined, kOutline});
    if (shaft)
        parts.push_back({f.shaft, Ink::Line, kDetail});
}

// A rounded scale-like feather: a blunt leaf from `base` at `degrees`.
void AddCovert(std::vector<Part>& parts, QPointF base, double degrees, double length, double width)
{
    parts.push_back(
        {Feather(base, degrees, length, width, 0.0, 1.0).outline, Ink::Outlined, kDetail + 0.2});
}

// The eagle's left wing (the viewer's left), back to front: long flight feathers fanning from
// pointing up to pointing down and out, a shorter row over their roots and two rows of
// rounded coverts at the shoulder.
void LeftWing(std::vector<Part>& parts)
{
    const QPointF pivot(80, 84);
    struct Flight {
        double degrees, length;
    };
    const Flight primaries[] = {
        {264, 78}, {249, 82}, {234, 84}, {219, 84}, {204, 81},
        {189, 76}, {174, 70}, {159, 63}, {144, 56},
    };
    for (const Flight& f : primaries)
        AddFeather(parts,
                   Feather(Polar(pivot, f.degrees, 16), f.degrees, f.length - 16, 18, 3.0, 0.55));
    for (int i = 0; i + 1 < int(std::size(primaries)); ++i) {
        const double degrees = (primaries[i].degrees + primaries[i + 1].degrees) / 2;
        const double length = std::min(primaries[i].length, primaries[i + 1].length) * 0.66;
        AddFeather(parts, Feather(Polar(pivot, degrees, 10), degrees, length - 10, 15, 2.0, 0.4),
                   false);
    }
    for (double degrees = 258; degrees >= 146; degrees -= 14)
        AddCovert(parts, Polar(pivot, degrees, 8), degrees, 34, 14);
    for (double degrees = 252; degrees >= 150; degrees -= 17)
        AddCovert(parts, Polar(pivot, degrees, 2), degrees, 22, 13);
}

// The tail under the body: seven feathers fanning downwards, the middle one longest.
void Tail(std::vector<Part>& parts)
{
    const QPointF root(kAxis, 130);
    const double spread[] = {-30, 30, -20, 20, -10, 10, 0};
    for (double s : spread) {
        const double length = 72 - std::abs(s) * 0.12;
        AddFeather(parts, Feather(Polar(root, 90 + s, 6), 90 + s, length, 17, s / 8, 1.0));
    }
}

// The left leg: a feathered thigh from the body, a scaled shank and an open foot with three
// talons forward and one behind.
void LeftLeg(std::vector<Part>& parts)
{
    const QPointF ankle(56, 180);
    // Shank and toes first, the thigh's feathers overlap them.
    const QPointF kneeFront(76, 150);
    const QPointF kneeBack(84, 158);
    parts.push_back(
        {Outline({{kneeFront, (kneeFront + ankle) / 2 + QPointF(-1, -1), ankle + QPointF(-4, -4)},
                  {ankle + QPointF(-4, -4), ankle + QPointF(2, 6)},
                  {ankle + QPointF(2, 6), (kneeBack + ankle) / 2 + QPointF(2, 3), kneeBack},
                  {kneeBack, kneeFront}}),
         Ink::Outlined, kOutline});
    for (double t : {0.45, 0.65, 0.85})
        parts.push_back({Smooth({kneeFront * (1 - t) + (ankle + QPointF(-4, -4)) * t,
                                 kneeBack * (1 - t) + (ankle + QPointF(2, 6)) * t}),
                         Ink::Line, kDetail});
    struct Toe {
        QPointF start;
        double degrees, length;
    };
    const Toe toes[] = {{ankle + QPointF(-3, -2), 204, 17},
                        {ankle + QPointF(-2, 1), 176, 19},
                        {ankle + QPointF(0, 4), 148, 17},
                        {ankle + QPointF(4, 5), 102, 12}};
    for (const Toe& t : toes) {
        const QPointF end = Polar(t.start, t.degrees, t.length);
        const QPointF side = Polar({0, 0}, t.degrees + 90, 1.0);
        // The talon: a long claw hooked downwards from the toe's end.
        const QPointF hookTip = Polar(end, t.degrees + 80, 9.5);
        parts.push_back(
            {Outline({{end - side * 2.2, Polar(end, t.degrees + 25, 7) - side * 0.4, hookTip},
                      {hookTip, Polar(end, t.degrees + 50, 3.5), end + side * 2.2},
                      {end + side * 2.2, end - side * 2.2}}),
             Ink::Solid, kDetail});
        // The toe narrows from the foot to the claw, with knuckles along it.
        parts.push_back(
            {Outline({{t.start - side * 3.4, (t.start + end) / 2 - side * 3.0, end - side * 2.2},
                      {end - side * 2.2, Polar(end, t.degrees, 1.2), end + side * 2.2},
                      {end + side * 2.2, (t.start + end) / 2 + side * 3.0, t.start + side * 3.4},
                      {t.start + side * 3.4, t.start - side * 3.4}}),
             Ink::Outlined, kOutline});
        for (double f : {0.45, 6.75}) {
            const QPointF knuckle = t.start + (end - t.start) * f;
            parts.push_back(
                {Smooth({knuckle - side * 2.4, knuckle + side * 2.4}), Ink::Line, kDetail});
        }
    }
    // The thigh: feathers hanging over the shank's top, ending in points.
    const std::vector<QPointF> tips{{68, 158}, {74, 162}, {80, 165}, {87, 165}, {94, 161}};
    std::vector<std::vector<QPointF>> thigh{{{94, 124}, {82, 130}, {74, 142}, tips.front()}};
    for (std::size_t i = 0; i + 1 < tips.size(); ++i) {
        const QPointF notch = (tips[i] + tips[i + 1]) / 2 + QPointF(0, -5);
        thigh.push_back({tips[i], notch + QPointF(-0.5, 1), notch});
        thigh.push_back({notch, tips[i + 1]});
    }
    thigh.push_back({tips.back(), {97, 146}, {98, 132}, {94, 124}});
    parts.push_back({Outline(thigh), Ink::Outlined, kOutline});
    for (std::size_t i = 0; i + 1 < tips.size(); ++i) {
        const QPointF notch = (tips[i] + tips[i + 1]) / 2 + QPointF(0, -5);
        parts.push_back({Smooth({notch, notch + QPointF(1.5, -9), notch + QPointF(3.5, -17)}),
                         Ink::Line, kDetail});
    }
}

// The breast between the wings, with rows of small rounded feathers.
void Body(std::vector<Part>& parts)
{
    parts.push_back(
        {Outline({{{kAxis, 66}, {86, 72}, {80, 90}, {82, 114}, {90, 132}, {kAxis, 140}},
                  {{kAxis, 140}, {110, 132}, {118, 114}, {120, 90}, {114, 72}, {kAxis, 66}}}),
         Ink::Outlined, kOutline});
    const int rows[] = {3, 4, 3, 4, 3};
    for (int r = 0; r < int(std::size(rows)); ++r) {
        const double y = 88 + r * 9.0;
        for (int i = 0; i < rows[r]; ++i) {
            const double x = kAxis + (i - (rows[r] - 1) / 2.0) * 8.5;
            parts.push_back({Smooth({{x - 4, y},
                                     {x - 2.5, y + 3.2},
                                     {x, y + 4.2},
                                     {x + 2.5, y + 3.2},
                                     {x + 4, y}}),
                             Ink::Line, kDetail});
        }
    }
}

// Neck and head turned to the eagle's right: the hooked beak open, the tongue showing.
void Head(std::vector<Part>& parts)
{
    // Neck with ruffled feathers down its back, ending in points over the breast.
    std::vector<std::vector<QPointF>> neck{{{82, 84}, {82, 68}, {81, 54}},
                                           {{81, 54}, {88, 40}, {100, 42}},
                                           {{100, 42}, {103, 51}},
                                           {{103, 51}, {105, 57}, {102, 59}},
                                           {{102, 59}, {107, 66}, {103, 68}},
                                           {{103, 68}, {109, 75}, {105, 77}},
                                           {{105, 77}, {111, 83}, {108, 86}}};
    const std::vector<QPointF> tips{{108, 86}, {102, 91}, {95, 92}, {88, 90}, {82, 84}};
    for (std::size_t i = 0; i + 1 < tips.size(); ++i) {
        const QPointF notch = (tips[i] + tips[i + 1]) / 2 + QPointF(0, -4);
        neck.push_back({tips[i], notch + QPointF(0.5, 1), notch});
        neck.push_back({notch, tips[i + 1]});
    }
    parts.push_back({Outline(neck), Ink::Outlined, kOutline});
    for (const auto& line : {std::vector<QPointF>{{91, 63}, {95, 68}, {100, 69}},
                             std::vector<QPointF>{{88, 71}, {93, 76}, {101, 77}},
                             std::vector<QPointF>{{86, 78}, {91, 82}, {98, 84}}})
        parts.push_back({Smooth(line), Ink::Line, kDetail});
    // Lower mandible, drawn first; the tongue curls out between the two.
    parts.push_back({Outline({{{80, 52.5}, {73, 55.5}, {67.5, 58.5}},
                              {{67.5, 58.5}, {73, 59.5}, {82, 57}},
                              {{82, 57}, {80, 52.5}}}),
                     Ink::Outlined, kOutline});
    parts.push_back({Outline({{{79, 53.8}, {73, 54.8}, {68.5, 55}, {65.5, 57.5}},
                              {{65.5, 57.5}, {69.5, 56.8}, {74, 56.6}, {79, 55.8}},
                              {{79, 55.8}, {79, 53.8}}}),
                     Ink::Solid, kDetail});
    // Head and upper mandible in one outline: flat crown, hooked tip, gape, chin.
    parts.push_back({Outline({{{100, 41},
                               {93, 36.5},
                               {85, 37},
                               {79, 39.5},
                               {72, 40.5},
                               {66.5, 43.5},
                               {63, 48.5},
                               {62.5, 54},
                               {64, 58}},
                              {{64, 58}, {65.5, 54.5}, {68.5, 52}, {74, 51}, {80, 52.5}},
                              {{80, 52.5}, {82, 55}, {88, 57}, {96, 55}, {101, 48}, {100, 41}}}),
                     Ink::Outlined, kOutline});
    parts.push_back({Smooth({{78.5, 39.8}, {80, 45}, {79.5, 51}}), Ink::Line, kDetail});
    QPainterPath eye;
    eye.addEllipse(QPointF(85.5, 44.2), 2.3, 2.3);
    parts.push_back({eye, Ink::Solid, kDetail});
    parts.push_back({Smooth({{80.5, 42.8}, {85, 40.6}, {91, 41.5}}), Ink::Line, kDetail + 0.5});
}

// The open crown on the head, without a cross: a band set with jewels, three leaf-shaped
// fleurons, the middle one highest, and two pointed tines with pearls between them.
// `bottom` is the middle of the band's lower edge; the crown is `scale` times the size
// of the numbers below, its lines as thick.
void Crown(std::vector<Part>& parts, QPointF bottom, double scale)
{
    const std::size_t first = parts.size();
    const double cx = bottom.x();
    const double by = bottom.y();
    // Tines with pearls, behind the fleurons.
    for (double side : {-1.0, 1.0}) {
        const QPointF base(cx + side * 8, by - 8);
        parts.push_back({Outline({{base - QPointF(2.4, 0), base + QPointF(0, -10)},
                                  {base + QPointF(0, -10), base + QPointF(2.4, 0)},
                                  {base + QPointF(2.4, 0), base - QPointF(2.4, 0)}}),
                         Ink::Outlined, kDetail + 0.2});
        QPainterPath pearl;
        pearl.addEllipse(base + QPointF(0, -12), 2.0, 2.0);
        parts.push_back({pearl, Ink::Solid, kDetail});
    }
    // A fleuron: a middle leaf and two curled side leaves on the band.
    auto fleuron = [&](QPointF base, double height, double lean) {
        const QPointF top = base + QPointF(lean, -height);
        const double w = height * 0.36;
        parts.push_back({Outline({{base + QPointF(-w * 0.45, 0),
                                   base + QPointF(-w * 0.7 + lean * 0.5, -height * 0.45), top},
                                  {top, base + QPointF(w * 0.7 + lean * 0.5, -height * 0.45),
                                   base + QPointF(w * 0.45, 0)},
                                  {base + QPointF(w * 0.45, 0), base + QPointF(-w * 0.45, 0)}}),
                         Ink::Outlined, kDetail + 0.3});
        for (double side : {-1.0, 1.0}) {
            const QPointF root = base + QPointF(side * w * 0.3, -height * 0.28);
            const QPointF outer = base + QPointF(side * w * 1.25 + lean * 0.3, -height * 0.62);
            const QPointF curl = base + QPointF(side * w * 1.45 + lean * 0.3, -height * 0.38);
            const QPointF foot = base + QPointF(side * w * 0.35, -height * 0.05);
            parts.push_back({Outline({{root, outer, curl},
                                      {curl, base + QPointF(side * w * 0.9, -height * 0.12), foot},
                                      {foot, root}}),
                             Ink::Outlined, kDetail + 0.3});
        }
    };
    fleuron({cx - 14, by - 8}, 14, -1.5);
    fleuron({cx + 14, by - 8}, 14, 1.5);
    fleuron({cx, by - 8.5}, 18, 0);
    // The band, slightly arched, with its jewels.
    const std::vector<QPointF> top{{cx - 19, by - 8}, {cx, by - 9.5}, {cx + 19, by - 8}};
    const std::vector<QPointF> base{{cx + 18, by - 0.5}, {cx, by - 2}, {cx - 18, by - 0.5}};
    parts.push_back({Outline({top, {top.back(), base.front()}, base, {base.back(), top.front()}}),
                     Ink::Outlined, kOutline});
    for (double x : {-12.0, 0.0, 12.0}) {
        QPainterPath jewel;
        if (x == 0)
            jewel.addRect(QRectF(cx - 2.4, by - 8, 4.8, 4.6));
        else
            jewel.addEllipse(QPointF(cx + x, by - 4.8), 2.6, 2.0);
        parts.push_back({jewel, Ink::Outlined, kDetail});
    }
    for (double x : {-6.0, 6.0, -17.0, 17.0}) {
        QPainterPath pearl;
        pearl.addEllipse(QPointF(cx + x, by - 5), 1.0, 1.0);
        parts.push_back({pearl, Ink::Solid, kDetail});
    }
    const QTransform enlarge = QTransform::fromTranslate(-bottom.x(), -bottom.y()) *
                               QTransform::fromScale(scale, scale) *
                               QTransform::fromTranslate(bottom.x(), bottom.y());
    for (std::size_t i = first; i < parts.size(); ++i)
        parts[i].path = enlarge.map(parts[i].path);
}

QString Num(double v)
{
    QString s = QString::number(std::round(v * 10.0) / 10.0, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(2);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString PathData(const QPainterPath& path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (i > 0)
                d += QLatin1Char(' ');
            d += QStringLiteral("M%1 %2").arg(Num(e.x), Num(e.y));
            break;
        case QPainterPath::LineToElement:
            d += QStringLiteral("L%1 %2").arg(Num(e.x), Num(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element to = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(Num(e.x), Num(e.y), Num(c2.x), Num(c2.y), Num(to.x), Num(to.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return d;
}

QString PartElement(const Part& part)
{
    const QString d = PathData(part.path);
    switch (part.ink) {
    case Ink::Solid:
        return QStringLiteral("<path d=\"%1\" fill=\"#000\"/>\n").arg(d);
    case Ink::Line:
        return QStringLiteral("<path d=\"%1\" fill=\"none\" stroke=\"#000\" stroke-width=\"%2\" "
                              "stroke-linecap=\"round\"/>\n")
            .arg(d, Num(part.stroke));
    case Ink::Outlined:
        break;
    }
    return QStringLiteral("<path d=\"%1\" fill=\"#fff\" stroke=\"#000\" stroke-width=\"%2\" "
                          "stroke-linejoin=\"round\"/>\n")
        .arg(d, Num(part.stroke));
}

}  // namespace

QByteArray EmblemSvg()
{
    std::vector<Part> parts;
    const QTransform mirror(-1, 0, 0, 1, kWidth, 0);
    const auto twice = [&](void (*left)(std::vector<Part>&)) {
        std::vector<Part> half;
        left(half);
        for (const Part& p : half)
            parts.push_back(p);
        for (const Part& p : half)
            parts.push_back({mirror.map(p.path), p.ink, p.stroke});
    };
    twice(LeftWing);
    Tail(parts);
    twice(LeftLeg);
    Body(parts);
    Head(parts);
    Crown(parts, {90, 38}, 1.2);

    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
            "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
            "<title>orzel</title>\n")
            .arg(Num(kWidth), Num(kHeight));
    for (const Part& part : parts)
        svg += PartElement(part);
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

}  // namespace pictures
