#include "settings/file_problems.h"

#include "platform/text.h"
#include "settings/settings_texts.h"

namespace dx {

namespace {

namespace T = settings_text;

std::string sizeText(uint64_t bytes, int16_t l) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    if (bytes >= kMiB) return std::to_string(bytes / kMiB) + pick(T::kMebibytes, l);
    return std::to_string(bytes / 1024) + pick(T::kKibibytes, l);
}

}  // namespace

std::string unreadableFileReason(const FileStatus& status, const FileRead& read, uint64_t maxBytes,
                                 int16_t l) {
    if (status.kind == FileKind::DanglingLink)
        return pick(T::kDanglingLink, l) + status.linkTarget + pick(T::kDanglingLinkEnd, l);
    switch (read.problem) {
        case FileRead::Problem::TooLarge:
            return pick(T::kTooLarge, l) + sizeText(maxBytes, l);
        case FileRead::Problem::NotAFile:
            return pick(T::kNotAFile, l);
        default:
            break;
    }
    return pick(T::kReason, l) + read.reason;
}

}  // namespace dx
