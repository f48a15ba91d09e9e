#pragma once
/// What the values of a clean table's column are: texts, codes, amounts or dates.

namespace tablamo {

enum class ColumnKind : unsigned char { Text, Code, Amount, Date };

}  // namespace tablamo
