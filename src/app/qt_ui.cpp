#include "app/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QUrl>

namespace tablamo::app {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void messageBox(QWidget* parent, QMessageBox::Icon icon, std::string_view text) {
    // The commands break their lines with CR LF; the box breaks at LF alone.
    QString shown = fromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QString::fromLatin1(kAppTitle), shown, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

bool installTurkishTranslations() {
    // Kept for the application's lifetime, as Qt wants its translators.
    static QTranslator translator;
    if (!translator.load(QStringLiteral("qtbase_tr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}

QString qtNameFilter(const FileFilter& filter) {
    QString patterns = fromUtf8(filter.patterns);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return fromUtf8(filter.caption) + QStringLiteral(" (") + patterns.simplified() +
           QLatin1Char(')');
}

void QtUi::showMessage(std::string_view text) { messageBox(m_parent, QMessageBox::NoIcon, text); }

void QtUi::showError(std::string_view text) { messageBox(m_parent, QMessageBox::Critical, text); }

std::optional<std::string> QtUi::askOpenFile(const FileDialogRequest& request) {
    std::vector<std::string> files = askFiles(request, Pick::OneToOpen);
    if (files.empty()) return std::nullopt;
    return files.front();
}

std::optional<std::string> QtUi::askSaveFile(const FileDialogRequest& request) {
    std::vector<std::string> files = askFiles(request, Pick::OneToSave);
    if (files.empty()) return std::nullopt;
    return files.front();
}

std::optional<std::vector<std::string>> QtUi::askOpenFiles(const FileDialogRequest& request) {
    std::vector<std::string> files = askFiles(request, Pick::SeveralToOpen);
    if (files.empty()) return std::nullopt;
    return files;
}

std::vector<std::string> QtUi::askFiles(const FileDialogRequest& request, Pick pick) {
    const bool save = pick == Pick::OneToSave;
    QFileDialog dialog(m_parent, fromUtf8(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                      ? QFileDialog::AnyFile
                       : pick == Pick::OneToOpen ? QFileDialog::ExistingFile
                                                 : QFileDialog::ExistingFiles);
    // The commands test and replace existing files themselves, without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const FileFilter& f : request.filters) filters << qtNameFilter(f);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const auto selected = static_cast<qsizetype>(request.selectedFilter);
        if (selected >= 0 && selected < filters.size()) dialog.selectNameFilter(filters[selected]);
    }
    if (!request.directory.empty()) dialog.setDirectory(fromUtf8(request.directory));
    if (!request.fileName.empty()) dialog.selectFile(fromUtf8(request.fileName));
    // A command may have set the hourglass; the dialog wants the normal cursor.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    if (busy) QApplication::restoreOverrideCursor();
    std::vector<std::string> files;
    if (result != QDialog::Accepted) return files;
    for (const QString& file : dialog.selectedFiles()) files.push_back(file.toStdString());
    return files;
}

void QtUi::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

bool QtUi::askYesNo(std::string_view question) {
    QString shown = fromUtf8(question);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle), shown,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    // Named here, so the box speaks Turkish also where Qt's translations are missing.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Evet"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Hayır"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtUi::openWithDefaultProgram(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace tablamo::app
