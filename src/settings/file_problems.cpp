#include "settings/file_problems.h"

#include "platform/text.h"

namespace dx {

namespace {

inline constexpr Bilingual kDanglingLink = {"C'est un lien vers ", "It is a link to "};
inline constexpr Bilingual kDanglingLinkEnd = {
    ", qui est introuvable (un disque qui n'est pas branché ?).",
    ", which cannot be found (a drive that is not connected?)."};
inline constexpr Bilingual kTooLarge = {"Le fichier est trop grand pour être lu : plus de ",
                                        "The file is too large to be read: more than "};
inline constexpr Bilingual kMebibytes = {" Mio.", " MiB."};
inline constexpr Bilingual kKibibytes = {" Kio.", " KiB."};
inline constexpr Bilingual kNotAFile = {
    "Ce n'est pas un fichier (un dossier, un tube ou un périphérique).",
    "It is not a file (a folder, a pipe or a device)."};
inline constexpr Bilingual kReason = {"Raison : ", "Reason: "};

std::string sizeText(uint64_t bytes, int16_t l) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    if (bytes >= kMiB) return std::to_string(bytes / kMiB) + pick(kMebibytes, l);
    return std::to_string(bytes / 1024) + pick(kKibibytes, l);
}

}  // namespace

std::string unreadableFileReason(const FileStatus& status, const FileRead& read, uint64_t maxBytes,
                                 int16_t l) {
    if (status.kind == FileKind::DanglingLink)
        return pick(kDanglingLink, l) + status.linkTarget + pick(kDanglingLinkEnd, l);
    switch (read.problem) {
        case FileRead::Problem::TooLarge:
            return pick(kTooLarge, l) + sizeText(maxBytes, l);
        case FileRead::Problem::NotAFile:
            return pick(kNotAFile, l);
        default:
            break;
    }
    return pick(kReason, l) + read.reason;
}

}  // namespace dx
