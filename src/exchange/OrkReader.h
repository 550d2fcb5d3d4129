#pragma once

#include "exchange/ImportedRocket.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantor {

// The largest unpacked size accepted from an .ork package.
inline constexpr std::size_t MaxUnpackedBytes = 64u << 20;

// The XML document of an .ork file: the file itself when it is plain XML, the inflated
// stream when it is gzip-compressed (early versions), else the rocket document of its zip
// package. Throws ImportError for a damaged package or one
// that would unpack to more than MaxUnpackedBytes.
std::string UnpackOrk(std::span<const std::uint8_t> bytes);

// Reads an OpenRocket design document: every stage, the first (sustainer) stage's parts
// resolved to absolute positions from the nose tip with their masses as OpenRocket
// defines them, and the stored simulations' first data points. Throws ImportError.
// The motors are those of `configuration` (an id the file gives), or of the file's
// default configuration when it is empty or unknown.
ImportedRocket ReadOrkDocument(std::string_view xml, const std::string& configuration = {});

} // namespace vantor
