#include "tools/pictures/PaperArt.h"

#include <cmath>
#include <numbers>

#include <QPainterPath>
#include <QPolygonF>

#include "tools/pictures/PageGeometry.h"

namespace pictures {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

const QColor kTint(247, 249, 242);
const QColor kMeshInk(118, 156, 132, 90);
const QColor kRosetteInk(96, 138, 150, 110);
const QColor kBorderInk(70, 112, 96);
const QColor kBandRed(220, 20, 60);

// A wave along one horizontal line of the mesh.
QPolygonF Wave(double left, double right, double y, double amplitude, double wavelength,
               double phase)
{
    QPolygonF line;
    for (double x = left; x <= right + 4.0; x += 4.0)
        line << QPointF(x, y + amplitude * std::sin(kTwoPi * x / wavelength + phase));
    return line;
}

// A closed ring whose radius swings `petals` times around the centre.
QPolygonF PetalRing(QPointF centre, double radius, double swing, int petals, double phase)
{
    QPolygonF ring;
    const int steps = 720;
    for (int i = 0; i <= steps; ++i) {
        const double t = kTwoPi * i / steps;
        const double r = radius + swing * std::sin(petals * t + phase);
        ring << QPointF(centre.x() + r * std::cos(t), centre.y() + r * std::sin(t));
    }
    return ring;
}

// A wavy cord along a straight side: a sine of whole periods from one end to the other.
QPolygonF CordAlong(QPointF from, QPointF to, double amplitude, double wavelength, double phase)
{
    const QLineF side(from, to);
    const double length = side.length();
    const int periods = std::max(1, static_cast<int>(std::lround(length / wavelength)));
    const QPointF along = (to - from) / length;
    const QPointF across(-along.y(), along.x());
    QPolygonF cord;
    const int steps = periods * 24;
    for (int i = 0; i <= steps; ++i) {
        const double s = length * i / steps;
        const double w = amplitude * std::sin(kTwoPi * periods * i / steps + phase);
        cord << from + along * s + across * w;
    }
    return cord;
}

void DrawCordFrame(QPainter& p, const QRectF& r, double amplitude, double wavelength, double phase)
{
    const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        p.drawPolyline(CordAlong(corners[i], corners[(i + 1) % 4], amplitude, wavelength, phase));
}

}  // namespace

void DrawSecurityBackground(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, kTint);

    QPen mesh(kMeshInk, 0.6);
    p.setPen(mesh);
    p.setBrush(Qt::NoBrush);
    constexpr double kSpacing = 9.0;
    for (double y = area.top() - kSpacing; y <= area.bottom() + kSpacing; y += kSpacing) {
        const double drift = y * 0.045;
        p.drawPolyline(Wave(area.left(), area.right(), y, 3.5, 64.0, drift));
        p.drawPolyline(
            Wave(area.left(), area.right(), y + kSpacing / 2, 3.5, 64.0, std::numbers::pi - drift));
    }

    const QPointF centre = kPageRect.center();
    p.setPen(QPen(kRosetteInk, 0.7));
    for (int j = 0; j < 12; ++j) {
        p.drawPolygon(PetalRing(centre, 120.0, 26.0, 24, j * std::numbers::pi / 12));
        p.drawPolygon(PetalRing(centre, 205.0, 18.0, 36, j * std::numbers::pi / 12));
    }
    p.restore();
}

void DrawCertificateBorder(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    // Close to the paper's edge: the form code stands at the very foot of a certificate.
    const QRectF outer = kPageRect.adjusted(8.0, 8.0, -8.0, -8.0);
    const QRectF inner = outer.adjusted(14.0, 14.0, -14.0, -14.0);
    const QRectF middle = outer.adjusted(7.0, 7.0, -7.0, -7.0);

    p.setPen(QPen(kBorderInk, 2.0));
    p.drawRect(outer);
    p.setPen(QPen(kBorderInk, 1.0));
    p.drawRect(inner);
    p.setPen(QPen(kBorderInk, 0.6));
    DrawCordFrame(p, middle, 4.0, 12.0, 0.0);
    DrawCordFrame(p, middle, 4.0, 12.0, std::numbers::pi);
    p.restore();
}

void DrawDistinctionBand(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(kPageRect, Qt::IntersectClip);
    // Stripes between the lines x + y = c, across the corner and clear of the first printed row.
    auto stripe = [](double from, double to) {
        QPolygonF s;
        s << QPointF(from, 0.0) << QPointF(to, 0.0) << QPointF(0.0, to) << QPointF(0.0, from);
        return s;
    };
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(stripe(68.0, 94.0));
    p.setBrush(kBandRed);
    p.drawPolygon(stripe(94.0, 120.0));
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    p.drawLine(QPointF(68.0, 0.0), QPointF(0.0, 68.0));
    p.restore();
}

void DrawSheetGrid(QPainter& p, const std::vector<QRectF>& frames)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    for (const QRectF& frame : frames)
        p.drawRect(frame);
    p.restore();
}

}  // namespace pictures
