#pragma once
/// What a table column holds, as the clean table and its workbook treat it.

namespace tablamo {

/// Text: free text. Code: an account or voucher number, kept as it is written (leading
/// zeros and all). Amount: a sum of money, a number with two decimals. Date: a short date.
enum class ColumnKind : unsigned char { Text, Code, Amount, Date };

}  // namespace tablamo
