#include "main/Wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QThread>
#include <QWindow>

#include "platform/Controls.h"

TFWait* FWait = nullptr;

namespace {

constexpr QSize kClientSize(186, 51);
// How long showing waits for the window system to put the window on screen.
constexpr int kExposeWaitMs = 500;

// White "Proszę czekać..." on a blue gradient.
QImage WaitPicture()
{
    QImage picture(kClientSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, kClientSize.height());
    gradient.setColorAt(0, QColor(40, 90, 200));
    gradient.setColorAt(1, QColor(10, 30, 110));
    painter.fillRect(picture.rect(), gradient);
    QFont font("Liberation Sans");
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kClientSize.width(), 32), Qt::AlignCenter, "Proszę czekać...");
    return picture;
}

}  // namespace

TFWait::TFWait(QWidget* owner)
    : Form(owner, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setObjectName("FWait");
    setFixedSize(kClientSize);
    QPalette blue = palette();
    blue.setColor(QPalette::Window, Qt::blue);
    setPalette(blue);
    setAutoFillBackground(true);
    Image1 = new ::Image(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(QRect(QPoint(0, 0), kClientSize));
    ProgressBar = new ::ProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->setGeometry(8, 34, kClientSize.width() - 16, 12);
}

void TFWait::Begin(const std::string&, int steps)
{
    ProgressBar->setRange(0, steps);
    ProgressBar->setPosition(0);
}

void TFWait::Advance()
{
    // The bar paints itself at once whenever it visibly grows: thousands of rows are not
    // painted one by one.
    ProgressBar->setValue(ProgressBar->value() + 1);
}

void TFWait::setVisible(bool visible)
{
    // Its text is drawn when first shown: the window is made at start and may never show.
    if (visible && Image1->picture().isNull())
        Image1->setPicture(WaitPicture());
    Form::setVisible(visible);
    if (visible)
        paintNow();
}

void TFWait::paintNow()
{
    // The window is on screen only once the window system has exposed it, which takes
    // a turn of the event loop. The person must not act meanwhile and no timer may start
    // other work, so only window-system events that are not input are handled.
    const QDeadlineTimer deadline(kExposeWaitMs);
    while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
        if (!windowHandle() || !windowHandle()->isExposed())
            QThread::msleep(1);
    }
    repaint();
}

void TFWait::cancelByKeyboard()
{
    // The window goes when the work it stands for has ended.
}
