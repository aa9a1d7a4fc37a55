#pragma once

#include "analysis/analysis_errors.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace slopekit {

// The Hessian analysis at the computed point: the classification with the line it rests
// on above three tabs, the gradient (with its norm and the direction of steepest ascent),
// the Hessian, and its eigenvalues and eigenvectors. Every number shows the digits its
// error supports. The dialog fits its screen; a table too large for it scrolls.
class AnalysisDialog : public QDialog {
    Q_OBJECT
public:
    AnalysisDialog(const std::vector<std::string>& names, const DerivativeEstimates& estimates,
                   const HessianAnalysis& analysis, QWidget* parent = nullptr);

    QLabel* lblClassification = nullptr;
    QLabel* lblBasis = nullptr;
    QTabWidget* tabs = nullptr;
    QTableWidget* tblGradient = nullptr;  // variable, derivative, error, steepest ascent
    QLabel* lblGradientNorm = nullptr;
    QTableWidget* tblHessian = nullptr;
    QTableWidget* tblEigen = nullptr;  // eigenvalue, its sign, the eigenvector's components

private:
    QWidget* gradientPage(const std::vector<std::string>& names, const DerivativeEstimates& estimates,
                          const HessianAnalysis& analysis, const AnalysisErrors& errors);
    QTableWidget* hessianTable(const std::vector<std::string>& names, const DerivativeEstimates& estimates);
    QTableWidget* eigenTable(const std::vector<std::string>& names, const HessianAnalysis& analysis,
                             const AnalysisErrors& errors);
};

}  // namespace slopekit
