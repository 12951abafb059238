#include "main/StudentOrder.h"

#include <algorithm>

#include "store/Cp1250.h"
#include "store/Folders.h"

std::string StudentSortKey(std::string_view displayName)
{
    std::string key = Utf8ToCp1250(FoldPolishLetters(std::string(displayName)));
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return key;
}

std::vector<StudentEntry> SortedStudents(std::vector<StudentEntry> students)
{
    std::vector<std::pair<std::string, StudentEntry>> keyed;
    keyed.reserve(students.size());
    for (StudentEntry& entry : students)
        keyed.emplace_back(StudentSortKey(entry.display_name), std::move(entry));
    // std::string compares its chars as unsigned bytes (char_traits<char>::lt).
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    students.clear();
    for (auto& [key, entry] : keyed)
        students.push_back(std::move(entry));
    return students;
}

QString StudentTreeLabel(const std::string& displayName)
{
    QString label = QString::fromStdString(displayName);
    if (label.size() > kLongestTreeLabel) {
        label.truncate(kLongestTreeLabel);
        label += u'…';
    }
    return label;
}
