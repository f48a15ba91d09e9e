#pragma once
/// A trial balance's accounts of several levels: each parent's amounts are the sums of its
/// sub-accounts'. A parent is the nearest account above whose code, followed by a point,
/// begins the account's code (120 over 120.01 over 120.01.005).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// How account codes nest: by points (120 over 120.01 over 120.01.005) or, in a chart whose
/// classes and groups print undotted, by their digits too (1 over 10 over 100 over 100.01).
struct CodeLevels {
    bool digits = false;  ///< the undotted codes nest by their digits
    /// Whether `code` lies under `parent`.
    bool under(std::string_view code, std::string_view parent) const;
    /// The code's depth: its points, and with `digits` the digits before its first point.
    int depth(std::string_view code) const;
    /// The code of the level right over `code` ("120.01" over "120.01.005"; "10" over "100").
    std::string_view over(std::string_view code) const;
};

/// A parent account whose amount is not the sum of its sub-accounts', or under which a level
/// is missing (`column` npos: `code` is the sub-account whose own parent is not printed).
struct ParentBreak {
    int line = 0;  ///< 1-based, the parent's
    std::string code;
    std::size_t column = 0;
    std::int64_t printed = 0, children = 0;
    std::string missing;  ///< the code of the level not printed
};

/// How a column adds up under a parent: summed (debit, credit), netted (a debit balance
/// plus, a credit balance minus: the parent's net is its sub-accounts' net), or not at all.
enum class TreeSum : signed char { None = 0, Summed = 2, Plus = 1, Minus = -1 };

/// Follows the accounts as they are printed, parents before their sub-accounts.
class AccountTree {
public:
    explicit AccountTree(std::vector<TreeSum> sums, CodeLevels levels = {});

    /// The next account: its code as printed, its line, its amounts.
    void add(std::string_view code, int line, const std::vector<std::int64_t>& value,
             const std::vector<char>& present);
    /// No account follows: every parent left is compared.
    void close();

    /// The parents that disagree where most agree, and the levels missing where most
    /// sub-accounts stand right under their parent; in line order.
    std::vector<ParentBreak> breaks() const;
    /// The parents whose column `c` is the sum of their sub-accounts'.
    int agreed(std::size_t c) const { return m_agreed[c]; }

private:
    struct Node {
        std::string code;
        int line = 0;
        std::vector<std::int64_t> own, children;
        std::int64_t ownNet = 0, childrenNet = 0;
        bool hasChild = false;
    };
    void compare(const Node& node);

    std::vector<TreeSum> m_sums;
    CodeLevels m_levels;
    bool m_netted = false;
    std::vector<Node> m_open;  // the account and its parents, outermost first
    std::vector<int> m_agreed;
    int m_netAgreed = 0, m_direct = 0;
    std::vector<ParentBreak> m_breaks, m_netBreaks, m_gaps;
};

}  // namespace tablamo
