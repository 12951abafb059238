#include "main/Wait.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>

#include "main/BusyWindow.h"
#include "platform/Controls.h"

TFWait* FWait = nullptr;

namespace {

constexpr QSize kClientSize(186, 51);
// The bar is painted empty and then at each quarter of the rows, the last time full.
// Writing the rows lasts a blink and one paint costs as much as hundreds of rows, so
// Qt's own rule (a paint whenever the bar grows by a chunk) would paint in vain.
constexpr int kQuarters = 4;

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
    // The window takes no input, and taking the activation would repaint the main window
    // twice (inactive, then active again) around every save.
    setAttribute(Qt::WA_ShowWithoutActivating);
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
    ProgressBar->setValue(0);
    rowsWritten_ = 0;
    quartersPainted_ = 0;
    PaintNow(*ProgressBar);
}

void TFWait::Advance()
{
    ++rowsWritten_;
    const qint64 nextQuarter = qint64(ProgressBar->maximum()) * (quartersPainted_ + 1) / kQuarters;
    if (rowsWritten_ >= std::max<qint64>(1, nextQuarter)) {
        ++quartersPainted_;
        ProgressBar->setValue(rowsWritten_);
        PaintNow(*ProgressBar);
    }
}

void TFWait::setVisible(bool visible)
{
    // Once on screen, the bar paints only when the window paints it.
    if (!visible)
        ProgressBar->setUpdatesEnabled(true);
    // Its text is drawn when first shown: the window is made at start and may never show.
    if (visible && Image1->picture().isNull())
        Image1->setPicture(WaitPicture());
    Form::setVisible(visible);
    if (visible) {
        WaitUntilExposed(*this);
        ProgressBar->setUpdatesEnabled(false);
    }
}

void TFWait::cancelByKeyboard()
{
    // The window goes when the work it stands for has ended.
}
