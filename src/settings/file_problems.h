#pragma once

// Why a file of the program could not be read at all, as the user is told:
// a link to a missing file, a folder or a device, a file too large, or the
// system's own reason. Shared by the settings file and the journal.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace dx {

// The reason for a read that gave no bytes, in the language of langue (the
// link's target named when status shows one). maxBytes is the ceiling the
// read had.
std::string unreadableFileReason(const FileStatus& status, const FileRead& read, uint64_t maxBytes,
                                 int16_t langue);

}  // namespace dx
