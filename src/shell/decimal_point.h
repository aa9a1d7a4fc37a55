#pragma once

#include <functional>
#include <string>

namespace slopekit {

class Prompts;

// The decimal-separator guard. Numbers travel between the window, the engine and the
// problem file as text, some of it in the user's locale and some always with ".", so the
// program runs only with "." as the decimal separator of its number locale. Linux has no
// per-user setting that other programs would see, so the separator is changed for this
// process only, and put back at exit.
class DecimalPoint {
public:
    // userDecimalSymbol reads the decimal separator of the user's locale afresh.
    DecimalPoint(Prompts& prompts, std::function<std::string()> userDecimalSymbol);

    // The user's decimal separator as read at start; empty until read.
    std::string SavedDecimalSymbol;

    void ReadDecimalSymbol();
    void SetDecimalPoint();
    void RestoreDecimalSymbol();
    // The guard: true when the program may go on, false when the user declined the change
    // and the process must end before any window shows.
    bool CheckDecimalSymbol();

private:
    Prompts& m_prompts;
    std::function<std::string()> m_userDecimalSymbol;
};

// The warning's text, lines separated by CR.
std::string decimalCommaWarning();

}  // namespace slopekit
