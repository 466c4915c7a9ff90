#pragma once
#include <cstdint>

namespace ov {

// Result codes in the media framework's convention: negative is failure, 0 is full success,
// positive is a qualified success. Callers test them as the player's rules require
// (play: non-negative; pause: exactly S_OK).
using HResult = std::int32_t;
inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005);
inline constexpr HResult E_NOINTERFACE = static_cast<HResult>(0x80004002);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057);

inline constexpr bool Succeeded(HResult hr) { return hr >= 0; }

// Positions and lengths: signed counts of 100-ns units.
using RefTime = std::int64_t;
inline constexpr RefTime RefTimePerMs = 10000;
inline constexpr RefTime RefTimePerSecond = 10000000;

} // namespace ov
