#pragma once
/// The converter's option values: the layout options mapped onto the report layout by
/// name, and the texts and numbers read as the settings fields read them.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/job.h"
#include "cli/options.h"

namespace tablamo::cli {

/// ASCII letters made small.
std::string lower(std::string s);

/// The setting of the report layout named `name`.
const LayoutField& fieldNamed(std::string_view name);

/// A text option given in UTF-8, held in Windows-1254; a UsageError when it cannot be.
std::string heldText(const std::string& option, const std::string& utf8);

/// A numeric option: the same strict whole-number reading as the settings fields, and the
/// same text when it fails.
std::string integerText(const std::string& option, const std::string& utf8);

/// Sets the layout option's setting of the layout from the value given.
void applyLayoutOption(const OptionDecl& option, const std::string& value, ReportLayout& layout);

/// A one-character option held in Windows-1254.
char oneCharacter(const std::string& option, const std::string& utf8);

}  // namespace tablamo::cli
