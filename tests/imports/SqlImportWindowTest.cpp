#include <QEvent>
#include <QLabel>

#include "main/ImportCommands.h"
#include "platform/Controls.h"
#include "tests/imports/ImportTestSupport.h"

using SqlImportWindow = ImportTest;

TEST_F(SqlImportWindow, StartsAsDesigned)
{
    EXPECT_EQ(window.windowTitle(), "Import danych");
    EXPECT_EQ(window.size(), QSize(504, 60));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.Label1->text(), "Operacja:");
    EXPECT_TRUE(window.InfoLabel->text().isEmpty());
    EXPECT_EQ(window.ProgressBar->minimum(), 0);
    EXPECT_EQ(window.ProgressBar->maximum(), 100);
}

TEST_F(SqlImportWindow, IsShownWhileTheImportRunsAndItsBarReachesTheRowCount)
{
    dialogs.answerOpenFile(QString::fromStdString(
        writeExport("dwoje.snv", Join({
                                     MusicSchoolStudent("Nowak", "Jan", "66666666666"),
                                     MusicSchoolStudent("Kowal", "Ewa", "77777777777"),
                                 }))));

    Importuj1Click(host);

    // Each student: three personal rows, then four document rows (one field, three memo lines).
    // The window is on screen from the first operation on.
    EXPECT_EQ(window.stages, (std::vector<ImportStage>{
                                 {"importuje dane ucznia...", 3, true},
                                 {"importuje świadectwa dla PESEL66666666666", 4, true},
                                 {"importuje dane ucznia...", 3, true},
                                 {"importuje świadectwa dla PESEL77777777777", 4, true},
                             }));
    EXPECT_EQ(window.InfoLabel->text(), "importuje świadectwa dla PESEL77777777777");
    EXPECT_EQ(window.ProgressBar->maximum(), 4);
    EXPECT_EQ(window.ProgressBar->value(), 4);
    EXPECT_FALSE(window.isVisible());
}

namespace {

// The paints of the import window's operation and bar: what each showed.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(TFSQLImport& window)
        : window_(window)
    {
        window.InfoLabel->installEventFilter(this);
        window.ProgressBar->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (watched == window_.InfoLabel)
                operations << window_.InfoLabel->text();
            else
                barPaints++;
        }
        return false;
    }
    QStringList operations;
    int barPaints = 0;

private:
    TFSQLImport& window_;
};

}  // namespace

TEST_F(SqlImportWindow, PaintsItsProgressAFewTimesWhileALongImportRuns)
{
    // 500 students of three personal and four document rows: 3,500 rows in 1,000 operations.
    ExportLines lines;
    for (int student = 0; student < 500; ++student) {
        const ExportLines one =
            MusicSchoolStudent("Nowak", "Jan", std::to_string(10000000000LL + student));
        lines.insert(lines.end(), one.begin(), one.end());
    }
    dialogs.answerOpenFile(QString::fromStdString(writeExport("szkola.snv", lines)));
    PaintRecorder recorder(window);

    Importuj1Click(host);

    // Painted whole when shown, before any operation; then the first student's operation
    // at once and later ones as the import goes on, but not at every row as Qt would.
    ASSERT_GE(recorder.operations.size(), 3);
    EXPECT_EQ(recorder.operations[0], "");
    EXPECT_EQ(recorder.operations[1], "importuje dane ucznia...");
    EXPECT_LT(recorder.operations.size(), 10);
    EXPECT_EQ(recorder.barPaints, recorder.operations.size());
    EXPECT_EQ(host.tree.size(), 500u);
}
