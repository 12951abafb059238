// The student work of the main window, each beside a floor that does the same work with
// bare SQLite and Qt as cheaply as they allow, program and floor alternating in one run
// (median and spread of several repetitions):
//   load   one student's table read into the student dialog and all 48 forms; floor: one
//          prepared select of the rows in order, converted into a kept list of records, every
//          form value cleared and each row's value set, as a QString, in the place found for
//          its form key and name in one hash made before timing;
//   save   every form's values collected and one student's table rewritten (drop, create,
//          insert in one transaction), the student shown in the tree; floor: the same values
//          converted from their QStrings into a kept list of records and written with one
//          prepared insert in one transaction into the same file, bound without copies;
//          once with that student alone in the file, once with 1,000 students;
//   open   a file of 1,000 students copied over the working copy, the list read and the
//          tree built; floor: the working copy deleted and the file copied over it as safely
//          (temporary beside it, synced, renamed, folder synced), the table list read, each
//          student's surname and first name read by one prepared select, the names sorted,
//          and a shown tree of the same size cleared and given the same 1,000 students with
//          their document nodes (each sharing its label with the same node of every other
//          student) in one insertion.
#include <sqlite3.h>

#include <QHash>
#include <QHeaderView>
#include <QTreeWidget>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/BenchTiming.h"
#include "bench/support/StartedProgram.h"
#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/CertificatesFile.h"
#include "main/Glowna.h"
#include "main/StudentOrder.h"
#include "platform/Controls.h"
#include "render/Catalogue.h"
#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"

