#include "main/SqlImport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "main/BusyWindow.h"
#include "platform/Controls.h"

TFSQLImport* FSQLImport = nullptr;

namespace {

constexpr QSize kClientSize(504, 60);
// An import writes some 60 rows a student and a paint costs as much as hundreds of rows:
// painting every few thousand steps shows it moving without slowing it.
constexpr int kStepsPerPaint = 2000;

}  // namespace

TFSQLImport::TFSQLImport(QWidget* owner)
    : Form(owner,
           Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("FSQLImport");
    setWindowTitle("Import danych");
    setFixedSize(kClientSize);

    Label1 = new QLabel("Operacja:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 8, 56, 16);
    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName("InfoLabel");
    InfoLabel->setGeometry(68, 8, kClientSize.width() - 76, 16);
    ProgressBar = new ::ProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, 100);
    ProgressBar->setGeometry(8, 32, kClientSize.width() - 16, 17);
}

void TFSQLImport::Begin(const std::string& info, int steps)
{
    InfoLabel->setText(QString::fromStdString(info));
    ProgressBar->setRange(0, steps);
    ProgressBar->setPosition(0);
    position_ = 0;
    step();
}

void TFSQLImport::Advance()
{
    ++position_;
    if (position_ == ProgressBar->maximum())
        ProgressBar->setPosition(position_);
    step();
}

void TFSQLImport::step()
{
    if (!paintDue_ && ++stepsUnpainted_ < kStepsPerPaint)
        return;
    paintProgress();
}

void TFSQLImport::paintProgress()
{
    ProgressBar->setPosition(position_);
    PaintNow(*InfoLabel);
    PaintNow(*ProgressBar);
    stepsUnpainted_ = 0;
    paintDue_ = false;
}

void TFSQLImport::setVisible(bool visible)
{
    if (!visible) {
        InfoLabel->setUpdatesEnabled(true);
        ProgressBar->setUpdatesEnabled(true);
    }
    Form::setVisible(visible);
    if (visible) {
        WaitUntilExposed(*this);
        InfoLabel->setUpdatesEnabled(false);
        ProgressBar->setUpdatesEnabled(false);
        paintDue_ = true;
    }
}

void TFSQLImport::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form::showEvent(event);
}

void TFSQLImport::cancelByKeyboard() {}
