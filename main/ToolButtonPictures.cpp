#include "main/ToolButtonPictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <memory>

namespace {

QPixmap Draw(QSvgRenderer& svg, int scale)
{
    QPixmap picture(kToolButtonPictureSize * scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    picture.setDevicePixelRatio(scale);
    return picture;
}

// The picture at the tool bar's size, and twice the size for screens that scale, drawn the
// first time something larger than the tool bar's size is asked for: a screen that does not
// scale never needs it, and drawing it costs four times the small one.
class ToolButtonPictureEngine : public QIconEngine {
public:
    ToolButtonPictureEngine(std::shared_ptr<QSvgRenderer> svg, const QIcon& small)
        : svg_(std::move(svg)), icon_(small) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        ensureLarge(rect.size() * painter->device()->devicePixelRatio());
        icon_.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        ensureLarge(size);
        return icon_.actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        ensureLarge(size);
        return icon_.pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        ensureLarge(size * scale);
        return icon_.pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        ensureLarge(kToolButtonPictureSize * 2);
        return icon_.availableSizes(mode, state);
    }
    bool isNull() override { return icon_.isNull(); }
    QString key() const override { return QStringLiteral("ToolButtonPictureEngine"); }
    QIconEngine* clone() const override { return new ToolButtonPictureEngine(*this); }

private:
    void ensureLarge(const QSize& asked)
    {
        if (!svg_ || (asked.width() <= kToolButtonPictureSize.width() && asked.height() <= kToolButtonPictureSize.height()))
            return;
        icon_.addPixmap(Draw(*svg_, 2));
        svg_.reset();
    }

    std::shared_ptr<QSvgRenderer> svg_;  // null once both sizes are drawn
    QIcon icon_;
};

}  // namespace

QIcon ToolButtonPicture(const char* name)
{
    auto svg = std::make_shared<QSvgRenderer>(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1StringView(name)));
    if (!svg->isValid())
        return QIcon();
    QIcon small;
    small.addPixmap(Draw(*svg, 1));
    return QIcon(new ToolButtonPictureEngine(std::move(svg), small));
}
