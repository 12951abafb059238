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
    dialogs.answerOpenFile(QString::fromStdString(writeExport("dwoje.snv", Join({
        MusicSchoolStudent("Nowak", "Jan", "66666666666"),
        MusicSchoolStudent("Kowal", "Ewa", "77777777777"),
    }))));

    Importuj1Click(host);

    // Each student: three personal rows, then four document rows (one field, three memo lines).
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
