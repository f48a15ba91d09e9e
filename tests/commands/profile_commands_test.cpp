// Layout profiles as files: the report's fingerprint, saving and loading, the look-up in the
// profiles folder.

#include "commands/profile_commands.h"

#include <gtest/gtest.h>

#include "core/report_text.h"
#include "core/workspace.h"
#include "import/report_fingerprint.h"
#include "support/report_lines.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::string kSamples = TABLAMO_SAMPLES;

ReportText sample(const std::string& name) { return ReportText::loadFile(kSamples + "/" + name); }

TEST(ReportFingerprint, IsTheHeadingOverTheMeasuredColumns) {
    const struct {
        const char* sample;
        std::string expected;  // Windows-1254
    } cases[] = {
        {"muavin.txt", "Tarih Fi\xFE No A\xE7\xFDklama Bor\xE7 Alacak Bakiye B/A"},
        {"mizan.txt", "Hesap Kodu Hesap Ad\xFD Bor\xE7 Alacak Bakiye Bakiye"},
        {"framed.txt", "Tarih A\xE7\xFDklama Tutar"},
        {"kasa-defteri-cerceveli.txt",
         "Fi\xFE No Tarih A\xE7\xFDklama Giri\xFE \xC7\xFDk\xFD\xFE Bakiye"},
        {"rule-and-frame.txt", "Stok Kodu Malzeme Miktar"},
        {"not-a-report.txt", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportFingerprint(sample(c.sample), ReportLayout{}), c.expected) << c.sample;
    }
}

// Two months of one program's sub-ledger: other title, other entries, the same headings.
std::string ledger(const std::string& month, const std::string& entry) {
    return testing::joinCrLf(
        {"ORNEK A.S.   MUAVIN   " + month, "", "Tarih      Tutar", "---------- ---------", entry});
}

TEST(FindMatchingProfile, TakesTheFirstMatchByFileName) {
    TempDir folder;
    LayoutProfile muavin;
    muavin.fingerprint = reportFingerprint(ReportText(ledger("Ocak 2005", "")), muavin.layout);
    ASSERT_EQ(muavin.fingerprint, "Tarih Tutar");
    muavin.layout.setColumnWidth(1, 11);
    LayoutProfile second = muavin;
    second.layout.setColumnWidth(1, 12);
    LayoutProfile other;
    other.fingerprint = "Hesap Kodu Hesap Ad\xFD";
    saveProfile(other, folder / "a-mizan.json");
    writeBytes(folder / "b-broken.json", "{");
    saveProfile(second, folder / "d-muavin.json");
    saveProfile(muavin, folder / "c-muavin-2005.json");
    writeBytes(folder / "0-notes.txt", readBytes(folder / "c-muavin-2005.json"));

    const ProfileSearch search = findMatchingProfile(
        ReportText(ledger("Subat 2006", "01.02.2006    12,50")), folder.path().string());
    ASSERT_TRUE(search.match);
    EXPECT_EQ(search.match->name, "c-muavin-2005");
    EXPECT_EQ(search.match->profile, muavin);
    EXPECT_EQ(profileAppliedText(search.match->name), "Düzen: c-muavin-2005 uygulandı");
    ASSERT_EQ(search.problems.size(), 1u);
    EXPECT_NE(search.problems[0].find("b-broken.json\": JSON değil"), std::string::npos);

    EXPECT_FALSE(findMatchingProfile(sample("framed.txt"), folder.path().string()).match);
    EXPECT_FALSE(findMatchingProfile(ReportText(ledger("Ocak", "")), folder / "missing").match);
}

TEST(ProfileFiles, SaveLoadAndTheirErrors) {
    TempDir dir;
    Workspace ws;
    ws.text = sample("framed.txt");
    ws.settings.layout.setColumnWidth(2, 7);
    const LayoutProfile profile = profileOf(ws);
    EXPECT_EQ(profile.fingerprint, "Tarih A\xE7\xFDklama Tutar");
    saveProfile(profile, dir / "p.json");
    EXPECT_EQ(loadProfile(dir / "p.json"), profile);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"p.json"});  // no temporary file left

    Workspace other;
    applyProfile(other, profile);
    EXPECT_EQ(other.settings.layout, ws.settings.layout);

    // The system's reason follows; its words are the system's own.
    EXPECT_EQ(testing::errorText([&] {
                  loadProfile(dir / "none.json");
              }).rfind("Cannot open file \"" + dir / "none.json" + "\". ", 0),
              0u);
    EXPECT_EQ(testing::errorText([&] {
                  saveProfile(profile, dir / "no/p.json");
              }).rfind("Cannot create file \"" + dir / "no/p.json" + "\". ", 0),
              0u);
}

}  // namespace
}  // namespace tablamo
