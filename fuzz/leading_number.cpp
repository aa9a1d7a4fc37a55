// Feeds arbitrary text to the two number readings and checks what holds for every text:
// a reading gives a finite number or the error it documents, blanks never change the
// leading-number reading, the two readings agree where their rules coincide, and a number
// read back from its own display, file or engine form keeps its 15 significant digits.
#include "errors/run_error.h"
#include "fuzz_check.h"
#include "numbers/number_locale.h"
#include "numbers/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using slopekit::RunError;
using slopekit::fuzz::check;

// The outcome of one reading: a value or an error number.
struct Outcome {
    std::optional<double> value;
    int error = 0;
    bool operator==(const Outcome&) const = default;
};

template <typename Read>
Outcome outcomeOf(Read read, std::string_view text, std::initializer_list<int> allowedErrors)
{
    try {
        const double v = read(text);
        check(std::isfinite(v), "reading gave a value that is not finite", text);
        return {v, 0};
    } catch (const RunError& e) {
        check(std::find(allowedErrors.begin(), allowedErrors.end(), e.number()) != allowedErrors.end(),
              "reading raised an error it does not document", text);
        return {std::nullopt, e.number()};
    }
}

Outcome leading(std::string_view text)
{
    return outcomeOf(slopekit::leadingNumber, text, {slopekit::errnum::Overflow});
}

Outcome locale(std::string_view text)
{
    return outcomeOf(slopekit::localeNumber, text, {slopekit::errnum::Overflow, slopekit::errnum::TypeMismatch});
}

// Locales a user may have: point, comma, blank and no-break-space thousands, none.
const std::array<slopekit::NumberSeparators, 5> Locales = {{
    {".", ","},
    {",", "."},
    {",", " "},
    {",", "\xE2\x80\xAF"},
    {".", ""},
}};

// The file and engine forms read back to the very number; the display form to its own 15
// significant digits.
void checkRoundTrip(double v, std::string_view origin)
{
    const Outcome fromFile = leading(slopekit::fileNumber(v));
    check(fromFile.value && *fromFile.value == v, "file form does not read back", origin);
    const Outcome fromEngine = leading(slopekit::engineNumber(v));
    check(fromEngine.value && *fromEngine.value == v, "engine form does not read back", origin);
    if (std::fabs(v) > 1e308)  // 15 digits of the largest doubles round beyond the range
        return;
    const std::string display = slopekit::displayForm(v);
    const Outcome fromDisplay = locale(display);
    check(fromDisplay.value && slopekit::displayForm(*fromDisplay.value) == display,
          "display form does not read back under the locale", origin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    slopekit::numberLocale() = Locales[data[0] % Locales.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Outcome lead = leading(text);
    std::string solid(text);
    std::erase_if(solid, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    check(leading(solid) == lead, "blanks changed the leading-number reading", text);

    const Outcome loc = locale(text);
    // Without blanks and thousands separators both readings follow the same rules.
    const std::string& thousands = slopekit::numberLocale().thousands;
    const bool plain = solid == text && slopekit::numberLocale().decimal == "." &&
                       (thousands.empty() || text.find(thousands) == std::string_view::npos);
    check(!(plain && loc.value && loc != lead), "the readings disagree on a plain number", text);

    if (lead.value)
        checkRoundTrip(*lead.value, text);
    if (loc.value)
        checkRoundTrip(*loc.value, text);
    return 0;
}
