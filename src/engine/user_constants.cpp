#include "engine/user_constants.h"

#include <algorithm>
#include <stdexcept>

namespace slopekit {
namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool validName(const std::string& name)
{
    return !name.empty() && isAsciiLetter(name.front()) &&
           std::all_of(name.begin() + 1, name.end(), [](char c) { return isAsciiLetter(c) || isAsciiDigit(c); });
}

void eraseEntry(Dimension& dim, int k)
{
    std::move(dim.Cons.begin() + k + 1, dim.Cons.begin() + dim.NumCons, dim.Cons.begin() + k);
    --dim.NumCons;
    dim.Cons[static_cast<std::size_t>(dim.NumCons)].clear();
}

}  // namespace

std::optional<std::string> constantName(const std::string& text)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return text.substr(0, equals);
}

AddConstantOutcome addConstant(Dimension& dim, const std::string& text)
{
    const auto name = constantName(text);
    if (!name || !validName(*name))
        return {};
    int replaced = -1;
    for (int i = 0; i < dim.NumCons; ++i) {
        if (constantName(dim.Cons[static_cast<std::size_t>(i)]) == name) {
            replaced = i;
            break;
        }
    }
    if (replaced < 0 && dim.NumCons == Dimension::ConsSlots)
        return {ConstantAdded::Full, -1};
    if (replaced >= 0)
        eraseEntry(dim, replaced);
    dim.Cons[static_cast<std::size_t>(dim.NumCons)] = text;
    ++dim.NumCons;
    return {ConstantAdded::Stored, replaced};
}

std::optional<std::string> removeConstant(Dimension& dim, int k)
{
    if (k < 0 || k >= dim.NumCons)
        throw std::out_of_range("no constant at that index");
    const std::string text = dim.Cons[static_cast<std::size_t>(k)];
    eraseEntry(dim, k);
    const auto name = constantName(text);
    if (!name)
        return std::nullopt;
    return *name + "=0";
}

}  // namespace slopekit
