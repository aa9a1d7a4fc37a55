#pragma once

#include "engine/script/host_object.h"
#include "engine/script/value.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace slopekit::script {

enum class SlotKind : std::uint8_t { Variable, NumberField, WholeField, Object };

// One global name. Slots never move or disappear, so compiled code holds pointers to them.
struct Slot {
    SlotKind kind = SlotKind::Variable;
    Value value;       // a Variable's value; Empty until first assigned
    std::string text;  // storage of a Variable's String value
    double* number = nullptr;
    std::int32_t* whole = nullptr;
    const HostObject* object = nullptr;
};

// The global name space: names (case-insensitive) to slots, for the whole life of the engine.
class Globals {
public:
    // The slot of a name, or nullptr. The name must already be in the folded case.
    Slot* find(std::string_view foldedName);
    // The slot of a name, created as an unassigned variable when new.
    Slot& obtain(std::string_view foldedName);

    // Assigns a value to a variable or field slot (throws Fault 13 or 6 when a field cannot
    // take it, 13 for an object's name).
    static void assign(Slot& slot, const Value& v);
    // The value of a slot for reading (Fault 500 for a variable never assigned or a Double
    // field without a value, 13 for an object).
    static Value read(const Slot& slot);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::deque<Slot> m_slots;
    std::unordered_map<std::string, Slot*, Hash, std::equal_to<>> m_index;
};

}  // namespace slopekit::script
