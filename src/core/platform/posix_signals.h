#pragma once
// What the POSIX files share with the signal handlers of posix_signals.cpp: the mapped views
// the bus error handler may patch, and the temporary files an interrupt removes. Slots are
// taken and freed without a lock, as the handlers read them.

#include <cstddef>
#include <string>

namespace tablamo::platform {

/// A slot for a mapped view from `begin`, `size` bytes long; -1 when all are taken.
int watchView(const char* begin, std::size_t size);
/// Frees the view's slot, before the view is unmapped.
void unwatchView(int slot);
/// Whether a read in the view faulted past the file's end.
bool viewFaulted(int slot);
/// Whether guardMappedFiles() put the bus error handler in place.
bool viewsGuarded();

/// A slot that names a temporary file for the interrupt handler; -1 when none is free (the
/// file is then left to the sweep of a later run).
int nameTemp(const std::string& path);
/// Frees the slot (-1: nothing).
void forgetTemp(int slot);

}  // namespace tablamo::platform
