#include "adapters/desktop/LinuxSystemInfo.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <gst/gst.h>
#include <sys/utsname.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace ov {

namespace {

// What the player needs from GStreamer to count as the "DirectX 9" it checks for.
constexpr unsigned requiredMajor = 1;
constexpr unsigned requiredMinor = 20;
const QString satisfiedVersion = QStringLiteral("4.09.00.0904");

void EnsureGstreamer() {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
}

bool HasFactory(const char* name) {
    GstElementFactory* factory = gst_element_factory_find(name);
    if (!factory) return false;
    gst_object_unref(factory);
    return true;
}

// Any decoder that decodebin would pick for these caps, whatever its name.
bool HasDecoderFor(const char* capsText) {
    GstCaps* caps = gst_caps_from_string(capsText);
    if (!caps) return false;
    GList* decoders =
        gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_DECODER, GST_RANK_MARGINAL);
    GList* matching = gst_element_factory_list_filter(decoders, caps, GST_PAD_SINK, FALSE);
    const bool found = matching != nullptr;
    gst_plugin_feature_list_free(matching);
    gst_plugin_feature_list_free(decoders);
    gst_caps_unref(caps);
    return found;
}

// Undoes the shell-style quoting os-release allows: "..." with backslash escapes, or '...'.
QString UnquoteOsReleaseValue(const QByteArray& raw) {
    const QByteArray value = raw.trimmed();
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
        return QString::fromUtf8(value.mid(1, value.size() - 2));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        QByteArray out;
        const QByteArray inner = value.mid(1, value.size() - 2);
        for (qsizetype i = 0; i < inner.size(); ++i) {
            const char c = inner[i];
            if (c == '\\' && i + 1 < inner.size() && QByteArray("\"\\$`").contains(inner[i + 1]))
                out += inner[++i];
            else
                out += c;
        }
        return QString::fromUtf8(out);
    }
    return QString::fromUtf8(value);
}

} // namespace

bool LinuxCpuid::Supported() {
#if defined(__x86_64__)
    // Toggle the ID bit (21) of RFLAGS and see whether it sticks. The 128-byte step keeps the
    // pushes clear of the red zone the compiler may be using below the stack pointer.
    unsigned long before = 0;
    unsigned long after = 0;
    __asm__ __volatile__("sub $128, %%rsp\n\t"
                         "pushfq\n\t"
                         "pop %0\n\t"
                         "mov %0, %1\n\t"
                         "xor $0x200000, %1\n\t"
                         "push %1\n\t"
                         "popfq\n\t"
                         "pushfq\n\t"
                         "pop %1\n\t"
                         "push %0\n\t"
                         "popfq\n\t"
                         "add $128, %%rsp"
                         : "=&r"(before), "=&r"(after)
                         :
                         : "cc", "memory");
    return ((before ^ after) & 0x200000UL) != 0;
#else
    return false;
#endif
}

CpuidRegs LinuxCpuid::Query(std::uint32_t leaf) {
    CpuidRegs regs;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // Leaves above the processor's range read as zeros instead of another leaf's data.
    if (__get_cpuid_count(leaf, 0, &eax, &ebx, &ecx, &edx)) regs = {eax, ebx, ecx, edx};
#else
    (void)leaf;
#endif
    return regs;
}

LinuxSystemInfo::LinuxSystemInfo(QStringList osReleasePaths)
    : osReleasePaths_(std::move(osReleasePaths)) {
    EnsureGstreamer();
}

QString LinuxSystemInfo::MediaFrameworkVersion() {
    // The plugin registry does not change while the player runs.
    if (mediaVersion_) return *mediaVersion_;
    EnsureGstreamer();
    guint major = 0, minor = 0, micro = 0, nano = 0;
    gst_version(&major, &minor, &micro, &nano);
    const bool recent = major > requiredMajor || (major == requiredMajor && minor >= requiredMinor);
    const bool complete = recent && HasFactory("playbin") && HasFactory("videobalance") &&
                          HasDecoderFor("video/x-h264") &&
                          HasDecoderFor("audio/mpeg, mpegversion=(int)4");
    mediaVersion_ = complete ? satisfiedVersion : QString();
    return *mediaVersion_;
}

int LinuxSystemInfo::SoundDeviceCount() {
    EnsureGstreamer();
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Audio/Sink", nullptr);
    int count = 0;
    if (gst_device_monitor_start(monitor)) {
        GList* devices = gst_device_monitor_get_devices(monitor);
        count = static_cast<int>(g_list_length(devices));
        g_list_free_full(devices, gst_object_unref);
        gst_device_monitor_stop(monitor);
    }
    gst_object_unref(monitor);
    return count;
}

std::optional<OsRelease> LinuxSystemInfo::OperatingSystem() {
    utsname names{};
    if (uname(&names) != 0) return std::nullopt;
    OsRelease os;
    os.kernelName = QString::fromUtf8(names.sysname);
    os.kernelRelease = QString::fromUtf8(names.release);
    for (const QString& path : osReleasePaths_) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        // os-release is a few hundred bytes; anything far larger is not one.
        os.prettyName = PrettyNameFromOsRelease(file.read(64 * 1024));
        break;
    }
    return os;
}

QString LinuxSystemInfo::PrettyNameFromOsRelease(const QByteArray& contents) {
    QString prettyName;
    QString name;
    for (const QByteArray& line : contents.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || line.trimmed().startsWith('#')) continue;
        const QByteArray key = line.left(equals).trimmed();
        if (key == "PRETTY_NAME")
            prettyName = UnquoteOsReleaseValue(line.mid(equals + 1));
        else if (key == "NAME")
            name = UnquoteOsReleaseValue(line.mid(equals + 1));
    }
    return (prettyName.isEmpty() ? name : prettyName).trimmed();
}

std::optional<ProgramVersion> LinuxSystemInfo::ProgramFileVersion() {
    return ProgramVersion{ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_RELEASE,
                          ORVANE_VERSION_BUILD};
}

ScreenProperties LinuxSystemInfo::PrimaryScreen() {
    ScreenProperties props;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return props;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return props;
    // Device pixels, as a device context would count them.
    const QSize size = screen->size() * screen->devicePixelRatio();
    props.width = size.width();
    props.height = size.height();
    props.bitsPerPixel = screen->depth();
    props.refreshHz = qRound(screen->refreshRate());
    return props;
}

int LinuxSystemInfo::MonitorCount() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 0;
    return static_cast<int>(QGuiApplication::screens().size());
}

Cpuid& LinuxSystemInfo::Processor() {
    return cpuid_;
}

} // namespace ov
