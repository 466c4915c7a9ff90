#pragma once
#include <QString>

namespace ov {

// The folder that holds OV.xml, MediaCache.xml and the default playlist folder, ending with "/":
// ORVANE_HOME when set; else the executable's folder when writable; else
// $XDG_CONFIG_HOME/orvane-player. Created when missing.
QString ProgramFolder();

} // namespace ov
