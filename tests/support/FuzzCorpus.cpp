#include "tests/support/FuzzCorpus.h"

#include <vector>

#include "store/CertFile.h"
#include "store/Cp1250.h"

namespace {

std::string ExportText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += Utf8ToCp1250(line) + "\r\n";
    return text;
}

}  // namespace

bool WriteCertificatesCorpus(ErrorStream& es, const std::string& path)
{
    if (iFunCheckIsStudentExists(es, path, "PESEL01234567890", true) != 0)
        return false;
    const std::vector<FieldRecord> first = {
        {"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Żółć"},
        {"DANE UCZNIA", "Imie_DATA_EDIT", "Anna"},
        {"KLASA II MUZYCZNA", "ZMIENNA_Uwagi_DATA_MEMO01", std::string(3000, 'x')}};
    const std::vector<FieldRecord> second = {{"DANE UCZNIA", "Imie_DATA_EDIT", "Jan"}};
    return bFunSaveCertData(es, path, "PESEL01234567890", first) &&
           bFunSaveCertData(es, path, "PESEL11111111111", second);
}

std::string MusicSchoolExportCorpus()
{
    return ExportText({"<DANE SWIADECTW DLA: Nowak Anna>", "<DANE UCZNIA MUZYCZNA>",
                       "<Nazwisko_DATA_EDIT>Nowak", "<Imie_DATA_EDIT>Anna",
                       "<NumerPesel_DATA_EDIT>01234567890", "</DANE UCZNIA MUZYCZNA>",
                       "<KLASA II MUZYCZNA>", "<ZMIENNA_Uwagi_DATA_MEMO>żółć",
                       "</KLASA II MUZYCZNA>", "</KONIEC DANYCH SWIADECTW>"});
}

std::string PrimarySchoolExportCorpus()
{
    return ExportText({"<DANE SWIADECTW DLA: Nowak Jan>", "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
                       "<Nazwisko_DATA_EDIT>Nowak", "<NrPesel_DATA_EDIT>22222222222",
                       "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>", "</KONIEC DANYCH SWIADECTW>"});
}
