#pragma once
// The log viewer: the rows of the log's `error` table, oldest first, and a button that
// hands the log file to the mail program.
#include "platform/Form.h"
#include "store/ErrorStream.h"

class Button;
class ListView;
class QWidget;

class TFLogi : public Form {
    Q_OBJECT

public:
    // `errors` is the main window's stream, which the data functions write into.
    explicit TFLogi(::ErrorStream& errors, QWidget* owner = nullptr);

    ListView* LogsListView = nullptr;
    QWidget* Panel1 = nullptr;
    Button* BitBtn1 = nullptr;
    Button* BitBtn2 = nullptr;

    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ::ErrorStream& errors_;
};

extern TFLogi* FLogi;
