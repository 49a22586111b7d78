#pragma once

#include "platform/cdimage/DataTrack.h"

#include <string>

namespace talvero {

/// Reads an NRG image's track list (the footer at its end, the chunks it points to) and returns
/// its first data track. Every offset and size is checked against the file before it is used:
/// a damaged image gets a message, never a read outside the file. Throws CdImageError.
DataTrack ReadNrgTrack(const std::string& nrgPath);

}  // namespace talvero
