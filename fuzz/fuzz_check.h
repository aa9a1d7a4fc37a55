#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace slopekit::fuzz {

// Ends the run when a property fails; libFuzzer then keeps the input that broke it.
inline void check(bool ok, const char* what, std::string_view text = {})
{
    if (ok)
        return;
    std::fprintf(stderr, "%s: [%.*s]\n", what, static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data());
    std::abort();
}

}  // namespace slopekit::fuzz
