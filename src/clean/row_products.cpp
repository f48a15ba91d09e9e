#include "clean/row_products.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tablamo {
namespace {

constexpr std::size_t kMaxSought = 16;  // columns a product is sought among at most
constexpr std::size_t kLooked = 64;     // records a product is first sought on
constexpr std::size_t kMinHolds = 4;    // records that keep it, neither factor one, at least

constexpr int kMostDecimals = 18;  // a power of ten past these overflows

std::int64_t tenTo(int e) {
    std::int64_t p = 1;
    for (int i = 0; i < e; ++i) p *= 10;
    return p;
}

// What left × right gives at the target's decimals, rounded and cut: `drop` digits of the
// product's fall away (a negative drop adds noughts). None where it overflows.
struct Given {
    std::int64_t rounded = 0, cut = 0;
};
std::optional<Given> productAt(std::int64_t left, std::int64_t right, int drop) {
    std::int64_t x = 0;
    if (__builtin_mul_overflow(left, right, &x) || drop > kMostDecimals || drop < -kMostDecimals)
        return std::nullopt;
    if (drop <= 0) {
        std::int64_t v = 0;
        if (__builtin_mul_overflow(x, tenTo(-drop), &v)) return std::nullopt;
        return Given{v, v};
    }
    const std::int64_t unit = tenTo(drop);
    const std::int64_t q = x / unit, r = x % unit;
    const std::int64_t up = 2 * (r < 0 ? -r : r) >= unit ? (x < 0 ? -1 : 1) : 0;
    return Given{q + up, q};
}

}  // namespace

RowProducts::RowProducts(const RecordTable& table, const std::vector<char>& eligible,
                         const std::vector<int>& scale) {
    const std::size_t n = table.columns();
    std::vector<std::size_t> sought;
    for (std::size_t c = 0; c < n && sought.size() < kMaxSought; ++c) {
        if (eligible[c] && scale[c] >= 0 && scale[c] <= kMostDecimals) sought.push_back(c);
    }
    if (sought.size() < 3) return;
    // Whether record r keeps the product; nothing where a figure of it is not printed, or
    // is nought, or a factor is one (it gives the other whatever the columns are).
    enum class Kept { None, Yes, No };
    const auto keeps = [&](std::size_t r, const RowProduct& p, std::int64_t* computed) {
        const std::uint8_t* present = table.present(r);
        if (!present[p.left] || !present[p.right] || !present[p.target]) return Kept::None;
        const std::int64_t x = table.value(r, p.left), y = table.value(r, p.right),
                           z = table.value(r, p.target);
        const std::int64_t one = tenTo(scale[p.left]), other = tenTo(scale[p.right]);
        if (x == 0 || y == 0 || z == 0 || x == one || x == -one || y == other || y == -other)
            return Kept::None;
        const auto given = productAt(x, y, scale[p.left] + scale[p.right] - scale[p.target]);
        if (!given) return Kept::None;
        if (computed) *computed = given->rounded;
        return z == given->rounded || z == given->cut ? Kept::Yes : Kept::No;
    };
    const std::size_t looked = std::min(table.size(), kLooked);
    for (std::size_t i = 0; i < sought.size(); ++i) {
        for (std::size_t j = i + 1; j < sought.size(); ++j) {
            for (const std::size_t t : sought) {
                const RowProduct p{sought[i], sought[j], t};
                // Amounts of kuruş, a factor of decimals: counts multiply into counts by
                // chance.
                if (t == p.left || t == p.right || scale[t] == 0 ||
                    scale[p.left] + scale[p.right] == 0)
                    continue;
                // First on the first records: one breaks it at most.
                std::size_t yes = 0, no = 0;
                for (std::size_t r = 0; r < looked && no <= 1; ++r) {
                    const Kept k = keeps(r, p, nullptr);
                    yes += k == Kept::Yes;
                    no += k == Kept::No;
                }
                if (no > 1 || yes == 0) continue;
                // Then on all: a few in a hundred break it at most.
                std::vector<ProductBreak> broken;
                yes = 0;
                const auto tooMany = [&] {
                    return broken.size() > std::max<std::size_t>(1, yes / 20);
                };
                for (std::size_t r = 0; r < table.size(); ++r) {
                    std::int64_t computed = 0;
                    const Kept k = keeps(r, p, &computed);
                    yes += k == Kept::Yes;
                    if (k == Kept::No)
                        broken.push_back(
                            {table.line(r), m_products.size(), table.value(r, t), computed});
                    if (r > kLooked && broken.size() > kLooked && tooMany()) break;
                }
                if (yes < kMinHolds || tooMany()) continue;
                m_products.push_back(p);
                m_breaks.insert(m_breaks.end(), broken.begin(), broken.end());
            }
        }
    }
    // A record that breaks several is named once, by the first it breaks.
    std::stable_sort(m_breaks.begin(), m_breaks.end(),
                     [](const ProductBreak& x, const ProductBreak& y) { return x.line < y.line; });
    m_breaks.erase(
        std::unique(m_breaks.begin(), m_breaks.end(),
                    [](const ProductBreak& x, const ProductBreak& y) { return x.line == y.line; }),
        m_breaks.end());
}

}  // namespace tablamo
