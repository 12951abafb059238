#include "render/RowClassifier.h"

#include <array>

namespace {

struct Rule {
    std::string_view literal;
    RowKind kind;
    int page;
};

using enum RowKind;

constexpr std::array<Rule, 19> kCertificateChain{{
    {"_STR1_DATA_LABEL", Text, 1},          {"_STR2_DATA_LABEL", Text, 2},
    {"_STR3_DATA_LABEL", Text, 3},          {"_STR4_DATA_LABEL", Text, 4},
    {"_STR1_DATA_EDIT", Text, 1},           {"_STR2_DATA_EDIT", Text, 2},
    {"_STR3_DATA_EDIT", Text, 3},           {"_STR4_DATA_EDIT", Text, 4},
    {"_STR1_DATA_COMBOBOX", Text, 1},       {"_STR2_DATA_COMBOBOX", Text, 2},
    {"_STR3_DATA_COMBOBOX", Text, 3},       {"_STR4_DATA_COMBOBOX", Text, 4},
    {"_STR1_LINIA_Z_KROPEK", DotLeader, 1}, {"_STR2_LINIA_Z_KROPEK", DotLeader, 2},
    {"_STR3_LINIA_Z_KROPEK", DotLeader, 3}, {"_STR4_LINIA_Z_KROPEK", DotLeader, 4},
    {"STR2_DATA_MEMO", MemoLine, 2},        {"STR3_DATA_MEMO", MemoLine, 3},
    {"STR4_DATA_MEMO", MemoLine, 4},
}};

constexpr std::array<Rule, 6> kSheetChain{{
    {"GRAFIKA: RAMKA", Frame, 1},
    {"_LINIA_Z_KROPEK", DotLeader, 1},
    {"_DATA_COMBOBOX", Text, 1},
    {"_DATA_EDIT", Text, 1},
    {"_DATA_LABEL", Text, 1},
    {"_DATA_MEMO", MemoLine, 1},
}};

constexpr std::string_view kPageOneFieldLiteral = "_STR1_DATA_EDIT";

bool Contains(std::string_view name, std::string_view literal)
{
    return name.find(literal) != std::string_view::npos;
}

template <std::size_t N>
RowClass FirstMatch(std::string_view name, const std::array<Rule, N>& chain)
{
    RowClass result;
    for (const Rule& rule : chain) {
        if (Contains(name, rule.literal)) {
            result.kind = rule.kind;
            result.page = rule.page;
            result.skipWhenEmpty =
                rule.literal == kPageOneFieldLiteral &&
                (Contains(name, "ZMIENNA_UrWE") || Contains(name, "ZMIENNA_SzkolaWE"));
            break;
        }
    }
    return result;
}

}  // namespace

RowClass ClassifyRow(std::string_view name, bool certificate)
{
    if (!certificate)
        return FirstMatch(name, kSheetChain);
    RowClass result = FirstMatch(name, kCertificateChain);
    result.emblem = Contains(name, "GRAFIKA: ORZELEK");
    result.stamp = Contains(name, "GRAFIKA: PIECZATKA");
    return result;
}
