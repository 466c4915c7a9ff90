#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace ov {

inline constexpr int kPlaylistSlots = 513;
inline constexpr int kScanSlots = 257;

// The whole playlist as one record of fixed arrays; entry p's path is Folders[p] + Names[p].
struct zvPlayListItem {
    QString CurrentName;
    std::array<QString, kPlaylistSlots> Names;
    QString DroppedPath;
    QString CurrentFolder;
    std::array<QString, kPlaylistSlots> Folders;
    std::array<QString, kPlaylistSlots> Durations; // at most 255 characters each
    std::int16_t CurrentIndex = -1;
    std::array<QString, kScanSlots> ScanNames;
    std::array<QString, kScanSlots> ScanPaths;
    std::array<QString, kScanSlots> ScanFolders;
};

} // namespace ov
