#pragma once
/// What commands ask of the user interface: messages, dialogs and the busy cursor.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// One entry of a file dialog's filter list: "Text Dosyalar (*.txt, *.not)" with its
/// patterns "*.txt;*.not".
struct FileFilter {
    std::string caption;   ///< UTF-8
    std::string patterns;  ///< separated by ";"
};

/// What a command puts into an open or save dialog.
struct FileDialogRequest {
    std::string title;  ///< UTF-8; empty: the system's own
    std::vector<FileFilter> filters;
    int selectedFilter = 0;
    std::string fileName;   ///< offered name (the shared save dialog remembers the last one)
    std::string directory;  ///< the folder the dialog starts in; empty: the system's choice
};

/// The window or the console. Texts are UTF-8; every message box is titled "Tablamo".
class UiPort {
public:
    virtual ~UiPort() = default;
    /// A modal message box with one OK button.
    virtual void showMessage(std::string_view text) = 0;
    /// The error box; `text` already carries its full stop (errorBoxText).
    virtual void showError(std::string_view text) = 0;
    /// The open-file dialog; nothing when the user cancels.
    virtual std::optional<std::string> askOpenFile(const FileDialogRequest& request) = 0;
    /// The save-file dialog; nothing when the user cancels.
    virtual std::optional<std::string> askSaveFile(const FileDialogRequest& request) = 0;
    /// The open-file dialog that picks several files; nothing when the user cancels. A port
    /// without one offers the one-file dialog.
    virtual std::optional<std::vector<std::string>> askOpenFiles(const FileDialogRequest& request) {
        std::optional<std::string> one = askOpenFile(request);
        if (!one) return std::nullopt;
        return std::vector<std::string>{std::move(*one)};
    }
    /// The hourglass cursor on or off.
    virtual void setBusy(bool busy) = 0;
    /// Opens a saved file with the desktop's default program for it; false when no program
    /// could be started for it.
    virtual bool openWithDefaultProgram(const std::string& path) = 0;
    /// A question box with the buttons "Evet" and "Hayır"; true for "Evet". A port that
    /// cannot ask answers "Hayır", the answer that changes nothing.
    virtual bool askYesNo(std::string_view question) {
        (void)question;
        return false;
    }
    /// The question before a save replaces `path`, a file the table was not saved to last:
    /// askYesNo's answer. A port whose save dialog answers with a file named beforehand (a
    /// script's --save) replaces that file without asking.
    virtual bool askReplace(const std::string& path, std::string_view question) {
        (void)path;
        return askYesNo(question);
    }
};

/// A port that hands everything to another one; a wrapper overrides what it changes.
class ForwardingUi : public UiPort {
public:
    explicit ForwardingUi(UiPort& inner) : m_inner(inner) {}
    void showMessage(std::string_view text) override { m_inner.showMessage(text); }
    void showError(std::string_view text) override { m_inner.showError(text); }
    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override {
        return m_inner.askOpenFile(request);
    }
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override {
        return m_inner.askSaveFile(request);
    }
    std::optional<std::vector<std::string>> askOpenFiles(
        const FileDialogRequest& request) override {
        return m_inner.askOpenFiles(request);
    }
    void setBusy(bool busy) override { m_inner.setBusy(busy); }
    bool openWithDefaultProgram(const std::string& path) override {
        return m_inner.openWithDefaultProgram(path);
    }
    bool askYesNo(std::string_view question) override { return m_inner.askYesNo(question); }
    bool askReplace(const std::string& path, std::string_view question) override {
        return m_inner.askReplace(path, question);
    }

protected:
    UiPort& m_inner;
};

/// A port without a screen: its messages and errors are kept, in order, for someone to
/// show later (a converter's input among others, a report read into a merge). No dialogs,
/// no busy cursor; opening a saved file counts as done.
class KeptMessagesUi : public UiPort {
public:
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void showError(std::string_view text) override { messages.emplace_back(text); }
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
    bool openWithDefaultProgram(const std::string&) override { return true; }

    std::vector<std::string> messages;
};

/// The hourglass for one scope, restored on every way out.
class BusyCursor {
public:
    explicit BusyCursor(UiPort& ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyCursor() { m_ui.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UiPort& m_ui;
};

/// Runs a command; an error it does not handle itself is shown in the error box and the
/// program goes on. Returns false when the command stopped with an error.
template <class Command>
bool runCommand(UiPort& ui, Command&& command);

}  // namespace tablamo

#include "core/ui_port_impl.h"
