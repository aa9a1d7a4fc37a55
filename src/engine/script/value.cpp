#include "engine/script/value.h"

#include "engine/script/numeric_ops.h"
#include "errors/run_error.h"
#include "numbers/number_text.h"

#include <cmath>
#include <limits>

namespace slopekit::script {

void fault(int number) { throw Fault{number}; }

Value wholeValue(double v, Type atLeast)
{
    if (atLeast <= Type::Integer && v >= -32768.0 && v <= 32767.0)
        return {Type::Integer, v, nullptr};
    if (atLeast <= Type::Long && v >= -2147483648.0 && v <= 2147483647.0)
        return {Type::Long, v, nullptr};
    return Value::real(v);
}

namespace {

// Texts read as numbers under the language's own locale, whatever the user's locale is.
double readText(const std::string& text)
{
    try {
        return languageNumber(text);
    } catch (const RunError& e) {
        fault(e.number());
    }
}

}  // namespace

double toNumber(const Value& v)
{
    switch (v.type) {
    case Type::String: return readText(*v.text);
    case Type::Empty: return 0;
    default: return v.number;
    }
}

std::int32_t toLong(const Value& v) { return roundToLong(toNumber(v)); }

std::string textForm(const Value& v)
{
    switch (v.type) {
    case Type::Empty: return {};
    case Type::Boolean: return v.number != 0 ? "True" : "False";
    case Type::String: return *v.text;
    default: return displayForm(v.number);
    }
}

bool isNumberText(const std::string& text)
{
    try {
        languageNumber(text);
        return true;
    } catch (const RunError&) {
        return false;
    }
}

}  // namespace slopekit::script
