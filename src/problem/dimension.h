#pragma once

#include <array>
#include <string>
#include <vector>

namespace slopekit {

// The one problem the program works on. Handlers read and assign the fields directly;
// the application owns one instance and passes it by reference.
struct Dimension {
    static constexpr int MaxOrder = 10;    // there are ten point boxes
    static constexpr int ConsSlots = 101;  // slots 0 to 100

    int Order = 0;  // number of independent variables; 1 to 10 once accepted
    std::vector<std::string> VarNams;
    std::vector<double> Varx;  // the point; the working point during a computation
    std::string Equation;
    int NumCons = 0;
    std::array<std::string, ConsSlots> Cons;
    std::vector<double> Der1Val;
    std::vector<std::vector<double>> Der2Val;
    std::vector<std::string> Der1Label;
    std::vector<std::vector<std::string>> Der2Label;
    bool ResultsShown = false;
    bool Loading = false;  // a problem file is being put into the window
    double Step = 0;
    double HalfStep = 0;
    std::string ProblemFile;

    // Sets Order for n variables and creates the six per-variable arrays
    // anew, discarding what they held. Throws std::out_of_range unless 1 <= n <= 10.
    void redimension(int n);
};

}  // namespace slopekit
