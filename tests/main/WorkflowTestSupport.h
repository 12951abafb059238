#pragma once
// A started program on which a test works like the secretary: students added through
// the student dialog, nodes clicked and keys pressed in the tree, forms filled and
// confirmed with their "OK".
#include "tests/main/MainTestSupport.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "store/Records.h"

class DocumentForm;
class QDialog;
class QTreeWidgetItem;
class QWidget;

struct StudentFields {
    QString surname;
    QString firstName;
    QString pesel;
    QString sex = "mężczyzna";
    QString registerNumber = {};
};

class WorkflowTest : public ShellTest {
protected:
    void SetUp() override;

    // "Dodaj nowego ucznia", the dialog filled and confirmed.
    void addStudent(const StudentFields& student);
    // Writes a student straight into the working copy (its personal data only).
    void storeStudent(const StudentFields& student);

    QStringList rootTexts() const;
    // The `index`-th student node with that text (namesakes share it) and its document node.
    QTreeWidgetItem* studentNode(const QString& name, int index = 0) const;
    QTreeWidgetItem* documentNode(const QString& name, const QString& label, int index = 0) const;
    // A mouse click on the node (press and release in the tree's viewport).
    void click(QTreeWidgetItem* node);
    void pressKey(int key);

    // The edit command on the selected document, `edit` run while its form is shown.
    void editSelectedDocument(const std::function<void(DocumentForm&, QDialog&)>& edit);

    DocumentForm& form(const char* className) const;
    std::string workingCopy() const { return folders.dataFile("data_tmp.sqtmp"); }
    // The rows of a student table as (id, comp_name, hex of the stored value bytes).
    static std::vector<FieldRecord> storedRows(const std::string& file, const std::string& table);
};

// Puts the student's data into the student dialog's fields, as typed.
void FillStudentDialog(const StudentFields& student);
// Types `text` into the widget key by key, as a person does.
void Type(QWidget* widget, const QString& text);
// Presses the dialog's button with that caption.
void Press(QDialog& dialog, const QString& caption);
// Upper-case hex of the Windows-1250 bytes of `utf8`, as SQL hex() gives it.
std::string Cp1250Hex(const std::string& utf8);
