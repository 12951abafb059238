#include "DialogTestEnv.h"

#include "forms/dialogs/StudentDialog.h"
#include "tests/support/TestApplication.h"
#include "store/CertFile.h"
#include "store/Folders.h"
#include "store/RequiredFiles.h"

QApplication& DialogTestApp()
{
    EnsureApplication();
    return *qApp;
}

bool RecordingHost::SaveStudentData()
{
    ++saves;
    if (failSave || !FDaneUcznia)
        return false;
    std::vector<FieldRecord> records;
    FDaneUcznia->CollectFields(records);
    const std::string table =
        "PESEL" + FDaneUcznia->fieldText("NumerPesel_DATA_EDIT").toStdString();
    return ReplaceStudentTable(errors, DataTmpPath(errors), table, records);
}

DialogTest::DialogTest()
{
    DialogTestApp();
    folders.copyFactoryFiles();
    ErrorStream es;
    EXPECT_TRUE(bFunCheckFilesDir(es)) << es.str();
    dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    previousHost_ = DialogHost::install(&host);
}

DialogTest::~DialogTest()
{
    DialogHost::install(previousHost_);
}

std::string DialogTest::workingCopy() const
{
    ErrorStream es;
    return DataTmpPath(es);
}

std::vector<FieldRecord> DialogTest::tableRows(const std::string& table) const
{
    ErrorStream es;
    std::vector<FieldRecord> rows;
    if (tableExists(table)) {
        EXPECT_TRUE(bFunLoadCertData(es, workingCopy(), table, rows)) << es.str();
    }
    return rows;
}

bool DialogTest::tableExists(const std::string& table) const
{
    if (!FileExists(workingCopy()))
        return false;
    ErrorStream es;
    return iFunCheckIsStudentExists(es, workingCopy(), table, false) == 1;
}

std::vector<QString> DialogTest::messages() const
{
    std::vector<QString> result;
    for (const DialogRequest& r : dialogs.requestsOf(DialogKind::Message))
        result.push_back(r.caption + u'|' + r.text);
    return result;
}
