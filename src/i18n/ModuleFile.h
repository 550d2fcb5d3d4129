#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vantor {

// How much of a module file the check reads: the header and the program headers lie
// at its start.
inline constexpr std::size_t ModuleCheckPrefix = 64 * 1024;

// Why the start of an ELF file (`prefix`, the first bytes of a file of `fileSize` bytes)
// is no shared module this process can load, or nothing when it may be one: the
// header must name a shared object of this machine's class, byte order and
// architecture, and the file must hold the program header table and every segment the
// table names. The system's loader maps segments without checking that the file covers
// them, so a file cut short would kill the process on first touch.
std::optional<std::string> CheckElfModule(std::span<const std::uint8_t> prefix,
                                          std::uint64_t fileSize);

// Why the file cannot be a language library to load: not a regular file, unreadable, or
// (where modules are ELF files) refused by CheckElfModule. Nothing when it may be loaded.
std::optional<std::string> CheckModuleFile(const std::filesystem::path& path);

} // namespace vantor
