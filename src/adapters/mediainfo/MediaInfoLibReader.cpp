#include "adapters/mediainfo/MediaInfoLibReader.h"

#include <MediaInfo/MediaInfo.h>
#include <QFileInfo>
#include <QStringList>
#include <cmath>
#include <locale.h>
#include <string>
#include <type_traits>

namespace ov {

static_assert(std::is_same_v<MediaInfoLib::String, std::wstring>,
              "MediaInfoLib must be built for wide strings (UNICODE)");

namespace mediainfolib {

namespace {

bool IsFourCCText(const QString& text) {
    if (text.isEmpty() || text.size() > 4) return false;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    }
    return true;
}

bool IsHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// The hexadecimal number a text begins with ("55", "FF-2", "0x00000000"); at most 32 bits.
std::optional<std::uint32_t> LeadingHex(QString text) {
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) text = text.mid(2);
    qsizetype end = 0;
    while (end < text.size() && IsHexDigit(text[end]))
        ++end;
    if (end == 0 || end > 8) return std::nullopt;
    return text.left(end).toUInt(nullptr, 16);
}

// The part after " / " in ids such as "V_MS/VFW/FOURCC / XVID".
QString InnerId(const QString& id) {
    const qsizetype at = id.lastIndexOf(QLatin1String(" / "));
    return at < 0 ? QString() : id.mid(at + 3).trimmed();
}

struct FormatFourCC {
    const char* format;
    const char* fourcc;
};

// Formats whose container gives no Windows FourCC, with the one a Windows decoder expects.
constexpr FormatFourCC kVideoFormats[] = {
    {"AVC", "H264"},
    {"HEVC", "HEVC"},
    {"MPEG-4 Visual", "MP4V"},
    {"JPEG", "MJPG"},
    {"Theora", "THEO"},
    {"VP8", "VP80"},
    {"VP9", "VP90"},
    {"AV1", "AV01"},
    {"H.263", "H263"},
    {"H.261", "H261"},
    {"Sorenson Spark", "FLV1"},
    {"FFV1", "FFV1"},
    {"HuffYUV", "HFYU"},
    {"Lagarith", "LAGS"},
    {"Dirac", "drac"},
    {"DV", "dvsd"},
    {"Cinepak", "cvid"},
    {"RealVideo 3", "RV30"},
    {"RealVideo 4", "RV40"},
    {"WMV1", "WMV1"},
    {"WMV2", "WMV2"},
};

// Containers that store the Windows wave format tag itself.
bool StoresWaveTag(const QString& container) {
    return container == QLatin1String("AVI") || container == QLatin1String("Wave") ||
           container == QLatin1String("Windows Media");
}

} // namespace

std::uint32_t PackFourCC(const QString& text) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const char16_t c = i < text.size() ? text[i].unicode() : u' ';
        value |= static_cast<std::uint32_t>(c & 0xFF) << (8 * i);
    }
    return value;
}

std::optional<std::uint32_t> VideoCompression(const StreamCoding& coding) {
    const QString id = coding.codecId.trimmed();
    if (coding.container == QLatin1String("AVI") && !id.isEmpty()) {
        // The bitmap header's own value: a FourCC text, or a number for RGB and RLE.
        if (id.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            if (const auto value = LeadingHex(id)) return value;
        } else if (IsFourCCText(id)) {
            return PackFourCC(id);
        }
    }
    // Matroska keeps the Windows header of streams muxed from AVI.
    if (id.startsWith(QLatin1String("V_MS/VFW/FOURCC"))) {
        const QString inner = InnerId(id);
        if (inner.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            if (const auto value = LeadingHex(inner)) return value;
        } else if (IsFourCCText(inner)) {
            return PackFourCC(inner);
        }
    }
    if (coding.format == QLatin1String("MPEG Video"))
        return PackFourCC(coding.version.contains(QLatin1Char('1')) ? QStringLiteral("MPG1")
                                                                    : QStringLiteral("MPG2"));
    if (coding.format == QLatin1String("VC-1"))
        return PackFourCC(coding.profile.startsWith(QLatin1String("Advanced"))
                              ? QStringLiteral("WVC1")
                              : QStringLiteral("WMV3"));
    for (const FormatFourCC& row : kVideoFormats) {
        if (coding.format == QLatin1String(row.format))
            return PackFourCC(QLatin1String(row.fourcc));
    }
    // QuickTime and MP4 sample entries are FourCCs of their own ("SVQ3", "apch").
    if (IsFourCCText(id)) return PackFourCC(id);
    return std::nullopt;
}

