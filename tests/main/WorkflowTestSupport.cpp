#include "tests/support/Typing.h"
#include "tests/main/WorkflowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidgetItem>

#include <sqlite3.h>

#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "platform/Controls.h"
#include "render/Catalogue.h"
#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"

void WorkflowTest::SetUp()
{
    ASSERT_TRUE(start());
    // The school-data reminder has its own test; here it would only ask first.
    storeSetting("create_school_data_template", 0);
}

void WorkflowTest::addStudent(const StudentFields& student)
{
    dialogs.answerModal([student](QDialog& dialog) {
        FillStudentDialog(student);
        Press(dialog, "OK");
    });
    window().DodajUczniaToolButtonClick();
}

void FillStudentDialog(const StudentFields& student)
{
    DialogFields& fields = FDaneUcznia->fields();
    fields.setText(u"Nazwisko_DATA_EDIT", student.surname);
    fields.setText(u"Imie_DATA_EDIT", student.firstName);
    fields.setText(u"Plec_DATA_COMBOBOX", student.sex);
    fields.setText(u"NumerPesel_DATA_EDIT", student.pesel);
    fields.setText(u"NrDziennika_DATA_EDIT", student.registerNumber);
}

void WorkflowTest::storeStudent(const StudentFields& student)
{
    ErrorStream es;
    ASSERT_GE(
        iFunCheckIsStudentExists(es, workingCopy(), "PESEL" + student.pesel.toStdString(), true),
        0);
    const std::vector<FieldRecord> rows = {
        {"DANE UCZNIA", "Nazwisko_DATA_EDIT", student.surname.toStdString()},
        {"DANE UCZNIA", "Imie_DATA_EDIT", student.firstName.toStdString()},
        {"DANE UCZNIA", "NrDziennika_DATA_EDIT", student.registerNumber.toStdString()},
        {"DANE UCZNIA", "NumerPesel_DATA_EDIT", student.pesel.toStdString()},
    };
    ASSERT_TRUE(ReplaceStudentTable(es, workingCopy(), "PESEL" + student.pesel.toStdString(), rows))
        << es.str();
}

QStringList WorkflowTest::rootTexts() const
{
    QStringList texts;
    const ::TreeView* tree = FGlowna->TreeView;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QTreeWidgetItem* WorkflowTest::studentNode(const QString& name, int index) const
{
    const ::TreeView* tree = FGlowna->TreeView;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == name && index-- == 0)
            return tree->topLevelItem(i);
    ADD_FAILURE() << "no student node " << name.toStdString();
    return nullptr;
}

QTreeWidgetItem* WorkflowTest::documentNode(const QString& name, const QString& label,
                                            int index) const
{
    QTreeWidgetItem* student = studentNode(name, index);
    for (int i = 0; student && i < student->childCount(); ++i)
        if (student->child(i)->text(0) == label)
            return student->child(i);
    ADD_FAILURE() << "no document node " << label.toStdString();
    return nullptr;
}

void WorkflowTest::click(QTreeWidgetItem* node)
{
    ASSERT_NE(node, nullptr);
    ::TreeView* tree = FGlowna->TreeView;
    tree->scrollToItem(node);
    QWidget* viewport = tree->viewport();
    // On the node's visible part: a long label reaches beyond the viewport.
    const QPoint at = tree->visualItemRect(node).intersected(viewport->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

void WorkflowTest::pressKey(int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(FGlowna->TreeView, &press);
}

void WorkflowTest::editSelectedDocument(const std::function<void(DocumentForm&, QDialog&)>& edit)
{
    const QString label = window().SelectedNodeText(0);
    DocumentForm* shown = nullptr;
    if (const DocumentLabel* row = FindDocumentLabel(label.toStdString()))
        shown = &form(std::string(row->formClass).c_str());
    dialogs.answerModal([&](QDialog& dialog) {
        ASSERT_NE(shown, nullptr);
        edit(*shown, dialog);
    });
    window().EdytujSwiadectwoToolButtonClick();
}

DocumentForm& WorkflowTest::form(const char* className) const
{
    DocumentForm* found = FormRegistry::instance().form(className);
    EXPECT_NE(found, nullptr) << className;
    return *found;
}

std::vector<FieldRecord> WorkflowTest::storedRows(const std::string& file, const std::string& table)
{
    std::vector<FieldRecord> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << file;
        sqlite3_close(db);
        return rows;
    }
    const std::string sql = "select id, comp_name, hex(value) from `" + table + "` order by rowid";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
        auto column = [&](int i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            return Cp1250ToUtf8(text ? text : "");
        };
        while (sqlite3_step(statement) == SQLITE_ROW)
            rows.push_back({column(0), column(1),
                            reinterpret_cast<const char*>(sqlite3_column_text(statement, 2))});
    } else {
        ADD_FAILURE() << sqlite3_errmsg(db);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

void Type(QWidget* widget, const QString& text)
{
    ASSERT_NE(widget, nullptr);
    TypeText(widget, text);
}

void Press(QDialog& dialog, const QString& caption)
{
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->text() == caption && button->isVisible()) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << caption.toStdString();
}

std::string Cp1250Hex(const std::string& utf8)
{
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : Utf8ToCp1250(utf8)) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}
