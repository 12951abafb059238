#include "platform/Controls.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

#include <QScrollBar>

PlacedLabel::PlacedLabel(const QString& caption, QWidget* parent, QPoint place)
    : QLabel(caption, parent)
{
    move(place);
}

void PlacedLabel::showEvent(QShowEvent* event)
{
    if (!sized_) {
        adjustSize();
        sized_ = true;
    }
    QLabel::showEvent(event);
}

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent)
    , label_(new QLabel(this))
{
    addWidget(label_, 1);
    setSizeGripEnabled(false);
}

QString StatusBar::text() const
{
    return label_->text();
}

void StatusBar::setText(const QString& text)
{
    label_->setText(text);
    if (label_->isVisible())
        label_->repaint();
}

ProgressBar::ProgressBar(QWidget* parent)
    : QProgressBar(parent)
{
    setTextVisible(false);
}

void ProgressBar::stepIt()
{
    const int next = value() + step_;
    setPosition(next > maximum() ? minimum() : next);
}

void ProgressBar::setPosition(int value)
{
    setValue(value);
    if (isVisible())
        repaint();
}

QString ProgressBar::text() const
{
    return isTextVisible() ? QProgressBar::text() : QString();
}

ScrollBox::ScrollBox(QWidget* parent)
    : QScrollArea(parent)
    , content_(new QWidget)
{
    setWidgetResizable(false);
    setWidget(content_);
}

void ScrollBox::setContentSize(const QSize& size)
{
    content_->resize(size);
}

namespace {

// Moves `bar` as little as needed to bring [start, start + length) into a view of `view`;
// a rectangle larger than the view shows its start.
void bringIntoView(QScrollBar* bar, int start, int length, int view)
{
    int value = bar->value();
    if (start + length > value + view)
        value = start + length - view;
    if (start < value)
        value = start;
    bar->setValue(value);
}

}  // namespace

void ScrollBox::scrollToShow(const QRect& rect)
{
    bringIntoView(horizontalScrollBar(), rect.left(), rect.width(), viewport()->width());
    bringIntoView(verticalScrollBar(), rect.top(), rect.height(), viewport()->height());
}

void ScrollBox::scrollToTop()
{
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

Image::Image(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Image::setPicture(const QImage& picture)
{
    picture_ = picture;
    if (!stretch_ && !picture.isNull())
        resize(picture.size());
    update();
}

void Image::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void Image::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(event->rect().topLeft(), picture_, event->rect());
}

PageControl::PageControl(QWidget* parent)
    : QTabWidget(parent)
{
}

void PageControl::setPageVisible(QWidget* page, bool visible)
{
    const int index = indexOf(page);
    if (index < 0)
        return;
    setTabVisible(index, visible);
    if (!visible && currentIndex() == index) {
        for (int i = 0; i < count(); ++i)
            if (isTabVisible(i)) {
                setCurrentIndex(i);
                break;
            }
    }
}

bool PageControl::isPageVisible(QWidget* page) const
{
    const int index = indexOf(page);
    return index >= 0 && isTabVisible(index);
}

Timer::Timer(QObject* parent)
    : QTimer(parent)
{
}

void Timer::setEnabled(bool enabled)
{
    if (enabled)
        start();
    else
        stop();
}

void Timer::setIntervalMs(int ms)
{
    setInterval(ms);
    if (isActive())
        start();
}

namespace {

// A tree's header as Qt's own tree makes it (which setHeader replaces): captions on the left,
// columns that can be dragged, the last one stretched.
class TreeHeader : public QHeaderView {
public:
    explicit TreeHeader(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setSectionsMovable(true);
        setStretchLastSection(true);
    }
};

// The header of a tree that shows none: its captions need no room. Qt would measure them in
// a bold font, loading that font at start only to size a column fitted to its contents.
class CaptionlessHeader : public TreeHeader {
public:
    using TreeHeader::TreeHeader;

protected:
    QSize sectionSizeFromContents(int) const override { return {}; }
};

// The header of a list in a window not shown yet takes no room: Qt lays out a hidden list
// too, and would measure its captions in a bold font, loading that font at start for a
// window the user may never open. The window's first show lays the list out again.
class HeaderSizedWhenShown : public TreeHeader {
public:
    using TreeHeader::TreeHeader;

    QSize sizeHint() const override
    {
        return window()->isVisible() ? QHeaderView::sizeHint() : QSize();
    }
};

}  // namespace

TreeView::TreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeader(new CaptionlessHeader(this));
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

ListView::ListView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeader(new HeaderSizedWhenShown(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}
