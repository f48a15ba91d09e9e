#include "app/window_memory.h"

#include <QSettings>
#include <algorithm>

#include "core/platform/system.h"

namespace tablamo::app {
namespace {

QString keyOf(Choice which) { return QStringLiteral("window/") + settingsKey(which); }

// The key a choice was kept under before the keys were the converter's option names: a file
// written then is still read, and the old key goes once the choice is made again.
QString formerKeyOf(Choice which) {
    switch (which) {
        case Choice::CleanTable:
            return QStringLiteral("window/cleanTable");
        case Choice::SignedBalance:
            return QStringLiteral("window/signedBalance");
        case Choice::Openings:
            break;
    }
    return {};  // "window/openings" then as now
}

const QString kRecent = QStringLiteral("recentReports");

}  // namespace

WindowMemory::WindowMemory(const QString& file)
    : m_settings(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

WindowMemory::~WindowMemory() = default;

QString WindowMemory::userFile() {
    const std::string folder = platform::userConfigFolder();
    if (folder.empty()) return {};
    return QString::fromStdString(folder) + QStringLiteral("/tablamo/tablamo.ini");
}

std::optional<bool> WindowMemory::choice(Choice which) const {
    QVariant value = m_settings->value(keyOf(which));
    if (!value.isValid() && !formerKeyOf(which).isEmpty()) {
        value = m_settings->value(formerKeyOf(which));
    }
    if (!value.isValid()) return std::nullopt;
    return value.toBool();
}

bool WindowMemory::setChoice(Choice which, bool on) {
    m_settings->setValue(keyOf(which), on);
    if (!formerKeyOf(which).isEmpty()) m_settings->remove(formerKeyOf(which));
    return written();
}

std::vector<RecentReport> WindowMemory::recentReports() const {
    std::vector<RecentReport> reports;
    // The file says how many it holds; a list longer than the window keeps is someone else's
    // doing, and a size of 2^31 - 1 would be read entry by entry for ever.
    const int n =
        std::min(m_settings->beginReadArray(kRecent), static_cast<int>(RecentReports::kCapacity));
    for (int i = 0; i < n; ++i) {
        m_settings->setArrayIndex(i);
        reports.push_back({m_settings->value(QStringLiteral("path")).toString().toStdString(),
                           m_settings->value(QStringLiteral("statement")).toBool()});
    }
    m_settings->endArray();
    return reports;
}

bool WindowMemory::setRecentReports(const std::vector<RecentReport>& reports) {
    m_settings->remove(kRecent);
    m_settings->beginWriteArray(kRecent, static_cast<int>(reports.size()));
    for (std::size_t i = 0; i < reports.size(); ++i) {
        m_settings->setArrayIndex(static_cast<int>(i));
        m_settings->setValue(QStringLiteral("path"), QString::fromStdString(reports[i].path));
        m_settings->setValue(QStringLiteral("statement"), reports[i].statement);
    }
    m_settings->endArray();
    return written();
}

bool WindowMemory::written() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

}  // namespace tablamo::app
