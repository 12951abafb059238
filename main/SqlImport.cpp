#include "main/SqlImport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "platform/Controls.h"

TFSQLImport* FSQLImport = nullptr;

namespace {

constexpr QSize kClientSize(504, 60);

}  // namespace

TFSQLImport::TFSQLImport(QWidget* owner)
    : Form(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowStaysOnTopHint)
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
    if (isVisible()) {
        InfoLabel->repaint();
        Label1->repaint();
    }
    ProgressBar->setRange(0, steps);
    ProgressBar->setPosition(0);
}

void TFSQLImport::Advance()
{
    ProgressBar->setPosition(ProgressBar->value() + 1);
}

void TFSQLImport::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form::showEvent(event);
    repaint();
}
