#pragma once

// Reading what the network hands the banner: the description file, the ping
// command's output, and the checks that keep a hostile site's answers out of
// the program's directory. Pure functions: any bytes in, no overflow.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dx {

// The largest description file or picture the banner keeps (1 MiB).
inline constexpr std::size_t kMaxDownloadBytes = std::size_t{1} << 20;

// Up to `count` fields from the start of text. Fields are separated by a comma
// or a line end (CR LF, CR or LF); a comma directly followed by a line end
// (blanks between allowed) is one separator. Blanks before a field are
// skipped. A field that begins with a double quote runs to the next double
// quote, commas and line ends included, and whatever follows the closing
// quote up to the separator is dropped; an unquoted field loses its trailing
// blanks. The end of the text ends the last field; no field starts there.
std::vector<std::string> readFields(std::string_view text, std::size_t count);

// The banner's description file: its first three fields.
struct BannerDescription {
    std::string texte;      // Texte_Site: the banner's tooltip text
    std::string url;        // URL_Site: the link opened on a click
    std::string extension;  // Extension_Image: the picture's type
};

// Nothing when the text holds fewer than three fields.
std::optional<BannerDescription> readDescription(std::string_view text);

// The verdict on the output of one echo request of the system ping, read as
// its first seven fields: nothing when there are fewer (no output, or the
// command failed before printing its statistics); true when the host
// answered: a reply line ("64 bytes from ...") or a statistics field
// "N received" with N at least 1; false otherwise.
std::optional<bool> pingAnswered(std::string_view output);

// A picture type the banner accepts: 1 to 5 ASCII letters or digits. Anything
// else (a point, a slash, "..", a blank) could name a file outside the
// program's directory and is refused.
bool isSafeExtension(std::string_view extension);

// A body the banner writes to disk: not empty, at most kMaxDownloadBytes,
// and not an HTML page (such as a server's error page) that begins "<!D".
bool isStorableBody(std::string_view body);

}  // namespace dx
