#include "fakes/FakeSystemInfo.h"

namespace ov::test {

bool FakeCpuid::Supported() {
    return supported;
}

CpuidRegs FakeCpuid::Query(std::uint32_t leaf) {
    queried.push_back(leaf);
    const auto found = leaves.find(leaf);
    return found == leaves.end() ? CpuidRegs{} : found->second;
}

FakeSystemInfo::FakeSystemInfo()
    : mediaFrameworkVersion(QStringLiteral("4.09.00.0904")),
      operatingSystem(OsRelease{QStringLiteral("Linux"), QStringLiteral("6.1.0-18-amd64"),
                                QStringLiteral("Debian GNU/Linux 12 (bookworm)")}),
      programVersion(ProgramVersion{1, 0, 0, 211}), primaryScreen{1920, 1080, 24, 60} {}

} // namespace ov::test
