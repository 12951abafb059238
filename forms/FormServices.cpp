#include "forms/SchoolData.h"
#include "forms/StudentData.h"

namespace {

class NoStudent : public StudentData {
public:
    QString fieldText(const QString&) const override { return {}; }
};

const NoStudent noStudent;
const StudentData* installedStudent = nullptr;
SchoolData* installedSchool = nullptr;

}  // namespace

const StudentData& StudentData::current()
{
    return installedStudent ? *installedStudent : noStudent;
}

void StudentData::install(const StudentData* source)
{
    installedStudent = source;
}

SchoolData* SchoolData::current()
{
    return installedSchool;
}

void SchoolData::install(SchoolData* source)
{
    installedSchool = source;
}
