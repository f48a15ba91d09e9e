// tablamo-convert --akbank: the sample statement through the real converter into CSV.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/converter_run.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::readBytes;
using testing::TempDir;

// The exit status of the converter run with these arguments; its stderr goes to `err`.
int convert(const std::vector<std::string>& args, const std::string& err) {
    const testing::ConverterRun run = testing::runConverter(args);
    testing::writeBytes(err, run.err);
    return run.status;
}

std::vector<std::string> csvLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = bytes.find("\r\n", from)) != std::string::npos; from = end + 2) {
        lines.push_back(bytes.substr(from, end - from));
    }
    return lines;
}

TEST(StatementConverter, SampleStatementToCsv) {
    TempDir dir;
    const std::string sample = std::string(TABLAMO_SAMPLES) + "/akbank-ekstre.txt";
    ASSERT_EQ(convert({"--akbank", "--decimal-separator", ",", "-q", "-o", dir / "e.csv", sample},
                      dir / "err"),
              0)
        << readBytes(dir / "err");
    EXPECT_EQ(readBytes(dir / "err"), "");
    const std::vector<std::string> rows = csvLines(readBytes(dir / "e.csv"));
    const std::string tail11(11, ',');
    // One CSV line per text line: the row count is the statement's line count.
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[1],
              "1,,,,,,\"HESAP EKSTRES\xDD\",\"01.02.2010 - 28.02.2010\"" + std::string(13, ','));
    EXPECT_EQ(rows[4],
              "4,,\"IBAN      : TR12 0004 6001 2301 0012 3456 78\"" + std::string(18, ','));
    EXPECT_EQ(
        rows[5],
        "5,NO,TAR\xDDH,\"SF\xDD\xDE NO\",VAL\xD6R,\xDD\xDELEM,A\xC7IKLAMA,TUTAR,B/A,BAK\xDDYE" +
            tail11);
    EXPECT_EQ(rows[7],
              "7,1,01/02/2010,S000101,01/02/2010,EFT,\"EFT GELEN \x99"
              "DEME\",\"1234,56\",A,"
              "\"12500,00\"" +
                  tail11);
    EXPECT_EQ(rows[8],
              "8,2,05/02/2010,S000102,05/02/2010,HVL,\"HAVALE G\x99NDER\x98LEN\",\"-1234,56\",B,"
              "\"11265,44\"" +
                  tail11);
    EXPECT_EQ(rows[11], "11,====,,S" + std::string(17, ','));
    EXPECT_EQ(rows[12], "12" + std::string(20, ','));
}

}  // namespace
}  // namespace tablamo
