#pragma once
// The student dialog: the student's personal data (form key "DANE UCZNIA"). It is also
// the holder the document forms read after every load of a student, so its values live
// in DialogFields and exist before the dialog is first shown.
#include "forms/StudentData.h"
#include "forms/dialogs/FieldDialog.h"
#include "store/Records.h"
#include "store/StudentTable.h"

#include <string>
#include <vector>

class TFDaneUcznia : public FieldDialog, public StudentData {
    Q_OBJECT
public:
    static constexpr const char* kFormKey = kStudentDataKey;
    enum Mode : unsigned char { NewStudent = 0, EditStudent = 1 };

    // Becomes the global FDaneUcznia, and the forms' student data, while it lives.
    explicit TFDaneUcznia(QWidget* parent = nullptr);
    ~TFDaneUcznia() override;

    // Set by the main window before every showing.
    unsigned char mode = NewStudent;
    // Table ("PESEL" + number) of the student being edited; set by the edit command.
    std::string editedTable;

    // Empties every field but the birth year, town and voivodeship.
    void ClearFields();
    // One record per stored field, in component order; always true.
    bool CollectFields(std::vector<FieldRecord>& records) const;
    // ClearFields, then the records with key "DANE UCZNIA", the later of two winning.
    void FillFields(const std::vector<FieldRecord>& records);

    QString fieldText(const QString& name) const override { return fields_.text(name); }

    // Event handlers.
    void FormShow() override;
    void OKButtonClick() override;

protected:
    void buildWidgets(QVBoxLayout* layout) override;

private:
    // Shows `message` ("Brak danych", exclamation) and moves the focus to `field`.
    void refuse(const QString& message, QStringView field);
    // New table of a student: false when it belongs to another student and the person
    // does not want it overwritten, or when the check failed (reported).
    bool mayWriteTable(const std::string& path, const std::string& table);
    bool saveStudent(const std::string& path, const std::string& table);
    void loadList(QStringView field, bool towns);
};

extern TFDaneUcznia* FDaneUcznia;
