#include "store/SqlText.h"

namespace {

std::string Quoted(std::string_view text, char quote)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += quote;
    for (char c : text) {
        out += c;
        if (c == quote)
            out += quote;
    }
    out += quote;
    return out;
}

}  // namespace

std::string SqlIdent(std::string_view name)
{
    return Quoted(name, '`');
}
std::string SqlValue(std::string_view value)
{
    return Quoted(value, '\'');
}
std::string SqlValue(int value)
{
    return Quoted(std::to_string(value), '\'');
}

std::string DoubleApostrophes(std::string_view value)
{
    const std::string quoted = Quoted(value, '\'');
    return quoted.substr(1, quoted.size() - 2);
}

std::string SpelledSql(std::string_view sql, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto value = values.begin();
    char quote = 0;  // the quote of the name or text being read, 0 outside one
    for (char c : sql) {
        if (quote == 0 && c == '?' && value != values.end()) {
            out += SqlValue(*value++);
            continue;
        }
        if (quote == 0 && (c == '`' || c == '\'' || c == '"'))
            quote = c;
        else if (c == quote)
            quote = 0;
        out += c;
    }
    return out;
}
