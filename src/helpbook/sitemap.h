#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace slopekit {

// One entry of a help table of contents: its title, the page it opens (may be empty
// for a pure heading) and the entries nested below it.
struct TocEntry {
    std::string name;
    std::string local;
    std::vector<TocEntry> children;

    bool operator==(const TocEntry&) const = default;
};

// Reads a sitemap (.hhc): nested <UL> lists whose <LI> items carry an
// <OBJECT type="text/sitemap"> with <param name="Name"> and <param name="Local">.
// Tag and attribute names are case-insensitive; anything else in the text is ignored,
// and unbalanced lists never throw, they only end the nesting early.
std::vector<TocEntry> parseSitemap(std::string_view text);

}  // namespace slopekit
