#include "main/Wait.h"

#include <QLinearGradient>
#include <QPainter>

#include "platform/Controls.h"

TFWait* FWait = nullptr;

namespace {

constexpr QSize kClientSize(186, 51);

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
    Image1->setPicture(WaitPicture());
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
    ProgressBar->setPosition(ProgressBar->value() + 1);
}

void TFWait::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    repaint();
}
