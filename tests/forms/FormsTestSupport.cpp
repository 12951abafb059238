#include "tests/forms/FormsTestSupport.h"

#include "platform/DialogService.h"
#include "store/Folders.h"
#include "store/Templates.h"

#include <gtest/gtest.h>

QStringList NumberedLineList(int n, const QString& word)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QString("%1 %2").arg(word).arg(i);
    return lines;
}

QString NumberedLines(int n, const QString& word)
{
    return NumberedLineList(n, word).join("\r\n");
}

bool TemplateSchool::load()
{
    values_.clear();
    ErrorStream es;
    std::vector<FieldRecord> records;
    const std::string path = JoinPath(strFunGetMainDirPath(es), kTemplatesFileName);
    if (!FileExists(path) || !bFunSqlTemplateReadData(es, path, "school_data", records)) {
        DialogService::instance().message(QStringLiteral("Błąd podczas odczytu danych.\n\n") +
                                              QString::fromStdString(es.str()),
                                          QStringLiteral("Błąd"), MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    for (const FieldRecord& r : records)
        values_.insert(QString::fromStdString(r.comp_name), QString::fromStdString(r.value));
    return true;
}

void WriteSchoolTemplate(const std::vector<FieldRecord>& records)
{
    ErrorStream es;
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, TemplatesFilePath(es), "school_data", records))
        << es.str();
}
