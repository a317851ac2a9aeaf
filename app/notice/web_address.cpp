#include "web_address.h"

#include <cctype>

namespace notice {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

bool HasHostAfter(std::string_view link, std::size_t schemeLength) {
    return link.size() > schemeLength && link[schemeLength] != '/';
}

// Spaces and control characters (a line break left in the notice, say)
// never belong in an address the shell should open.
bool HasBlankOrControl(std::string_view link) {
    for (char c : link) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return true;
    }
    return false;
}

}  // namespace

bool IsWebAddress(std::string_view link) {
    if (HasBlankOrControl(link)) return false;
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (StartsWithIgnoringCase(link, scheme)) return HasHostAfter(link, scheme.size());
    }
    return false;
}

}  // namespace notice
