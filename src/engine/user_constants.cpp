#include "engine/user_constants.h"

#include "ascii/ascii.h"

#include <algorithm>
#include <stdexcept>

namespace slopekit {
namespace {

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

AddConstantOutcome addConstant(Dimension& dim, const std::string& text, const ReservedName& reserved)
{
    const auto name = constantName(text);
    if (!name)
        return {};
    if (auto fault = nameFault(*name, reserved))
        return {ConstantAdded::Ignored, -1, std::move(*fault)};
    int replaced = -1;
    for (int i = 0; i < dim.NumCons; ++i) {
        const auto stored = constantName(dim.Cons[static_cast<std::size_t>(i)]);
        if (stored && sameName(*stored, *name)) {
            replaced = i;
            break;
        }
    }
    if (replaced < 0 && dim.NumCons == Dimension::ConsSlots)
        return {ConstantAdded::Full, -1, {}};
    if (replaced >= 0)
        eraseEntry(dim, replaced);
    dim.Cons[static_cast<std::size_t>(dim.NumCons)] = text;
    ++dim.NumCons;
    return {ConstantAdded::Stored, replaced, {}};
}

std::optional<std::string> removeConstant(Dimension& dim, int k)
{
    if (k < 0 || k >= dim.NumCons)
        throw std::out_of_range("no constant at that index");
    const std::string text = dim.Cons[static_cast<std::size_t>(k)];
    eraseEntry(dim, k);
    return constantName(text);
}

}  // namespace slopekit
