#pragma once

// dextrel-report's files: inputs read whole under a ceiling (a FIFO, a
// device or a folder refused at once), outputs that are never one of the
// inputs, each written atomically and private.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace dx::report_files {

// The largest journal or CSV file read.
inline constexpr uint64_t kMaxInputBytes = uint64_t{64} << 20;

// The bytes of the file at path, or nothing with `message` saying why, in
// the language of langue.
// identity, when given, receives the identity of the file the bytes came from.
std::optional<std::string> readInput(const std::string& path, int16_t langue, std::string& message,
                                     FileIdentity* identity = nullptr);

// Whether output would write over one of the inputs: the same file under
// another name or through a link, or (when it does not exist yet) a path
// that resolves to one.
bool isOneOf(const std::string& output, const std::vector<std::string>& inputs);

// The message refusing an output that is an input.
std::string outputIsInputMessage(const std::string& output, int16_t langue);

// The message when nothing in the journal reads as a test.
std::string noTestMessage(const std::string& journal, int16_t langue);

// Replaces the file at path whole: a temporary file in its folder, flushed,
// renamed over it (through a link, the link kept); new files are private,
// a replaced one keeps its mode. False with error set on failure, the old
// file then untouched.
bool writeOutput(const std::string& path, const std::string& bytes, std::string& error);

// The bytes that paint(path) wrote to a file in a fresh private folder,
// which goes afterwards; nothing when the painting failed.
std::optional<std::string> renderedFile(const std::function<bool(const std::string&)>& paint);

}  // namespace dx::report_files
