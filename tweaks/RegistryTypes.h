#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessel {

// The two predefined hives the program writes to.
enum class Hive : std::uint8_t
{
    CurrentUser,
    LocalMachine,
};

// Win32 status codes, as the registry API returns them.
namespace status {
inline constexpr long Success = 0;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
inline constexpr long InvalidHandle = 6;
inline constexpr long NotEnoughMemory = 8;
inline constexpr long InvalidParameter = 87;
inline constexpr long Busy = 170;
inline constexpr long BadPathName = 161;
inline constexpr long MoreData = 234;
inline constexpr long BadDatabase = 1009;
inline constexpr long KeyDeleted = 1018;
inline constexpr long Io = 1117;
inline constexpr long DiskFull = 112;
} // namespace status

// Value kinds (REG_*).
namespace regtype {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Sz = 1;
inline constexpr std::uint32_t ExpandSz = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
inline constexpr std::uint32_t MultiSz = 7;
inline constexpr std::uint32_t Qword = 11; // the highest kind the registry has
} // namespace regtype

// REG_DWORD data, and every other 32-bit number the registry stores: four
// bytes, little-endian, whatever the machine's own order.
constexpr std::array<std::uint8_t, 4> DwordBytes(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// The number in the first four of `bytes`; the caller has checked there are four.
constexpr std::uint32_t DwordFromBytes(const std::uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline constexpr std::uint32_t KeyAllAccess = 0xF003F;
inline constexpr std::uint32_t KeyRead = 0x20019;

// Documented registry limits, enforced identically for every backend.
namespace limits {
// The documented 255, plus the one more that the A calls accept.
inline constexpr std::size_t KeyNameChars = 256;
inline constexpr std::size_t ValueNameChars = 16383;
inline constexpr std::size_t ValueDataBytes = 1024 * 1024;
// A whole key path through the ANSI calls: they convert it into a buffer of
// MAX_PATH + 1 wide characters. It also bounds the depth far below 512.
inline constexpr std::size_t KeyPathChars = 260;
} // namespace limits

} // namespace tessel
