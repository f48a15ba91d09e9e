// "Aç"'s loading step: a UTF-8 report is re-coded before it is cut.

#include <gtest/gtest.h>

#include "commands/open_commands.h"
#include "core/workspace.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

const std::string kData = TABLAMO_TEST_DATA;

TEST(LoadReport, AUtf8ReportBecomesItsCodePage857Twin) {
    for (const std::string name : {"ledger-rule-line", "framed-report"}) {
        const std::string dos = testing::readBytes(kData + "/" + name + "/report.txt");
        const std::string utf8 = kData + "/utf8-input/" + name + ".txt";
        for (const bool mapped : {false, true}) {
            Workspace ws;
            loadReport(ws, utf8, mapped);
            EXPECT_EQ(ws.text.bytes(), dos) << name;
            EXPECT_TRUE(ws.textReading.readAsUtf8) << name;
            // The DOS file afterwards: the reading is that of the file now loaded.
            loadReport(ws, kData + "/" + name + "/report.txt", mapped);
            EXPECT_EQ(ws.text.bytes(), dos) << name;
            EXPECT_FALSE(ws.textReading.readAsUtf8) << name;
        }
        Workspace asked;
        loadReport(asked, utf8, false, InputEncoding::Cp857);
        EXPECT_EQ(asked.text.bytes(), testing::readBytes(utf8)) << name;
    }
}

}  // namespace
}  // namespace tablamo
