#include "core/system/sys_FilesOps.h"

namespace ov {

// The descriptions are shown to users as they have always been, spellings included.
const std::array<VideoExtension, 26> videoExtensions = {{
    {".IVF", "ivf", "Indeo Video File"},
    {".DRC", "drc", "DIrav Video File"},
    {".AVI", "avi", "Audio-Video Interleaved"},
    {".OGM", "ogm", "Ogg Media"},
    {".MPG", "mpg", "Motion Picture Exteprs Group"},
    {".DAT", "dat", "MPEG movie on VCD or SVCD"},
    {".M1V", "m1v", "MPEG1 only video"},
    {".M2V", "m2v", "MPEG2 only video"},
    {".MPE", "mpe", "Motion Picture Experts Group"},
    {".MPEG", "mpeg", "Motion Picture Exteprs Group"},
    {".MPV", "mpv", "Motion Picture Experts Group"},
    {".MPV2", "mpv2", "Motion Picture Experts Group"},
    {".MP2V", "mp2v", "Motion Picture Experts Group"},
    {".MKV", "mkv", "Matroska Video"},
    {".ASF", "asf", "Advanced Streaming Format"},
    {".WM", "wm", "Windows Media"},
    {".WMV", "wmv", "Windows Media Video"},
    {".RM", "rm", "Real Media"},
    {".RAM", "ram", "Real Media"},
    {".RV", "rv", "Real Video"},
    {".DIVX", "divx", "AVI file compressed with DivX"},
    {".QT", "qt", "Quick Time Movie"},
    {".MOV", "mov", "Quick Time Movie"},
    {".MP4", "mp4", "MPEG-4"},
    {".VOB", "vob", "DVD Video Object"},
    {".IFO", "ifo", "DVD Information File"},
}};

namespace {

QString Text(std::string_view view) {
    return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
}

bool SameText(const QString& a, std::string_view b) {
    return a.compare(Text(b), Qt::CaseInsensitive) == 0;
}

} // namespace

bool IsVideoFile(const QString& extension) {
    if (extension.isEmpty()) return false;
    const QString dotted = QLatin1Char('.') + extension;
    for (const VideoExtension& entry : videoExtensions) {
        if (SameText(extension, entry.display) || SameText(dotted, entry.display)) return true;
    }
    return false;
}

QString videoExtDescription(const QString& extension) {
    for (const VideoExtension& entry : videoExtensions) {
        if (SameText(extension, entry.registry)) return Text(entry.description);
    }
    return {};
}

QString ExtractFileExt(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    // A dot in a folder name ("/a.b/file") is not the file's extension.
    if (dot < 0 || dot < fileName.lastIndexOf(QLatin1Char('/'))) return {};
    return fileName.mid(dot);
}

} // namespace ov
