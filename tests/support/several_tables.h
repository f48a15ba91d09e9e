#pragma once
// A report that prints three tables one after the other, as a DOS program leaves it (code
// page 857, CR LF): a sub-ledger, an account summary under other headings, and a table of
// months with no date or code in it.

#include <string>

#include "support/report_lines.h"

namespace tablamo::testing {

inline std::string severalTablesReport() {
    const std::vector<int> ledger{10, 6, 20, 12, 12}, summary{10, 20, 12, 12}, months{8, 12, 12};
    const std::string dash(12, '-');
    return joinCrLf({
        "\x99RNEK T\x98"
        "CARET A.\x9E.                                    Sayfa : 1",
        "",
        "                  MUAV\x98N DEFTER\x98",
        "",
        fields({"Tarih", "Fi\x9F No", "A\x87\x8Dklama", ">Bor\x87", ">Alacak"}, ledger),
        rule(ledger),
        fields({"02.01.2024", "0001", "Sat\x8D\x9F faturas\x8D", ">100,00", ""}, ledger),
        fields({"05.01.2024", "0002", "Tahsilat", "", ">40,00"}, ledger),
        fields({"10.01.2024", "0003", "Sat\x8D\x9F faturas\x8D", ">25,50", ""}, ledger),
        fields({"", "", "", dash, dash}, ledger),
        fields({"", "", "TOPLAM", ">125,50", ">40,00"}, ledger),
        "",
        "                  HESAP \x99ZET\x98",
        "",
        fields({"Hesap Kodu", "Hesap Ad\x8D", ">Bor\x87", ">Alacak"}, summary),
        rule(summary),
        fields({"120.01.001", "ALFA LTD.\x9ET\x98.", ">125,50", ">40,00"}, summary),
        fields({"320.01.002", "BETA A.\x9E.", ">10,00", ">10,00"}, summary),
        fields({"", "", dash, dash}, summary),
        fields({"", "TOPLAM", ">135,50", ">50,00"}, summary),
        "",
        "                  AYLIK D\x99K\x9AM",
        "",
        fields({"Ay", ">Bor\x87", ">Alacak"}, months),
        rule(months),
        fields({"Ocak", ">100,00", ">40,00"}, months),
        fields({"\x9E"
                "ubat",
                ">1.025,50", ">0,00"},
               months),
        fields({"", dash, dash}, months),
        fields({"TOPLAM", ">1.125,50", ">40,00"}, months),
    });
}

}  // namespace tablamo::testing
