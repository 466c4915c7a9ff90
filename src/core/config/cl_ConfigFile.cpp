#include "core/config/cl_ConfigFile.h"

#include "core/app/Error.h"
#include "core/app/ProgramFolder.h"
#include "core/config/ConfigSchema.h"
#include "ports/Shell.h"

namespace ov {

QString DefaultScreenshotFolder(Shell& shell) {
    const QString folder = shell.PicturesFolder();
    if (folder.isEmpty()) throw Error("SHGetPathFromIDList failed : invalid pidl");
    return folder.left(260);
}

std::unique_ptr<zvOVConfigInfo> LoadConfiguration(Shell& shell) {
    auto config = std::make_unique<zvOVConfigInfo>();
    ApplyDefaults(*config, DefaultSet::Reader, {DefaultScreenshotFolder(shell), ProgramFolder()});
    return config;
}

} // namespace ov
