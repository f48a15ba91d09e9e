#include "app/help_view.h"

#include <QFile>
#include <QHBoxLayout>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <filesystem>

#include "app/grid_model.h"
#include "app/rtf/rtf_reader.h"
#include "core/error.h"
#include "core/platform/files.h"
#include "core/report_text.h"

namespace tablamo::app {
namespace {

constexpr int kStripWidth = 25;

QWidget* brownStrip(QWidget* parent) {
    auto* strip = new QWidget(parent);
    strip->setFixedWidth(kStripWidth);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, QColor(227, 166, 98));
    strip->setPalette(pal);
    return strip;
}

void fillRich(QTextDocument& doc, const rtf::Document& content) {
    QTextCursor cursor(&doc);
    for (const rtf::Run& run : content.runs) {
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.italic);
        format.setFontUnderline(run.underline);
        QString text = QString::fromUcs4(run.text.data(), static_cast<qsizetype>(run.text.size()));
        cursor.insertText(text, format);
    }
}

}  // namespace

HelpView::HelpView(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_text = new QTextEdit(this);
    m_text->setObjectName("RichEdit2");
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    row->addWidget(brownStrip(this));
    row->addWidget(m_text, 1);
    row->addWidget(brownStrip(this));
}

std::string findHelpFile(const std::string& programDir) {
    namespace fs = std::filesystem;
    const fs::path program = platform::toFsPath(programDir);
    const fs::path candidates[] = {
        kHelpFileName,
        program / kHelpFileName,
        program / ".." / "share" / "tablamo" / kHelpFileName,
        fs::path(TABLAMO_DATA_DIR) / kHelpFileName,
    };
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec))
            return platform::fromFsPath(candidate.lexically_normal());
    }
    return kHelpFileName;
}

void HelpView::loadFile(const std::string& path) {
    std::error_code ec;
    // No help file: the view stays empty.
    if (!std::filesystem::exists(platform::toFsPath(path), ec)) return;
    const std::string bytes = readWholeFile(path);

    auto* doc = new QTextDocument(m_text);
    doc->setDefaultFont(m_text->font());
    if (rtf::isRichText(bytes)) {
        const auto content = rtf::read(bytes);
        if (!content) {
            delete doc;
            throw failedToLoadStream();
        }
        fillRich(*doc, *content);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (utf8.hasError()) text = fromWin1254(bytes);
        doc->setPlainText(text);
    }
    m_text->setDocument(doc);
}

}  // namespace tablamo::app
