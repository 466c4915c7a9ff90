#include "core/playback/sys_TimeUtils.h"

namespace ov {

QString FormatRefTime(bool dotted, RefTime t) {
    // C++ division truncates toward zero and remainders take the sign of t.
    const std::int64_t hours = t / 36000000000LL;
    const std::int64_t minutes = (t / 600000000LL) % 60;
    const std::int64_t seconds = (t / 10000000LL) % 60;
    return QString::asprintf(dotted ? "%lld.%.2lld.%.2lld" : "%lld:%.2lld:%.2lld",
                             static_cast<long long>(hours), static_cast<long long>(minutes),
                             static_cast<long long>(seconds));
}

RefTime MsToRefTime(std::uint32_t milliseconds) {
    return static_cast<RefTime>(static_cast<std::uint32_t>(milliseconds * 10000u));
}

} // namespace ov
