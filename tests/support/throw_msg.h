#pragma once
// Exact error texts: what the user sees is checked to the letter.

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"

/// Expects `statement` to raise a tablamo::Error whose text is exactly `message`.
#define EXPECT_THROW_MSG(statement, message)                                          \
    do {                                                                              \
        bool tablamoThrown = false;                                                   \
        std::string tablamoText;                                                      \
        try {                                                                         \
            statement;                                                                \
        } catch (const ::tablamo::Error& tablamoError) {                              \
            tablamoThrown = true;                                                     \
            tablamoText = tablamoError.what();                                        \
        }                                                                             \
        if (!tablamoThrown) {                                                         \
            ADD_FAILURE() << "Expected: " #statement " raises tablamo::Error\n"       \
                          << "  Actual: it raises nothing";                           \
        } else {                                                                      \
            EXPECT_EQ(tablamoText, std::string(message)) << "raised by: " #statement; \
        }                                                                             \
    } while (false)

namespace tablamo::testing {

/// The text of the tablamo::Error that `f` raises; "" when it raises none.
template <class F>
std::string errorText(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace tablamo::testing
