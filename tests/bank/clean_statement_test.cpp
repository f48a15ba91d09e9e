#include "bank/clean_statement.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace tablamo {
namespace {

const std::string kSamples = TABLAMO_SAMPLES;

struct Statement {
    Workspace ws;
    ImportOutcome outcome;

    explicit Statement(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        ws.text = ReportText(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        ws.regional = RegionalSettings::turkish();
        outcome = importCleanStatement(ws);
    }
    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 1; c < ws.grid().colCount(); ++c) cells.emplace_back(ws.grid().cell(c, r));
        return cells;
    }
};

using Row = std::vector<std::string>;

TEST(CleanStatement, TransactionsWithTheirContinuationLinesAndTheAccount) {
    // Wholly in code page 857: the heading's TARİH holds the DOS byte for İ.
    Statement s(kSamples + "/akbank-ekstre-devam.txt");
    EXPECT_TRUE(s.outcome.imported());
    EXPECT_EQ(s.ws.grid().rowCount(), 23);  // the headings and 22 transactions
    EXPECT_EQ(s.row(0), (Row{"IBAN", "NO", "TAR\xDDH", "F\xDD\xDE NO", "VAL\xD6R", "\xDD\xDELEM",
                             "A\xC7IKLAMA", "TUTAR", "B/A", "BAK\xDDYE"}));
    EXPECT_EQ(s.row(2), (Row{"TR40 0004 6004 0138 5201 3046 36", "2", "02.02.2010", "000486",
                             "02.02.2010", "POS",
                             "POS SATI\xDE HASILATI REF:20100273465 \xD6"
                             "DEME EMR\xDD NO 4711",
                             "270,61", "A", "1411,01"}));
    const CleanShape& shape = *s.ws.clean();
    EXPECT_EQ(shape.columns[2].kind, ColumnKind::Date);
    EXPECT_EQ(shape.columns[7].kind, ColumnKind::Amount);
    EXPECT_EQ(shape.lineOfRow(2), 13);
    // BORÇ TOPLAMI, ALACAK TOPLAMI and DÖNEM SONU BAKİYE agree with the transactions.
    EXPECT_TRUE(s.outcome.warnings.empty());
    EXPECT_EQ(s.outcome.note, "3 toplam satırı kayıtlarla tutuyor");
}

TEST(CleanStatement, AWindowsStatementKeepsItsLetters) {
    Statement s(kSamples + "/akbank-ekstre.txt");
    ASSERT_EQ(s.ws.grid().rowCount(), 5);
    EXPECT_EQ(s.row(1), (Row{"TR12 0004 6001 2301 0012 3456 78", "1", "01.02.2010", "000101",
                             "01.02.2010", "EFT",
                             "EFT GELEN \xD6"
                             "DEME ABC T\xDD"
                             "CARET LTD \xDET\xDD",
                             "1234,56", "A", "12500,00"}));
    EXPECT_EQ(s.row(4)[6], "MEVDUAT FA\xDDZ\xDD");
}

TEST(CleanStatement, NoTransactionGivesThePlainTable) {
    Statement s(kSamples + "/muavin.txt");
    EXPECT_EQ(s.outcome.status, ImportStatus::NoRecords);
    EXPECT_EQ(s.outcome.message,
              "Temiz tablo: ekstrede işlem satırı bulunamadı.\r\nEkstre temiz olmadan aktarıldı.");
    EXPECT_FALSE(s.ws.clean());
    EXPECT_EQ(s.ws.grid().colCount(), Grid::kColumnCount);
}

}  // namespace
}  // namespace tablamo
