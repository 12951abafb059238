#include "platform/StandardIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>

namespace {

class StandardIconEngine : public QIconEngine {
public:
    explicit StandardIconEngine(QStyle::StandardPixmap picture)
        : picture_(picture)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("StandardIconEngine"); }
    QIconEngine* clone() const override { return new StandardIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!loaded_) {
            icon_ = QApplication::style()->standardIcon(picture_);
            loaded_ = true;
        }
        return icon_;
    }

    QStyle::StandardPixmap picture_;
    bool loaded_ = false;
    QIcon icon_;
};

}  // namespace

QIcon StandardIcon(QStyle::StandardPixmap picture)
{
    return QIcon(new StandardIconEngine(picture));
}
