#pragma once
/// The help tab's content: the read-only help text between two light brown strips.

#include <QWidget>
#include <string>

class QTextEdit;

namespace tablamo::app {

/// The help file's name, without extension.
inline constexpr const char* kHelpFileName = "yardim";

/// Where the help file is: in the working directory, else beside the program (`programDir`),
/// else in the installed data folder (share/tablamo beside the program's bin, or the one the
/// build was configured with). The name alone when none of them holds it.
std::string findHelpFile(const std::string& programDir);

class HelpView : public QWidget {
    Q_OBJECT
public:
    explicit HelpView(QWidget* parent = nullptr);

    /// Loads the help file: as rich text when it is in the rich text format, otherwise as
    /// plain text (UTF-8, or Windows-1254 when it is not valid UTF-8). A missing file
    /// leaves the view as it is. Raises "Failed to Load Stream" for rich text this reader
    /// cannot take, and "Cannot open file" for a file that cannot be read; the view then
    /// keeps what it showed.
    void loadFile(const std::string& path);

    QTextEdit* textView() const { return m_text; }

private:
    QTextEdit* m_text;
};

}  // namespace tablamo::app
