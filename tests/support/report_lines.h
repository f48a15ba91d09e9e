#pragma once
// A report file's bytes from its lines, each ended by CR LF as DOS programs print them.

#include <string>
#include <vector>

namespace tablamo::testing {

inline std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

}  // namespace tablamo::testing
