#pragma once
/// Products every record obeys: an amount that is a quantity times its unit price, within
/// the last digit it prints (rounded or cut). A record that breaks one all the others keep
/// is named, as a broken sum is: an inventory's changed price shows where no total sums it.

#include <cstdint>
#include <vector>

#include "clean/record_table.h"

namespace tablamo {

/// One product: `target` = `left` × `right`.
struct RowProduct {
    std::size_t left = 0, right = 0, target = 0;
};

/// A record that breaks a product: what it prints in the target column, and what the
/// product gives (rounded to the target's decimals).
struct ProductBreak {
    int line = 0;  ///< 1-based
    std::size_t product = 0;
    std::int64_t printed = 0, computed = 0;
};

/// Finds the products the records of a table obey, and the records that break one.
class RowProducts {
public:
    /// `eligible`: the columns a product may hold; `scale`: each column's decimals.
    RowProducts(const RecordTable& table, const std::vector<char>& eligible,
                const std::vector<int>& scale);

    const std::vector<RowProduct>& products() const { return m_products; }
    /// The records that break one, the first they break, in line order.
    const std::vector<ProductBreak>& breaks() const { return m_breaks; }

private:
    std::vector<RowProduct> m_products;
    std::vector<ProductBreak> m_breaks;
};

}  // namespace tablamo
