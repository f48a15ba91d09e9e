// What reaches the main window from outside: reports dropped on it (several at once are
// merged) and the start options that open a report and save its table.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "app/main_window.h"
#include "core/platform/files.h"
#include "core/ui_port.h"
#include "export/output_formats.h"

namespace tablamo::app {
namespace {

// Answers the open dialog with a path given at start-up; everything else goes to the
// window's own port.
class PresetOpenUi : public ForwardingUi {
public:
    PresetOpenUi(UiPort& inner, std::string path) : ForwardingUi(inner), m_path(std::move(path)) {}
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return m_path; }

private:
    std::string m_path;
};

// The local files a drag carries.
std::vector<std::string> droppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    }
    return files;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = droppedFiles(event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    // Several reports dropped at once are merged, as "Birleştir…" merges them.
    if (paths.size() > 1) {
        mergeFiles(paths);
    } else {
        openAtStart(paths.front());
    }
}

bool MainWindow::openAtStart(const std::string& path) { return openFile(path, Importer::Report); }

bool MainWindow::openFile(const std::string& path, Importer importer) {
    PresetOpenUi preset(*m_ui, path);
    return openWith(preset, importer);
}

bool MainWindow::saveAtStart(const std::string& path, UiPort& ui) {
    const OutputFormatInfo* format = formatOfFileName(path);
    if (!format) return false;
    bool failed = false;
    struct Watch : ForwardingUi {
        bool& failed;
        Watch(UiPort& inner, bool& f) : ForwardingUi(inner), failed(f) {}
        void showError(std::string_view t) override {
            failed = true;
            ForwardingUi::showError(t);
        }
    } watch(ui, failed);
    withUi(watch, [&] {
        switch (format->format) {
            case OutputFormat::Csv:
                sButton1Click();
                break;
            case OutputFormat::Html:
                Button7Click();
                break;
            case OutputFormat::Xlsx:
                Button8Click();
                break;
        }
    });
    std::error_code ec;
    return !failed &&
           std::filesystem::is_regular_file(platform::toFsPath(format->fileName(path)), ec);
}

}  // namespace tablamo::app
