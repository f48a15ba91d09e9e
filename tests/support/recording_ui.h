#pragma once
// A UI port for tests: dialogs answered from a script, every message recorded.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ui_port.h"

namespace tablamo::testing {

class RecordingUi : public UiPort {
public:
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<FileDialogRequest> dialogs;
    std::vector<std::string> opened;
    std::deque<std::optional<std::string>> answers;  // next dialog answers; nothing: cancel
    int busyDepth = 0;
    int busyCalls = 0;

    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void showError(std::string_view text) override { errors.emplace_back(text); }
    std::optional<std::string> askOpenFile(const FileDialogRequest& r) override {
        return answer(r);
    }
    std::optional<std::string> askSaveFile(const FileDialogRequest& r) override {
        return answer(r);
    }
    void setBusy(bool busy) override {
        busyDepth += busy ? 1 : -1;
        ++busyCalls;
    }
    bool openWithDefaultProgram(const std::string& path) override {
        opened.push_back(path);
        return canOpen;
    }
    bool canOpen = true;  ///< whether a program opens saved files
    std::vector<std::string> questions;
    std::deque<bool> replies;  // next questions' answers; none left: "Hayır"
    bool askYesNo(std::string_view question) override {
        questions.emplace_back(question);
        if (replies.empty()) return false;
        const bool yes = replies.front();
        replies.pop_front();
        return yes;
    }

private:
    std::optional<std::string> answer(const FileDialogRequest& r) {
        dialogs.push_back(r);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace tablamo::testing
