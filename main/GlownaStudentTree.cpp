// The student list and the tree: one node per student (its table name kept in the
// node, so namesakes stay apart), under it the document nodes in their fixed order.
#include "main/Glowna.h"

#include <QAction>
#include <QSignalBlocker>
#include <QTreeWidgetItem>

#include "main/StudentOrder.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "render/Catalogue.h"
#include "store/CertFile.h"
#include "store/Folders.h"

namespace {

constexpr int kTableRole = Qt::UserRole;

// A document node. Its label is one of the catalogue's, shared by that node of every
// student instead of stored in each: a class's tree holds 53 of them per student, and
// storing a text per node was most of the time a file takes to open.
class DocumentNode : public QTreeWidgetItem {
public:
    DocumentNode(QTreeWidgetItem* student, const QString& label)
        : QTreeWidgetItem(student)
        , label_(label)
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
            return label_;
        return QTreeWidgetItem::data(column, role);
    }

private:
    const QString label_;
};

// The list read raises on a file that is no database: that is a failed read too.
bool ReadStudentsList(ErrorStream& es, const std::string& path, std::vector<StudentEntry>& list,
                      std::vector<std::string>& unreadable)
{
    try {
        return bFunGetStudentsList(es, path, list, &unreadable);
    } catch (const CppSQLite3Exception& e) {
        es.str(e.Message());
        return false;
    }
}

// A damaged file: the students that could be read are listed, the others named here.
void ReportUnreadableStudents(const std::vector<std::string>& tables)
{
    QString text = "Nie można odczytać danych uczniów zapisanych w tabelach:\n";
    for (const std::string& table : tables)
        text += "\n" + QString::fromStdString(table);
    text += "\n\nPlik jest uszkodzony. Pozostali uczniowie zostali wczytani.";
    DialogService::instance().message(text, "Błąd", MsgIcon::Error, MsgButtons::Ok);
}

}  // namespace

bool TFGlowna::ReloadStudentsList()
{
    HeldStudentTable.clear();
    const std::string path = DataTmpPath(ErrorStream);
    if (!FileExists(path))
        return false;
    ClearRecordList(StudentList);
    std::vector<std::string> unreadable;
    if (!ReadStudentsList(ErrorStream, path, StudentList, unreadable)) {
        DialogService::instance().message("Błąd podczas próby wczytania listy uczniów", "Błąd",
                                          MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    BuildStudentsTree();
    if (!unreadable.empty())
        ReportUnreadableStudents(unreadable);
    return true;
}

void TFGlowna::BuildStudentsTree()
{
    const std::vector<StudentEntry> students = SortedStudents(StudentList);
    QStringList labels;
    for (const DocumentLabel& row : DocumentLabels())
        if (row.inTree)
            labels << QString::fromUtf8(row.label.data(), qsizetype(row.label.size()));
    TreeView->setUpdatesEnabled(false);
    RemoveAllNodes();
    QList<QTreeWidgetItem*> roots;
    roots.reserve(qsizetype(students.size()));
    for (const StudentEntry& student : students) {
        auto* root = new QTreeWidgetItem(QStringList(StudentTreeLabel(student.display_name)));
        root->setData(0, kTableRole, QString::fromStdString(student.table_name));
        for (const QString& label : labels)
            new DocumentNode(root, label);
        roots << root;
    }
    {
        const QSignalBlocker quiet(TreeView);
        TreeView->addTopLevelItems(roots);
    }
    TreeView->setUpdatesEnabled(true);
    ShowNothingSelected();
}

void TFGlowna::RemoveAllNodes()
{
    HeldStudentTable.clear();
    {
        const QSignalBlocker quiet(TreeView);
        TreeView->clear();
    }
    ShowNothingSelected();
}

QString TFGlowna::SelectedNodeText(int flag) const
{
    const QTreeWidgetItem* node = SelectedNode();
    if (!node)
        return {};
    if (node->childCount() > 0)
        return flag == 1 ? node->text(0) : QString();
    if (flag == 1)
        return node->parent() ? node->parent()->text(0) : QString();
    return node->text(0);
}

std::string TFGlowna::SelectedStudentTable() const
{
    const QTreeWidgetItem* node = SelectedNode();
    if (node && node->parent())
        node = node->parent();
    return node ? node->data(0, kTableRole).toString().toStdString() : std::string();
}

void TFGlowna::UpdateMenuState()
{
    const bool student = !SelectedNodeText(1).isEmpty();
    const bool document = !SelectedNodeText(0).isEmpty();
    for (const char* name : {"Edytujdaneucznia1", "Usundaneucznia1"})
        action(name)->setEnabled(student);
    for (const char* name : {"Edytujwybraneswiadectwo2", "Drukujwybraneswiadectwo2"})
        action(name)->setEnabled(document);
}

QTreeWidgetItem* TFGlowna::FindDocumentNode(const std::string& table, const QString& label) const
{
    const QString tableName = QString::fromStdString(table);
    for (int i = 0; i < TreeView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* student = TreeView->topLevelItem(i);
        if (student->data(0, kTableRole).toString() != tableName)
            continue;
        if (label.isEmpty())
            return student;
        for (int j = 0; j < student->childCount(); ++j)
            if (student->child(j)->text(0) == label)
                return student->child(j);
    }
    return nullptr;
}
