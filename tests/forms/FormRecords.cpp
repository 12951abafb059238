#include "tests/forms/FormRecords.h"

#include "store/CertFile.h"
#include "store/Folders.h"

#include <gtest/gtest.h>

std::vector<FieldRecord> CollectAll(const FormRegistry& registry)
{
    std::vector<FieldRecord> out;
    registry.CollectAll(out);
    return out;
}

std::vector<FieldRecord> Collect(const DocumentForm& form)
{
    std::vector<FieldRecord> out;
    EXPECT_TRUE(form.CollectFields(out)) << form.className().toStdString();
    return out;
}

Snapshot TakeSnapshot(const FormRegistry& registry)
{
    Snapshot out;
    for (const FieldRecord& r : CollectAll(registry))
        out[{r.id, r.comp_name}] = r.value;
    return out;
}

Snapshot Changes(const Snapshot& before, const Snapshot& after)
{
    Snapshot out;
    for (const auto& [key, value] : after) {
        const auto it = before.find(key);
        if (it == before.end() || it->second != value)
            out[key] = value;
    }
    for (const auto& [key, value] : before)
        if (!after.count(key))
            out[key] = "<gone>";
    return out;
}

void SetStoredFields(
    DocumentForm& form,
    const std::function<std::optional<QString>(const LayoutComponent&, int index)>& textOf)
{
    for (int i = 0; i < form.componentCount(); ++i) {
        const LayoutComponent& c = form.component(i);
        if (!c.isStored())
            continue;
        if (const std::optional<QString> text = textOf(c, i))
            form.setText(i, *text);
    }
}

void StoreAndReload(FormRegistry& registry, const std::vector<FieldRecord>& records)
{
    const std::string table = "PESEL01234567890";
    ErrorStream es;
    const std::string file = DataTmpPath(es);
    ASSERT_NE(iFunCheckIsStudentExists(es, file, table, true), -1) << es.str();
    ASSERT_TRUE(ReplaceStudentTable(es, file, table, records)) << es.str();
    registry.ClearAll();
    std::vector<FieldRecord> loaded;
    ASSERT_TRUE(bFunLoadCertData(es, file, table, loaded)) << es.str();
    registry.FillAll(loaded);
}
