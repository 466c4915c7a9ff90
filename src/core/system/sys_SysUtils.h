#pragma once
#include <QString>
#include <functional>

namespace ov {

class SystemInfo;
class Dialogs;

// The media framework's version text, or "?" when it cannot be read.
QString GetDirectXVersion(SystemInfo& system);

// form 1: "1.0 (build 211)", form 2: "1.0.211", other: "1.0"; empty when unreadable.
QString GetProgramVersion(SystemInfo& system, int form);

// "<name> Version <major>.<minor>\r\n (Build <build>: <extra>)"; empty when the query fails.
QString GetOSVersionText(SystemInfo& system);

// The descriptive name of the running system; "Not determined" when it cannot be told.
QString GetOSName(SystemInfo& system);

// Start-up checks of the media framework and the sound device. closeMovie runs after each
// failure that is reported.
void CheckSystemRequirements(SystemInfo& system, Dialogs& dialogs,
                             const std::function<void()>& closeMovie);

} // namespace ov