namespace {

constexpr int kRuns = 11;
constexpr int kStudents = 1000;
const std::string kTable = "PESEL90010112345";

sqlite3* OpenDb(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    return db;
}

void Exec(sqlite3* db, const std::string& sql)
{
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// Every stored field of every form gets a text, so the student has all its rows.
void FillEveryForm(const std::string& table)
{
    DialogFields& fields = FDaneUcznia->fields();
    fields.setText(u"Nazwisko_DATA_EDIT", "Kowalska");
    fields.setText(u"Imie_DATA_EDIT", "Żaneta");
    fields.setText(u"Plec_DATA_COMBOBOX", "kobieta");
    fields.setText(u"NumerPesel_DATA_EDIT", QString::fromStdString(table.substr(5)));
    for (const auto& form : FormRegistry::instance().forms())
        for (int i = 0; i < form->componentCount(); ++i)
            if (form->component(i).name.contains("_DATA_"))
                form->setText(i, "ocena bardzo dobra");
}

// The values of every stored field as the floor keeps them: one QString per row of the
// student's table, found by form key and name.
struct FloorForms {
    std::vector<FieldRecord> rows;  // key and name of each place, and the kept records
    QHash<QByteArray, int> place;
    QStringList values;

    explicit FloorForms(const std::vector<FieldRecord>& records)
    {
        for (const FieldRecord& r : records) {
            place.insert(QByteArray::fromStdString(r.id + '\x1f' + r.comp_name),
                         int(values.size()));
            values << QString::fromStdString(r.value);
        }
    }
};

void FloorWrite(const std::string& file, const std::string& table,
                const std::vector<FieldRecord>& layout, FloorForms& forms)
{
    forms.rows.clear();
    for (std::size_t i = 0; i < layout.size(); ++i)
        forms.rows.push_back(
            {layout[i].id, layout[i].comp_name, forms.values[qsizetype(i)].toStdString()});
    sqlite3* db = OpenDb(file);
    Exec(db, "begin transaction;");
    Exec(db, "drop table if exists `" + table + "`");
    Exec(db, "create table `" + table + "`( id TEXT, comp_name TEXT, value TEXT )");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, ("insert into `" + table + "` values( ?, ?, ? )").c_str(), -1, &insert,
                       nullptr);
    std::string bytes[3];
    for (const FieldRecord& record : forms.rows) {
        const std::string* texts[] = {&record.id, &record.comp_name, &record.value};
        for (int i = 0; i < 3; ++i) {
            bytes[i].clear();
            AppendCp1250(*texts[i], bytes[i]);
            sqlite3_bind_text(insert, i + 1, bytes[i].data(), int(bytes[i].size()), SQLITE_STATIC);
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec(db, "commit transaction;");
    sqlite3_close(db);
}

std::size_t FloorRead(const std::string& file, const std::string& table, FloorForms& forms)
{
    forms.rows.clear();
    sqlite3* db = OpenDb(file);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db,
                       ("select id, comp_name, value from `" + table + "` order by rowid").c_str(),
                       -1, &select, nullptr);
    auto text = [&](int i) {
        return Cp1250ToUtf8({reinterpret_cast<const char*>(sqlite3_column_text(select, i)),
                             std::size_t(sqlite3_column_bytes(select, i))});
    };
    while (sqlite3_step(select) == SQLITE_ROW)
        forms.rows.push_back({text(0), text(1), text(2)});
    sqlite3_finalize(select);
    sqlite3_close(db);
    for (QString& value : forms.values)
        value = QString();
    QByteArray key;
    for (const FieldRecord& r : forms.rows) {
        key.clear();
        key.append(r.id.data(), qsizetype(r.id.size()))
            .append('\x1f')
            .append(r.comp_name.data(), qsizetype(r.comp_name.size()));
        const auto found = forms.place.constFind(key);
        if (found != forms.place.constEnd())
            forms.values[*found] = QString::fromStdString(r.value);
    }
    return forms.rows.size();
}

void WriteClassFile(const std::string& file)
{
    sqlite3* db = OpenDb(file);
    Exec(db, "begin transaction;");
    for (int n = 0; n < kStudents; ++n) {
        const std::string table = "PESEL" + std::to_string(90000000000LL + n);
        Exec(db, "create table `" + table + "`( id TEXT, comp_name TEXT, value TEXT )");
        const std::pair<const char*, std::string> rows[] = {
            {"Nazwisko_DATA_EDIT", Utf8ToCp1250("Łukasik" + std::to_string(n * 7919 % kStudents))},
            {"Imie_DATA_EDIT", "Jan"},
            {"Plec_DATA_COMBOBOX", "kobieta"},
            {"NumerPesel_DATA_EDIT", table.substr(5)},
        };
        for (const auto& [name, value] : rows)
            Exec(db, "insert into `" + table + "` values( 'DANE UCZNIA', '" + name + "', '" +
                         value + "' )");
    }
    Exec(db, "commit transaction;");
    sqlite3_close(db);
}

// A node whose label is shared by every student's node of the same document, the least a
// tree node with a text can hold.
class SharedLabelNode : public QTreeWidgetItem {
public:
    SharedLabelNode(QTreeWidgetItem* parent, const QString& label)
        : QTreeWidgetItem(parent)
        , label_(label)
    {
    }
    QVariant data(int column, int role) const override
    {
        return column == 0 && role == Qt::DisplayRole ? QVariant(label_)
                                                      : QTreeWidgetItem::data(column, role);
    }

private:
    const QString label_;
};

// The working copy replaced by a copy of `file` as the program must: a temporary beside
// it, synced, renamed over it, the folder synced.
void FloorCopy(const std::string& file, const std::string& working)
{
    ::unlink(working.c_str());
    const std::string temporary = working + ".kopia";
    std::filesystem::copy_file(file, temporary, std::filesystem::copy_options::overwrite_existing);
    const int out = ::open(temporary.c_str(), O_RDWR);
    ::fsync(out);
    ::close(out);
    std::filesystem::rename(temporary, working);
    const int folder =
        ::open(std::filesystem::path(working).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(folder);
    ::close(folder);
}

std::size_t FloorOpen(const std::string& file, const std::string& working, QTreeWidget& tree,
                      const QStringList& documentLabels)
{
    FloorCopy(file, working);
    sqlite3* db = OpenDb(working);
    std::vector<std::string> tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "select name from sqlite_master where type = 'table'", -1, &list,
                       nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    std::vector<std::pair<std::string, std::string>> names;  // sort key, display name
    for (const std::string& table : tables) {
        sqlite3_stmt* select = nullptr;
        const std::string sql =
            "select comp_name, value from `" + table +
            "` where id = 'DANE UCZNIA' and comp_name in ('Nazwisko_DATA_EDIT', "
            "'Imie_DATA_EDIT') order by rowid";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr);
        std::string surname, firstName;
        while (sqlite3_step(select) == SQLITE_ROW) {
            const char* field = reinterpret_cast<const char*>(sqlite3_column_text(select, 0));
            std::string& name = field[0] == 'N' ? surname : firstName;
            if (name.empty())
                name = Cp1250ToUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, 1)));
        }
        sqlite3_finalize(select);
        std::string display = surname + " " + firstName;
        names.emplace_back(StudentSortKey(display), std::move(display));
    }
    sqlite3_close(db);
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    tree.clear();
    QList<QTreeWidgetItem*> roots;
    roots.reserve(qsizetype(names.size()));
    for (const auto& [key, name] : names) {
        auto* root = new QTreeWidgetItem(QStringList(QString::fromStdString(name)));
        for (const QString& label : documentLabels)
            new SharedLabelNode(root, label);
        roots << root;
    }
    tree.addTopLevelItems(roots);
    return names.size();
}

}  // namespace

