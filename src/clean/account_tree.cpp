#include "clean/account_tree.h"

#include <algorithm>

namespace tablamo {
namespace {

constexpr std::size_t kMaxBreaks = 4096;

// Whether most of `done` went right: at least three, and at most one in five `wrong`.
bool mostly(int done, std::size_t wrong) {
    return done >= 3 && wrong * 5 <= static_cast<std::size_t>(done);
}

bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// A sub-account: the parent's code, a point, more; with digits, an undotted parent's code and
// more digits.
bool CodeLevels::under(std::string_view code, std::string_view parent) const {
    if (code.size() <= parent.size() || code.compare(0, parent.size(), parent) != 0) return false;
    const char next = code[parent.size()];
    if (next == '.') return code.size() > parent.size() + 1;
    return digits && isDigitChar(next) && parent.find('.') == std::string_view::npos;
}

int CodeLevels::depth(std::string_view code) const {
    const auto points = static_cast<int>(std::count(code.begin(), code.end(), '.'));
    if (!digits) return points;
    return points + static_cast<int>(std::min(code.find('.'), code.size()));
}

std::string_view CodeLevels::over(std::string_view code) const {
    const std::size_t dot = code.rfind('.');
    if (dot != std::string_view::npos) return code.substr(0, dot);
    return digits && !code.empty() ? code.substr(0, code.size() - 1) : std::string_view();
}

AccountTree::AccountTree(std::vector<TreeSum> sums, CodeLevels levels)
    : m_sums(std::move(sums)), m_levels(levels), m_agreed(m_sums.size(), 0) {
    for (const TreeSum s : m_sums) m_netted |= s == TreeSum::Plus || s == TreeSum::Minus;
}

void AccountTree::compare(const Node& node) {
    if (!node.hasChild) return;
    for (std::size_t c = 0; c < m_sums.size(); ++c) {
        if (m_sums[c] != TreeSum::Summed) continue;
        if (node.own[c] == node.children[c]) {
            ++m_agreed[c];
        } else if (m_breaks.size() < kMaxBreaks) {
            m_breaks.push_back({node.line, node.code, c, node.own[c], node.children[c], {}});
        }
    }
    if (!m_netted) return;
    if (node.ownNet == node.childrenNet) {
        ++m_netAgreed;
        return;
    }
    // The balances net out otherwise: named by the balance columns that differ.
    for (std::size_t c = 0; c < m_sums.size() && m_netBreaks.size() < kMaxBreaks; ++c) {
        const bool net = m_sums[c] == TreeSum::Plus || m_sums[c] == TreeSum::Minus;
        if (net && node.own[c] != node.children[c])
            m_netBreaks.push_back({node.line, node.code, c, node.own[c], node.children[c], {}});
    }
}

void AccountTree::add(std::string_view code, int line, const std::vector<std::int64_t>& value,
                      const std::vector<char>& present) {
    while (!m_open.empty() && !m_levels.under(code, m_open.back().code)) {
        compare(m_open.back());
        m_open.pop_back();
    }
    Node node;
    node.code.assign(code);
    node.line = line;
    node.own.assign(value.size(), 0);
    node.children.assign(value.size(), 0);
    for (std::size_t c = 0; c < value.size(); ++c) {
        if (!present[c]) continue;
        node.own[c] = value[c];
        node.ownNet += static_cast<int>(m_sums[c]) * (m_sums[c] == TreeSum::Summed ? 0 : value[c]);
    }
    if (!m_open.empty()) {
        Node& parent = m_open.back();
        parent.hasChild = true;
        for (std::size_t c = 0; c < value.size(); ++c) parent.children[c] += node.own[c];
        parent.childrenNet += node.ownNet;
        // A sub-account stands one level under its parent: 120.01 between 120 and 120.01.005.
        const std::string_view own = m_levels.over(code);
        if (own == parent.code) {
            ++m_direct;
        } else if (m_gaps.size() < kMaxBreaks && (m_gaps.empty() || m_gaps.back().missing != own)) {
            m_gaps.push_back({parent.line, parent.code, std::string::npos, 0, 0, std::string(own)});
        }
    }
    m_open.push_back(std::move(node));
}

void AccountTree::close() {
    while (!m_open.empty()) {
        compare(m_open.back());
        m_open.pop_back();
    }
}

std::vector<ParentBreak> AccountTree::breaks() const {
    std::vector<ParentBreak> out;
    for (const ParentBreak& b : m_breaks) {
        if (m_agreed[b.column] > 0) out.push_back(b);
    }
    if (m_netAgreed > 0) out.insert(out.end(), m_netBreaks.begin(), m_netBreaks.end());
    if (mostly(m_direct, m_gaps.size())) out.insert(out.end(), m_gaps.begin(), m_gaps.end());
    std::stable_sort(out.begin(), out.end(),
                     [](const ParentBreak& a, const ParentBreak& b) { return a.line < b.line; });
    return out;
}

}  // namespace tablamo
