#pragma once
// The calibration window: choose a calibration set and one of its rows, change the row's
// rectangle and font, apply it to the user's calibration file and see it in the preview.

#include "platform/Controls.h"
#include "store/Records.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <string_view>

class CalibrationHost;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFKalibracja : public WithDialogFontWhenShown<QDialog> {
public:
    explicit TFKalibracja(CalibrationHost& host, QWidget* parent = nullptr);

    // 1: every row of the chosen set is offered; 0: only rows whose name holds "ZMIENNA".
    std::uint8_t AdvancedMode = 0;

    // The selected row, which the drawing operations outline while the window is shown.
    const std::string& selectedRow() const { return selectedRow_; }

    void FormShow();
    void TypSwiadectwaComboBoxChange();
    void VariableComboBoxChange();
    void LeftSpeedButtonClick();
    void RightSpeedButtonClick();
    void UpSpeedButtonClick();
    void DownSpeedButtonClick();
    void UpFontSizeSpeedButtonClick();
    void DownFontSizeSpeedButtnClick();
    void SaveButtonClick();
    // Arrow keys (37..40) shift the row and apply it at once.
    void X1EditKeyDown(int key);
    void PrzywrocUstawieniaButtonClick();
    void CloseButtonClick();
    void FormClose();

    bool LoadCalibrationSet();
    void FillFontNames();
    void PreviewCalibrationType(const std::string& set);

    // The components, by their names.
    QComboBox* TypSwiadectwaComboBox;
    QComboBox* VariableComboBox;
    QGroupBox* GroupBox1;
    QLineEdit* X1Edit;
    QLineEdit* Y1Edit;
    QLineEdit* X2Edit;
    QLineEdit* Y2Edit;
    QToolButton* LeftSpeedButton;
    QToolButton* RightSpeedButton;
    QToolButton* UpSpeedButton;
    QToolButton* DownSpeedButton;
    QGroupBox* GroupBox2;
    QToolButton* UpFontSizeSpeedButton;
    QLineEdit* FontSizeEdit;
    QToolButton* DownFontSizeSpeedButton;
    QComboBox* FontsNameComboBox;
    QComboBox* AdjustmentComboBox;
    QCheckBox* PogrubienieCheckBox;
    QCheckBox* KursywaCheckBox;
    QCheckBox* PodkreslenieCheckBox;
    QCheckBox* PrzekreslenieCheckBox;
    QPushButton* PrzywrocUstawieniaButton;
    QPushButton* SaveButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void showRecord(const CalibrationRecord& record);
    // Runs a handler; a text that is not a whole number ends it in the standard error box.
    template <typename Handler>
    void guarded(Handler handler);
    void shift(QLineEdit* first, QLineEdit* second, int by);

    CalibrationHost& host_;
    std::string selectedRow_;
    bool setListFromFile_ = false;
};
