#include "render/PageImage.h"

#include "render/Fonts.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextLayout>

namespace {

Qt::Alignment QtAlignment(HAlign align)
{
    switch (align) {
    case HAlign::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case HAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case HAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QPen PagePen(const QColor& color, int width)
{
    QPen pen(color);
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

struct ItemPainter {
    QPainter& painter;

    void operator()(const TextRun& run) const
    {
        painter.setFont(run.font);
        painter.setPen(Qt::black);
        const int flags = static_cast<int>(QtAlignment(run.align));
        // Qt lays a text out with its baseline at the font's fractional ascent below the
        // top; the text cell puts it at the whole-unit ascent its box was computed with.
        const QRectF laid = QRectF(run.box).translated(
            0, TextAscent(run.font) - QFontMetricsF(painter.font(), painter.device()).ascent());
        if (!run.clip) {
            painter.drawText(laid, flags | Qt::TextDontClip, run.text);
            return;
        }
        // Each run carries its own clip, so a clipped run never clips what follows it.
        painter.save();
        painter.setClipRect(run.box, Qt::IntersectClip);
        painter.drawText(laid, flags, run.text);
        painter.restore();
    }

    // The dot is laid out once, as a left-aligned text run would lay it out, and its glyph
    // repeated at each cell.
    void operator()(const DotRow& row) const
    {
        if (row.count <= 0)
            return;
        painter.setFont(row.font);
        painter.setPen(Qt::black);
        QTextLayout layout(QStringLiteral("."), painter.font(), painter.device());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> laid = layout.glyphRuns();
        if (laid.isEmpty() || laid.first().glyphIndexes().isEmpty())
            return;
        QGlyphRun dots = laid.first();
        const quint32 glyph = dots.glyphIndexes().first();
        // On the baseline a text run's cell puts it at.
        const QPointF origin(dots.positions().first().x(), TextAscent(row.font));
        QList<quint32> glyphs(row.count, glyph);
        QList<QPointF> positions;
        positions.reserve(row.count);
        for (int i = 0; i < row.count; ++i)
            positions << origin + QPointF(qreal(i) * row.step, 0);
        dots.setGlyphIndexes(glyphs);
        dots.setPositions(positions);
        painter.drawGlyphRun(QPointF(row.first), dots);
    }

    void operator()(const LineItem& line) const
    {
        painter.setPen(PagePen(line.color, line.width));
        painter.drawLine(line.from, line.to);
    }

    void operator()(const RectItem& item) const
    {
        painter.setPen(PagePen(item.color, item.width));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(item.rect));
    }

    void operator()(const PictureItem& item) const
    {
        const QRectF target(item.rect);
        if (const auto* image = std::get_if<std::shared_ptr<const QImage>>(&item.picture)) {
            if (*image)
                painter.drawImage(target, **image);
        } else if (const auto& svg = std::get<std::shared_ptr<QSvgRenderer>>(item.picture)) {
            svg->render(&painter, target);
        }
    }
};

}  // namespace

void PageImage::replay(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const ItemPainter draw{painter};
    for (const PageItem& item : items_)
        std::visit(draw, item);
    painter.restore();
}

void PageImage::replayInto(QPainter& painter, const QRectF& target) const
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / kWidth, target.height() / kHeight);
    replay(painter);
    painter.restore();
}
