#include "engine/script/globals.h"

#include "errors/run_error.h"

#include <cmath>

namespace slopekit::script {

Slot* Globals::find(std::string_view foldedName)
{
    const auto it = m_index.find(foldedName);
    return it == m_index.end() ? nullptr : it->second;
}

Slot& Globals::obtain(std::string_view foldedName)
{
    if (Slot* s = find(foldedName))
        return *s;
    Slot& s = m_slots.emplace_back();
    m_index.emplace(std::string(foldedName), &s);
    return s;
}

void Globals::assign(Slot& slot, const Value& v)
{
    switch (slot.kind) {
    case SlotKind::Variable:
        if (v.type == Type::String) {
            if (v.text != &slot.text)
                slot.text = *v.text;
            slot.value = Value::string(&slot.text);
        } else {
            slot.value = v;
        }
        return;
    case SlotKind::NumberField: *slot.number = toNumber(v); return;
    case SlotKind::WholeField: *slot.whole = toLong(v); return;
    case SlotKind::Object: fault(errnum::TypeMismatch);  // an object is no value
    }
}

Value Globals::read(const Slot& slot)
{
    switch (slot.kind) {
    case SlotKind::Variable:
        if (slot.value.type == Type::Empty)
            fault(errnum::VariableUndefined);
        return slot.value;
    case SlotKind::NumberField:
        if (std::isnan(*slot.number))
            fault(errnum::VariableUndefined);
        return Value::real(*slot.number);
    case SlotKind::WholeField: return Value::longValue(*slot.whole);
    case SlotKind::Object: fault(errnum::TypeMismatch);  // an object is no value
    }
    return {};
}

}  // namespace slopekit::script
