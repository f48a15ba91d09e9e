#pragma once
/// What the window keeps between starts once the user asks for it: the check boxes the
/// user ticked or unticked ("Temiz tablo", "İşaretli bakiye", "Açılışlar") and the reports
/// opened last.
/// Held in one settings file named by the caller (the user's is
/// <config folder>/tablamo/tablamo.ini), so a test keeps its own.

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "commands/clean_switches.h"
#include "commands/recent_reports.h"

class QSettings;

namespace tablamo::app {

/// A choice of the command bar that is remembered once the user makes it: a switch the
/// converter offers as well, kept under its option's name ("window/clean").
using Choice = CleanSwitch;

class WindowMemory {
public:
    /// The settings file `file`; nothing is written to it until something is remembered.
    explicit WindowMemory(const QString& file);
    ~WindowMemory();

    /// The user's file: tablamo.ini in the folder of the user's settings; empty when the
    /// system names no such folder.
    static QString userFile();

    /// The choice as the user last made it; nothing when the user never did.
    std::optional<bool> choice(Choice which) const;
    /// Remembers the choice; false when the file could not be written.
    bool setChoice(Choice which, bool on);

    std::vector<RecentReport> recentReports() const;
    /// Remembers the list; false when the file could not be written.
    bool setRecentReports(const std::vector<RecentReport>& reports);

private:
    bool written();

    std::unique_ptr<QSettings> m_settings;
};

}  // namespace tablamo::app
