#pragma once
/// What every save checks before it writes, in the window and in the converter alike: the
/// report that was read is never written over, and a file without write permission is left
/// alone unless the user says otherwise.

#include <string>

#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// The words for an output that would replace its input (the converter's and the window's).
std::string replacesInputMessage(const std::string& output, const std::string& input);

/// True when both names reach one file: the same path once made absolute and resolved, or
/// the same file on the disk (a link, another spelling).
bool sameFile(const std::string& a, const std::string& b);

/// True when `path` is an existing file that no one may write (chmod a-w, the read-only
/// attribute): a rename into place would replace it all the same.
bool isReadOnlyFile(const std::string& path);

/// The words for a read-only target left alone.
std::string readOnlyMessage(const std::string& path);

/// Whether `path` names something that is there but is no file (a named pipe, a device, a
/// socket): a save would put a file in its place.
bool isSpecialFile(const std::string& path);

/// The words for such a target left alone.
std::string specialFileMessage(const std::string& path);

/// Raises an Error with readOnlyMessage when `path` is a read-only file, and with
/// specialFileMessage when it is no file at all: the answer of a program that asks no one.
void refuseUnwritable(const std::string& path);

/// What is wrong with the window's start options `--open report --save target` before
/// anything is read: an empty target, a name of no format the window saves, no report (the
/// empty table of the start), the report itself as the target. Empty when they can run.
std::string saveOptionProblem(const std::string& report, const std::string& target);

/// Raises an Error unless `target` may be written: the report loaded in `ws`, and the one its
/// table came from, are refused with replacesInputMessage, and so is a target that is no file;
/// a read-only file is written over only when the user answers "Evet" (a port that cannot ask
/// answers "Hayır").
void checkSaveTarget(const Workspace& ws, UiPort& ui, const std::string& target);

}  // namespace tablamo
