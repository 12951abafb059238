#include <gtest/gtest.h>

#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Log.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

TEST(Cp1250, EveryByteRoundTripsThroughUtf8)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(byte)), byte) << b;
    }
}

TEST(Cp1250, MapsCharactersBothWays)
{
    struct Case {
        const char* utf8;
        const char* cp1250;
    };
    const Case cases[] = {
        {"zażółć gęślą jaźń", "za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1"},
        {"ĄĆĘŁŃÓŚŹŻ", "\xa5\xc6\xca\xa3\xd1\xd3\x8c\x8f\xaf"},
        {"€ „cytat” – …", "\x80 \x84"
                          "cytat\x94 \x96 \x85"},
        // the five bytes the code page leaves unassigned
        {"\xc2\x81\xc2\x83\xc2\x88\xc2\x90\xc2\x98", "\x81\x83\x88\x90\x98"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250) << c.utf8;
        EXPECT_EQ(Cp1250ToUtf8(c.cp1250), c.utf8) << c.utf8;
        EXPECT_TRUE(IsCp1250Representable(c.utf8)) << c.utf8;
    }
}

TEST(Cp1250, CharacterWithoutByteBecomesQuestionMark)
{
    const struct {
        const char* utf8;
        const char* cp1250;
    } cases[] = {
        {"Ελλάδα", "??????"},
        {"a😀b", "a?b"},
        {"ñ", "?"},
        {"a\xff"
         "b",
         "a?b"},          // malformed UTF-8
        {"x\xc5", "x?"},  // cut sequence at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250) << c.utf8;
        EXPECT_FALSE(IsCp1250Representable(c.utf8)) << c.utf8;
        EXPECT_EQ(Cp1250Length(c.utf8), std::string(c.cp1250).size()) << c.utf8;
    }
}

TEST(Cp1250, LengthCountsCharacters)
{
    EXPECT_EQ(Cp1250Length(""), 0u);
    EXPECT_EQ(Cp1250Length("abc"), 3u);
    EXPECT_EQ(Cp1250Length("Żółw"), 4u);
}

// Over-long forms, surrogates and values beyond U+10FFFF are no characters: none of them
// may turn into an ASCII byte (C0 A7 into an apostrophe) after the statement was quoted.
TEST(Cp1250, OverLongAndInvalidSequencesNeverBecomeAscii)
{
    const struct {
        const char* utf8;
        const char* cp1250;
    } cases[] = {
        {"\xC0\xA7", "?"},          // over-long apostrophe
        {"\xC1\x9C", "?"},          // over-long backslash
        {"\xE0\x80\xA7", "?"},      // three-byte over-long apostrophe
        {"\xF0\x80\x80\xA7", "?"},  // four-byte over-long apostrophe
        {"\xE0\x81\x80", "?"},      // over-long "`"
        {"\xED\xA0\x80", "?"},      // a surrogate
        {"\xF4\x90\x80\x80", "?"},  // beyond U+10FFFF
        {"a\xC0\xA7"
         "b\xC4\x85",
         "a?b\xB9"},  // the sound letter after it stays
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250) << c.utf8;
        EXPECT_FALSE(IsCp1250Representable(c.utf8)) << c.utf8;
        EXPECT_EQ(Cp1250Length(c.utf8), std::string(c.cp1250).size()) << c.utf8;
    }
}

TEST(Cp1250, OverLongApostropheCannotBreakAStatement)
{
    TempFolders folders;
    ErrorStream es;
    const std::string file = folders.dataFile("data_tmp.sqtmp");
    const std::string attack = "x\xC0\xA7); drop table `PESEL1`; --";
    ASSERT_EQ(iFunCheckIsStudentExists(es, file, "PESEL1", true), 0) << es.str();
    ASSERT_TRUE(
        ReplaceStudentTable(es, file, "PESEL1", {{"DANE UCZNIA", "Nazwisko_DATA_EDIT", attack}}))
        << es.str();
    std::vector<FieldRecord> rows;
    ASSERT_TRUE(bFunLoadCertData(es, file, "PESEL1", rows)) << es.str();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value, "x?); drop table `PESEL1`; --");

    // The log's statement too (it carries paths and the login name).
    es.str("log \xC0\xA7); drop table `error`; --");
    LogWrite(es, "Test()");
    ASSERT_FALSE(LogRows().empty());
    EXPECT_EQ(LogRows().back().info, "log ?); drop table `error`; --");
}
