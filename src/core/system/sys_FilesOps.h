#pragma once
#include <QString>
#include <array>
#include <string_view>

namespace ov {

struct VideoExtension {
    std::string_view display;     // ".AVI"
    std::string_view registry;    // "avi"
    std::string_view description; // "Audio-Video Interleaved"
};

// The 26 known video extensions, in their fixed order.
extern const std::array<VideoExtension, 26> videoExtensions;

// True when the extension ("." included or not) names a known video type, whatever its case.
bool IsVideoFile(const QString& extension);
// The description of the entry with this registry form (no dot, any case); empty when unknown.
QString videoExtDescription(const QString& extension);
// The extension of a file name: from its last "." on, dot included; empty without a ".".
QString ExtractFileExt(const QString& fileName);

} // namespace ov
