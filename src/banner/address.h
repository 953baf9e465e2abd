#pragma once

// The banner site's address as the program keeps it, and the one kind of
// address the banner may hand to the browser.

#include <string>
#include <string_view>

namespace dx {

// The scrambled form of an address: every byte moved down by the length of
// the text (modulo 256), so that the address does not show as plain text in
// the program.
std::string scrambleAddress(std::string_view address);

// Undoes scrambleAddress: every byte moved up by the length of the scrambled
// text.
std::string unscrambleAddress(std::string_view scrambled);

// An http:// or https:// address (scheme in any case) with a host part and
// no blank or control character anywhere: the only kind of link the banner
// opens.
bool isWebAddress(std::string_view address);

}  // namespace dx
