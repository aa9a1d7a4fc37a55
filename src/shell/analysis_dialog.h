#pragma once

#include "analysis/hessian_analysis.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace slopekit {

// The Hessian analysis at the computed point: the gradient and its norm, the Hessian, its
// eigenvalues and eigenvectors, and the classification with the line it rests on.
class AnalysisDialog : public QDialog {
    Q_OBJECT
public:
    AnalysisDialog(const std::vector<std::string>& names, const DerivativeEstimates& estimates,
                   const HessianAnalysis& analysis, QWidget* parent = nullptr);

    QTableWidget* tblGradient = nullptr;  // variable, derivative, error
    QLabel* lblGradientNorm = nullptr;
    QTableWidget* tblHessian = nullptr;
    QTableWidget* tblEigen = nullptr;  // eigenvalue, its sign, the eigenvector's components
    QLabel* lblClassification = nullptr;
    QLabel* lblBasis = nullptr;
};

}  // namespace slopekit
