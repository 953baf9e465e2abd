#include "banner/address.h"

#include "platform/text.h"

namespace dx {

namespace {

std::string shifted(std::string_view text, int by) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) out += static_cast<char>(static_cast<unsigned char>(c + by));
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != prefix[i]) return false;
    return true;
}

}  // namespace

std::string scrambleAddress(std::string_view address) {
    return shifted(address, -static_cast<int>(address.size()));
}

std::string unscrambleAddress(std::string_view scrambled) {
    return shifted(scrambled, static_cast<int>(scrambled.size()));
}

bool isWebAddress(std::string_view address) {
    for (unsigned char c : address)
        if (c <= 0x20 || c == 0x7f) return false;
    std::string_view rest;
    if (startsWithNoCase(address, "http://"))
        rest = address.substr(7);
    else if (startsWithNoCase(address, "https://"))
        rest = address.substr(8);
    else
        return false;
    // A host must follow the scheme: "http:///x" or "http://" alone is no page.
    return !rest.empty() && rest.front() != '/' && rest.front() != '?' && rest.front() != '#';
}

}  // namespace dx