int main(int argc, char** argv)
{
    StartedProgram program(argc, argv);
    if (!program.start())
        return 1;
    TFGlowna& window = *FGlowna;
    ErrorStream es;
    const std::string working = DataTmpPath(es);
    iFunCheckIsStudentExists(es, working, kTable, true);

    FillEveryForm(kTable);
    if (!window.SaveStudentData()) {
        std::fprintf(stderr, "save failed: %s\n", es.str().c_str());
        return 1;
    }
    const std::vector<FieldRecord> records = window.RecordList;
    FloorForms floorForms(records);
    if (!window.LoadStudentData(kTable) || window.RecordList.size() != records.size() ||
        FloorRead(working, kTable, floorForms) != records.size()) {
        std::fprintf(stderr, "load read %zu of %zu records\n", window.RecordList.size(),
                     records.size());
        return 1;
    }
    std::printf("one student: %zu stored fields; median (min-max) of %d\n", records.size(), kRuns);

    const auto load = Alternate(
        kRuns, [&] { window.LoadStudentData(kTable); },
        [&] { FloorRead(working, kTable, floorForms); });
    Report("load one student into all forms", load, 1.5);
    const std::string floorTable = kTable + "_floor";
    const auto saveAlone = Alternate(
        kRuns, [&] { window.SaveStudentData(); },
        [&] { FloorWrite(working, floorTable, records, floorForms); });
    Report("save one student (1 student in the file)", saveAlone, 1.5);

    const std::string classFile = program.folders().root() + "/klasa.sqvlm";
    WriteClassFile(classFile);
    const QString classPath = QString::fromStdString(classFile);
    // The floor's tree: as wide and high as the window's, shown, its one column sized to its
    // labels.
    QTreeWidget floorTree;
    floorTree.setHeaderHidden(window.TreeView->isHeaderHidden());
    floorTree.header()->setStretchLastSection(false);
    floorTree.header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    floorTree.resize(window.TreeView->size());
    floorTree.show();
    QStringList documentLabels;
    for (const DocumentLabel& row : DocumentLabels())
        if (row.inTree)
            documentLabels << QString::fromUtf8(row.label.data(), qsizetype(row.label.size()));
    const auto open = Alternate(
        kRuns, [&] { bFunWczytajPlikSwiadectw(window, classPath); },
        [&] { FloorOpen(classFile, working + ".floor", floorTree, documentLabels); });
    if (window.TreeView == nullptr || window.StudentList.size() != std::size_t(kStudents) ||
        floorTree.topLevelItemCount() != window.TreeView->topLevelItemCount() ||
        floorTree.topLevelItem(0)->childCount() != window.TreeView->topLevelItem(0)->childCount()) {
        std::fprintf(stderr, "open read %zu students\n", window.StudentList.size());
        return 1;
    }
    Report("open a file of 1000 students and build the tree", open, 2.0);

    // One of the 1,000 students, every form filled, selected in the tree.
    const std::string classTable = "PESEL" + std::to_string(90000000000LL + kStudents / 2);
    window.LoadStudentData(classTable);
    FillEveryForm(classTable);
    const auto saveInClass = Alternate(
        kRuns, [&] { window.SaveStudentData(); },
        [&] { FloorWrite(working, floorTable, records, floorForms); });
    if (window.StudentList.size() != std::size_t(kStudents)) {
        std::fprintf(stderr, "the save changed the list to %zu students\n",
                     window.StudentList.size());
        return 1;
    }
    Report("save one student (1,000 students in the file)", saveInClass, 1.5);
    return 0;
}
