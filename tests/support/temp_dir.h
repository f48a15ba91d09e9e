#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/platform/files.h"

namespace tablamo::testing {

class TempDir {
public:
    TempDir() {
        // A new folder of a name not taken yet, as mkdtemp() makes it, on every system.
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = "tablamo-test-" + std::to_string(random() % 1000000000);
            const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
            std::error_code ec;
            if (std::filesystem::create_directory(path, ec)) {
                m_path = path;
                return;
            }
        }
        std::abort();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// The UTF-8 path of `name` (UTF-8) in the folder, as the program names files.
    std::string operator/(const std::string& name) const {
        return platform::fromFsPath(m_path / platform::toFsPath(name));
    }

    /// The names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) {
            out.push_back(e.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace tablamo::testing
