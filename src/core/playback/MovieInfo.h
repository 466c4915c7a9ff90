#pragma once
#include "ports/HResult.h"

#include <QString>
#include <cstdint>

namespace ov {

// The state of the loaded movie.
struct zvMovieInfo {
    QString Title;
    QString FileName;
    QString FullPath;
    std::int32_t FileSize = 0;
    std::int32_t VideoWidth = 0;
    std::int32_t VideoHeight = 0;
    bool Opened = false;
    bool Playing = false;
    bool FullScreen = false;
    bool Muted = false;
    std::int16_t Volume = 0;
    std::int64_t DurationMs = 0;
    RefTime StopTime = 0;
    bool DvdMode = false;
    double Rate = 0;
    QString FourCC;
    std::int16_t Brightness = 0;
    std::int16_t Contrast = 0;
    std::int16_t Saturation = 0;
    std::int16_t Hue = 0;
};

} // namespace ov
