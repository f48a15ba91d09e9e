#pragma once
// runCommand's body: the one catch site of a front end.

#include <exception>
#include <new>

#include "core/error.h"

namespace tablamo {

template <class Command>
bool runCommand(UiPort& ui, Command&& command) {
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        ui.showError(errorBoxText("Out of memory"));
    } catch (const std::exception& e) {
        ui.showError(errorBoxText(e.what()));
    }
    return false;
}

}  // namespace tablamo
