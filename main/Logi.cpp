#include "main/Logi.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "main/MakerAddresses.h"
#include "platform/Button.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "platform/ScreenRoom.h"
#include "store/Folders.h"
#include "store/Logs.h"

TFLogi* FLogi = nullptr;

namespace {

// The designed widths of "Data / czas", "Funkcja" and "Informacja".
constexpr int kColumnWidths[] = {100, 120, 550};

}  // namespace

TFLogi::TFLogi(::ErrorStream& errors, QWidget* owner)
    : Form(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , errors_(errors)
{
    setObjectName("FLogi");
    setWindowTitle("Logi programu");
    resize(799, 450);

    auto* layout = new QVBoxLayout(this);
    LogsListView = new ListView(this);
    LogsListView->setObjectName("LogsListView");
    LogsListView->setHeaderLabels({"Data / czas", "Funkcja", "Informacja"});
    for (int column = 0; column < 3; ++column)
        LogsListView->setColumnWidth(column, kColumnWidths[column]);
    layout->addWidget(LogsListView, 1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* buttons = new QHBoxLayout(Panel1);
    BitBtn1 = new Button("OK", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new Button("Wyślij plik z logami", Panel1);
    BitBtn2->setObjectName("BitBtn2");
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addWidget(Panel1);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFLogi::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous())
        FitAndCentreOnScreen(*this);
    FormShow();
}

void TFLogi::FormShow()
{
    LogsListView->clear();
    std::vector<LogRecord> records;
    // A log that cannot be read leaves the list empty without a word.
    if (!bFunSqlGetLogsData(errors_, records))
        return;
    for (const LogRecord& record : records) {
        auto* item = new QTreeWidgetItem(LogsListView);
        item->setText(0, QString::fromStdString(record.datetime));
        item->setText(1, QString::fromStdString(record.fun));
        item->setText(2, QString::fromStdString(record.info));
    }
    // The date-time and the function name are short: they are shown whole.
    for (int column : {0, 1}) {
        LogsListView->resizeColumnToContents(column);
        LogsListView->setColumnWidth(
            column, std::max(kColumnWidths[column], LogsListView->columnWidth(column)));
    }
}

void TFLogi::BitBtn1Click()
{
    close();
}

void TFLogi::BitBtn2Click()
{
    const std::string path = JoinPath(strFunGetMainDirPath(errors_), kLogFileName);
    if (!SendFileByMail(errors_, "Logi", SupportMailAddress().toStdString(),
                        "Logi programu Tovrix-Kalenor", path, kLogFileName)) {
        DialogService::instance().message("Błąd podczas próby wysłania maila", "Błąd",
                                          MsgIcon::Error, MsgButtons::Ok);
    }
}
