#include "helpbook/sitemap.h"

#include "ascii/ascii.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace slopekit {
namespace {

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Replaces the character references that can stand in an attribute value.
std::string decodeEntities(std::string_view text)
{
    static const std::map<std::string, std::string> named = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                                                             {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text.find(';', i);
        if (text[i] != '&' || semicolon == std::string_view::npos || semicolon - i > 8) {
            result += text[i];
            continue;
        }
        const std::string name(text.substr(i + 1, semicolon - i - 1));
        if (const auto it = named.find(lowerCase(name)); it != named.end()) {
            result += it->second;
        } else if (name.size() > 1 && name[0] == '#' && isDigit(name[1])) {
            const unsigned long code = std::stoul(name.substr(1));
            result += code < 128 ? static_cast<char>(code) : '?';
        } else {
            result += text[i];
            continue;
        }
        i = semicolon;
    }
    return result;
}

struct Tag {
    std::string name;                               // lower case; "/ul" for an end tag
    std::map<std::string, std::string> attributes;  // names in lower case
};

// Reads the tag that starts at text[pos] == '<' and moves pos past it.
Tag readTag(std::string_view text, std::size_t& pos)
{
    Tag tag;
    std::size_t i = pos + 1;
    auto skipSpace = [&] {
        while (i < text.size() && isSpace(text[i]))
            ++i;
    };
    auto readWord = [&] {
        const std::size_t start = i;
        while (i < text.size() && !isSpace(text[i]) && text[i] != '>' && text[i] != '=')
            ++i;
        return lowerCase(text.substr(start, i - start));
    };
    tag.name = readWord();
    while (true) {
        skipSpace();
        if (i >= text.size() || text[i] == '>')
            break;
        const std::string attribute = readWord();
        skipSpace();
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            skipSpace();
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i++];
                const std::size_t end = std::min(text.find(quote, i), text.size());
                value = decodeEntities(text.substr(i, end - i));
                i = std::min(end + 1, text.size());
            } else {
                value = decodeEntities(readWord());
            }
        } else if (attribute.empty()) {
            ++i;  // a stray character such as "/" or "="
            continue;
        }
        tag.attributes[attribute] = value;
    }
    pos = std::min(i + 1, text.size());
    return tag;
}

std::string attribute(const Tag& tag, const std::string& name)
{
    const auto it = tag.attributes.find(name);
    return it == tag.attributes.end() ? std::string() : it->second;
}

}  // namespace

std::vector<TocEntry> parseSitemap(std::string_view text)
{
    std::vector<TocEntry> top;
    // The lists being filled, outermost first; an entry is added to the innermost.
    std::vector<std::vector<TocEntry>*> open{&top};
    std::optional<TocEntry> entry;  // set inside <OBJECT type="text/sitemap">
    bool listStarted = false;       // entries count only inside the outermost <UL>

    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string_view::npos) {
        if (text.substr(pos, 4) == "<!--") {
            const std::size_t end = text.find("-->", pos);
            pos = end == std::string_view::npos ? text.size() : end + 3;
            continue;
        }
        const Tag tag = readTag(text, pos);
        if (tag.name == "ul") {
            if (!listStarted)
                listStarted = true;
            else if (!open.back()->empty())
                open.push_back(&open.back()->back().children);
            else
                open.push_back(open.back());  // a list without an item above it: flatten
        } else if (tag.name == "/ul") {
            if (open.size() > 1)
                open.pop_back();
        } else if (tag.name == "object") {
            if (listStarted && lowerCase(attribute(tag, "type")) == "text/sitemap")
                entry.emplace();
        } else if (tag.name == "param" && entry) {
            const std::string name = lowerCase(attribute(tag, "name"));
            if (name == "name" && entry->name.empty())
                entry->name = attribute(tag, "value");
            else if (name == "local" && entry->local.empty())
                entry->local = attribute(tag, "value");
        } else if (tag.name == "/object" && entry) {
            open.back()->push_back(std::move(*entry));
            entry.reset();
        }
    }
    return top;
}

}  // namespace slopekit