int WaveFormatTag(const StreamCoding& coding) {
    const QString id = coding.codecId.trimmed();
    if (StoresWaveTag(coding.container) || id.startsWith(QLatin1String("A_MS/ACM"))) {
        const QString tagText = id.startsWith(QLatin1String("A_MS/ACM")) ? InnerId(id) : id;
        // Extensible formats come as a GUID whose first field is the tag.
        if (const auto tag = LeadingHex(tagText); tag && *tag <= 0xFFFF)
            return static_cast<int>(*tag);
    }
    const QString& f = coding.format;
    if (f == QLatin1String("PCM")) {
        const bool isFloat = coding.profile == QLatin1String("Float") ||
                             coding.sign == QLatin1String("Float") ||
                             id.contains(QLatin1String("FLOAT"), Qt::CaseInsensitive) ||
                             id == QLatin1String("fl32") || id == QLatin1String("fl64");
        return isFloat ? 0x0003 : 0x0001;
    }
    if (f == QLatin1String("MPEG Audio"))
        return coding.profile.contains(QLatin1String("Layer 3")) ? 0x0055 : 0x0050;
    if (f == QLatin1String("AAC")) return 0x00FF;
    if (f == QLatin1String("AC-3")) return 0x2000;
    if (f == QLatin1String("DTS")) return 0x2001;
    if (f == QLatin1String("Vorbis")) return 0x674F;
    if (f == QLatin1String("FLAC")) return 0xF1AC;
    if (f == QLatin1String("Opus")) return 0x704F;
    if (f == QLatin1String("Speex")) return 0xA109;
    if (f == QLatin1String("WMA")) {
        if (coding.profile.contains(QLatin1String("Lossless"))) return 0x0163;
        if (coding.profile.contains(QLatin1String("Pro"))) return 0x0162;
        return coding.version == QLatin1String("Version 1") ? 0x0160 : 0x0161;
    }
    if (f == QLatin1String("AMR")) {
        if (coding.profile.contains(QLatin1String("Narrow"))) return 0x0057;
        if (coding.profile.contains(QLatin1String("Wide"))) return 0x0058;
    }
    return 0;
}

} // namespace mediainfolib

