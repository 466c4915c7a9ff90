#include "core/app/ui_About.h"

#include "core/system/sys_SysUtils.h"

namespace ov {

QString ProductName() {
    return QStringLiteral("Orvane Player");
}

QString ReleaseTag() {
    return QStringLiteral("RC 1");
}

QString AboutCaption(SystemInfo& system) {
    return ProductName() + QStringLiteral(" v") + GetProgramVersion(system, 1) +
           QStringLiteral(", ") + ReleaseTag();
}

void ShowAbout(SystemInfo& system, const ShowAboutBox& show) {
    if (show) show(AboutCaption(system));
}

} // namespace ov
