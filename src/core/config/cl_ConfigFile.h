#pragma once
#include "core/config/sys_Types.h"

#include <memory>

namespace ov {

class Shell;

// The user's pictures folder, at most 260 characters. Throws ov::Error with
// "SHGetPathFromIDList failed : invalid pidl" when the shell cannot say.
QString DefaultScreenshotFolder(Shell& shell);

// Builds a fresh configuration record. Until a configuration file is read, every field takes
// its reader default.
std::unique_ptr<zvOVConfigInfo> LoadConfiguration(Shell& shell);

} // namespace ov
