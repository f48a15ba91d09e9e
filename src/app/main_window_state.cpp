// What the main window keeps and tells besides the table: the choices the user made on the
// command bar and the reports opened last, kept between starts in the window's settings
// file, and the status bar's account of the loaded report.

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <filesystem>

#include "app/columns_controller.h"
#include "app/command_bar.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/window_memory.h"
#include "commands/profile_commands.h"
#include "core/platform/files.h"

namespace tablamo::app {
namespace {

constexpr const char* kDropEditsQuestion =
    "Tablodaki hücrelerde yaptığınız değişiklikler, rapor yeniden aktarılınca kaybolacak.\r\n"
    "Yine de devam edilsin mi?";

}  // namespace

void MainWindow::restoreMemory() {
    if (!m_memory) return;
    // A choice the user never made keeps its default: off.
    if (const auto on = m_memory->choice(Choice::CleanTable)) m_ws.settings.cleanTable = *on;
    if (const auto on = m_memory->choice(Choice::SignedBalance)) m_ws.settings.signedBalance = *on;
    if (const auto on = m_memory->choice(Choice::Openings)) m_ws.settings.openings = *on;
    m_recent = RecentReports(m_memory->recentReports());
    m_bar->showRecentReports(m_recent.entries());
}

void MainWindow::choiceClicked(Choice which, bool on) {
    QCheckBox* const box = which == Choice::CleanTable      ? m_bar->cleanTable()
                           : which == Choice::SignedBalance ? m_bar->signedBalance()
                                                            : m_bar->openings();
    bool& setting = which == Choice::CleanTable      ? m_ws.settings.cleanTable
                    : which == Choice::SignedBalance ? m_ws.settings.signedBalance
                                                     : m_ws.settings.openings;
    // The signed balance and the openings change only a clean table.
    const bool importsAgain =
        !m_ws.text.empty() && (which == Choice::CleanTable || m_ws.settings.cleanTable);
    if (importsAgain && m_model->cellsEdited() && !m_ui->askYesNo(kDropEditsQuestion)) {
        box->setChecked(!on);  // not clicked: nothing else runs
        return;
    }
    setting = on;
    m_bar->signedBalance()->setEnabled(m_ws.settings.cleanTable);
    m_bar->openings()->setEnabled(m_ws.settings.cleanTable);
    remember(which, on);
    if (importsAgain) {
        m_columnsControl->importAgain();
    } else {
        showStatus();
    }
}

void MainWindow::remember(Choice which, bool on) {
    if (m_memory && !m_memory->setChoice(which, on)) memoryNotWritten();
}

void MainWindow::reportOpened(bool statement) {
    // Kept absolute, so the list opens it again from wherever the window starts.
    const QString path = QFileInfo(QString::fromStdString(m_ws.reportPath)).absoluteFilePath();
    m_recent.add({path.toStdString(), statement});
    recentChanged();
}

void MainWindow::recentChosen(int index) {
    const auto& entries = m_recent.entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
    const RecentReport report = entries[static_cast<std::size_t>(index)];
    std::error_code ec;
    // Gone: out of the list. Not to be read (a folder without access): the open says why.
    if (!std::filesystem::exists(platform::toFsPath(report.path), ec) && !ec) {
        m_recent.remove(report.path);
        recentChanged();
        m_ui->showMessage(missingRecentReportText(report.path));
        return;
    }
    openFile(report.path, report.statement ? Importer::Statement : Importer::Report);
}

void MainWindow::recentChanged() {
    m_bar->showRecentReports(m_recent.entries());
    if (m_memory && !m_memory->setRecentReports(m_recent.entries())) memoryNotWritten();
}

void MainWindow::memoryNotWritten() {
    if (m_memoryFailed) return;
    m_memoryFailed = true;
    m_ui->showError(
        "Seçimleriniz ve son raporlar listesi kaydedilemedi; Tablamo bir sonraki açılışta "
        "bunları hatırlamayacak.");
}

void MainWindow::showStatus() {
    QStringList parts;
    if (m_ws.book.table().summary) {
        // "Özet" of a month's book: a row per report.
        parts << QStringLiteral("Özet: %1 rapor")
                     .arg(QLocale::system().toString(
                         static_cast<qlonglong>(m_ws.grid().rowCount() - 1)));
    } else if (m_ws.clean()) {
        // Which table the grid holds: the print-out's picture or the records alone.
        QString which = QStringLiteral("Temiz tablo");
        if (m_ws.settings.signedBalance) which += QStringLiteral(", işaretli bakiye");
        if (m_ws.settings.openings) which += QStringLiteral(", açılışlar");
        parts << which + QStringLiteral(": %1 kayıt")
                             .arg(QLocale::system().toString(
                                 static_cast<qlonglong>(m_ws.clean()->recordLines.size())));
        const std::string outcome = cleanOutcomeText(*m_ws.clean());
        if (!outcome.empty()) parts << QString::fromStdString(outcome);
    } else if (m_cleanHint && !m_ws.text.empty()) {
        // The plain table is the print-out's picture: the records the clean one would read.
        parts << QStringLiteral("Temiz tablo: %1 kayıt — işaretleyin")
                     .arg(QLocale::system().toString(static_cast<qlonglong>(*m_cleanHint)));
    }
    if (m_ws.profile) parts << QString::fromStdString(profileAppliedText(m_ws.profile->name));
    if (!m_ws.profileErrors.empty()) {
        parts << QStringLiteral("%1 düzen dosyası okunamadı").arg(m_ws.profileErrors.size());
    }
    // How the file was read, when not as the DOS code page: UTF-8 or Windows-1254.
    if (const std::string note = inputReadingNote(m_ws.textReading); !note.empty()) {
        parts << QString::fromStdString(note);
    }
    // The report line the current row comes from: a clean table knows each record's; the
    // plain import puts line StartRow into row StartColumn and every later line below it.
    const int row = m_ws.grid().currentRow();
    std::optional<int> line;
    if (m_ws.clean()) {
        line = m_ws.clean()->lineOfRow(row);
    } else if (!m_ws.text.empty() && !m_ws.openedAsStatement) {
        std::int32_t firstRow = 0, firstLine = 0;
        if (tryStrToInt(m_ws.settings.layout.StartColumn, firstRow) &&
            tryStrToInt(m_ws.settings.layout.StartRow, firstLine)) {
            const std::int64_t i = std::int64_t{row} - firstRow + firstLine;
            if (row >= 1 && i >= 0 && i < m_ws.text.lineCount()) line = static_cast<int>(i) + 1;
        }
    }
    if (line) parts << QStringLiteral("Rapor satırı: %1").arg(*line);
    m_status->setText(parts.join(QStringLiteral("  ·  ")));
}

}  // namespace tablamo::app