namespace {

using MediaInfoLib::MediaInfo;
using MediaInfoLib::stream_t;

QString Get(MediaInfo& info, stream_t kind, std::size_t index, const wchar_t* parameter) {
    return QString::fromStdWString(info.Get(kind, index, parameter)).trimmed();
}

// The number a value begins with: several values come as "48000 / 24000".
double Number(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && (text[end].isDigit() || text[end] == QLatin1Char('.')))
        ++end;
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

int Integer(const QString& text) {
    const double value = Number(text);
    return value < 2147483647.0 ? static_cast<int>(std::lround(value)) : 0;
}

double Seconds(MediaInfo& info, stream_t kind, std::size_t index) {
    double ms = Number(Get(info, kind, index, L"Duration"));
    if (ms <= 0) ms = Number(Get(info, MediaInfoLib::Stream_General, 0, L"Duration"));
    return ms / 1000;
}

mediainfolib::StreamCoding Coding(MediaInfo& info, stream_t kind, std::size_t index,
                                  const QString& container) {
    return {container,
            Get(info, kind, index, L"CodecID"),
            Get(info, kind, index, L"Format"),
            Get(info, kind, index, L"Format_Version"),
            Get(info, kind, index, L"Format_Profile"),
            Get(info, kind, index, L"Format_Settings_Sign")};
}

VideoStreamFacts VideoFacts(MediaInfo& info, std::size_t i, const QString& container) {
    const stream_t kind = MediaInfoLib::Stream_Video;
    VideoStreamFacts v;
    const mediainfolib::StreamCoding coding = Coding(info, kind, i, container);
    v.width = Integer(Get(info, kind, i, L"Width"));
    v.height = Integer(Get(info, kind, i, L"Height"));
    v.compression = mediainfolib::VideoCompression(coding);
    v.codecId = coding.codecId;
    // The exact ratio where there is one: 30000/1001 is 29.97002997…, not "29.970".
    const double num = Number(Get(info, kind, i, L"FrameRate_Num"));
    const double den = Number(Get(info, kind, i, L"FrameRate_Den"));
    v.frameRate = num > 0 && den > 0 ? num / den : Number(Get(info, kind, i, L"FrameRate"));
    v.lengthSeconds = Seconds(info, kind, i);
    v.bitRate = Integer(Get(info, kind, i, L"BitRate"));
    if (v.bitRate == 0) v.bitRate = Integer(Get(info, kind, i, L"BitRate_Nominal"));
    v.displayAspect = Number(Get(info, kind, i, L"DisplayAspectRatio"));
    return v;
}

AudioStreamFacts AudioFacts(MediaInfo& info, std::size_t i, const QString& container) {
    const stream_t kind = MediaInfoLib::Stream_Audio;
    AudioStreamFacts a;
    const mediainfolib::StreamCoding coding = Coding(info, kind, i, container);
    a.formatTag = mediainfolib::WaveFormatTag(coding);
    a.channels = Integer(Get(info, kind, i, L"Channel(s)"));
    a.sampleRate = Integer(Get(info, kind, i, L"SamplingRate"));
    a.bitsPerSample = Integer(Get(info, kind, i, L"BitDepth"));
    a.bitRate = Integer(Get(info, kind, i, L"BitRate"));
    if (a.bitRate == 0) a.bitRate = Integer(Get(info, kind, i, L"BitRate_Nominal"));
    a.codecId = coding.codecId;
    QStringList details;
    for (const QString& part : {coding.format, coding.version, coding.profile,
                                Get(info, kind, i, L"Format_AdditionalFeatures"),
                                Get(info, kind, i, L"Format_Settings_Mode")}) {
        if (!part.isEmpty()) details << part;
    }
    a.additionalInfo = details.join(QLatin1String(", "));
    a.lengthSeconds = Seconds(info, kind, i);
    return a;
}

// The library turns the wide path back into bytes with the thread's locale (wcstombs), so in
// the "C" locale it cannot open a non-ASCII name. Qt names files in UTF-8 whatever the locale;
// for the one call this thread converts the same way.
class Utf8FileNames {
public:
    Utf8FileNames() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr))) {
        if (utf8_) previous_ = uselocale(utf8_);
    }
    ~Utf8FileNames() {
        if (!utf8_) return;
        uselocale(previous_);
        freelocale(utf8_);
    }
    Utf8FileNames(const Utf8FileNames&) = delete;
    Utf8FileNames& operator=(const Utf8FileNames&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};

} // namespace

MediaFacts MediaInfoLibReader::Analyze(const QString& path) {
    try {
        // Only regular files: a folder, a pipe or a device has no streams to tell of.
        if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
        MediaInfo info;
        {
            const Utf8FileNames utf8;
            if (info.Open(path.toStdWString()) == 0) return {};
        }
        const QString container = Get(info, MediaInfoLib::Stream_General, 0, L"Format");
        const std::size_t videoCount = info.Count_Get(MediaInfoLib::Stream_Video);
        const std::size_t audioCount = info.Count_Get(MediaInfoLib::Stream_Audio);
        // An empty or foreign file opens, but the library recognises nothing in it.
        if (container.isEmpty() && videoCount + audioCount == 0) return {};
        MediaFacts facts;
        facts.ok = true;
        for (std::size_t i = 0; i < videoCount; ++i)
            facts.video.append(VideoFacts(info, i, container));
        for (std::size_t i = 0; i < audioCount; ++i)
            facts.audio.append(AudioFacts(info, i, container));
        return facts;
    } catch (...) {
        return {};
    }
}

} // namespace ov
