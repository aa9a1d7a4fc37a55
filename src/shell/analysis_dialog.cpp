#include "shell/analysis_dialog.h"

#include "analysis/analysis_errors.h"
#include "numbers/number_text.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace slopekit {
namespace {

// A value with the digits its error supports.
QString number(double value, double error)
{
    return std::isfinite(value) ? QString::fromStdString(displayFormToError(value, error)) : QString("unreliable");
}

QString errorText(double error)
{
    return std::isfinite(error) ? QString::fromStdString(displayForm(twoSignificantDigits(error)))
                                : QString("unreliable");
}

QStringList headers(const std::vector<std::string>& names, const QString& prefix = {})
{
    QStringList list;
    for (const std::string& name : names)
        list << prefix + QString::fromStdString(name);
    return list;
}

// A read-only table that asks for room for all its cells; given less, it scrolls.
QTableWidget* table(QWidget* parent, const char* name, int rows, const QStringList& columns)
{
    auto* t = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);
    t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->hide();  // row numbers say nothing here; the Hessian shows names
    return t;
}

void put(QTableWidget* t, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);  // digits line up
    t->setItem(row, column, item);
}

QString sign(double eigenvalue, double error)
{
    if (eigenvalue > error)
        return "positive";
    if (eigenvalue < -error)
        return "negative";
    return "zero within its error";
}

QLabel* wrapped(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// What the dialog may take of its screen, leaving room for the window frame.
QSize room(const QWidget* parent)
{
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() - QSize(32, 64) : QSize(1024, 768);
}

}  // namespace

AnalysisDialog::AnalysisDialog(const std::vector<std::string>& names, const DerivativeEstimates& estimates,
                               const HessianAnalysis& analysis, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmAnalysis");
    setAttribute(Qt::WA_DeleteOnClose);
    QStringList point;
    for (std::size_t i = 0; i < names.size(); ++i)
        point << QString::fromStdString(names[i]) + " = " + QString::fromStdString(displayForm(estimates.point[i]));
    setWindowTitle("Analysis at " + point.join(", "));

    lblClassification =
        wrapped(this, "lblClassification",
                "<b>" + QString("Classification: ") + classificationName(analysis.classification) + "</b>");
    lblBasis = wrapped(this, "lblBasis", QString::fromStdString(analysis.basis));
    const AnalysisErrors errors = analysisErrors(estimates, analysis);
    tabs = new QTabWidget(this);
    tabs->setObjectName("tabAnalysis");
    tabs->addTab(gradientPage(names, estimates, analysis, errors), "Gradient");
    tabs->addTab(hessianTable(names, estimates), "Hessian");
    tabs->addTab(eigenTable(names, analysis, errors),
                 names.size() == 1 ? "Second derivative" : "Eigenvalues and eigenvectors");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblClassification);
    layout->addWidget(lblBasis);
    layout->addWidget(tabs, 1);
    layout->addWidget(buttons);
    setMinimumWidth(std::min(520, room(parent).width()));
    resize(sizeHint().expandedTo(minimumSize()).boundedTo(room(parent)));
}

// Each variable's first derivative and its error, the direction of steepest ascent where
// there is one, and the gradient's norm below.
QWidget* AnalysisDialog::gradientPage(const std::vector<std::string>& names, const DerivativeEstimates& estimates,
                                      const HessianAnalysis& analysis, const AnalysisErrors& errors)
{
    QStringList columns{"Variable", "First derivative", "Error estimate"};
    if (!analysis.ascent.empty())
        columns << "Steepest ascent";
    auto* page = new QWidget;
    const int n = static_cast<int>(names.size());
    tblGradient = table(page, "tblGradient", n, columns);
    for (int i = 0; i < n; ++i) {
        put(tblGradient, i, 0, QString::fromStdString(names[i]));
        put(tblGradient, i, 1, number(estimates.gradient[i], estimates.gradientError[i]));
        put(tblGradient, i, 2, errorText(estimates.gradientError[i]));
        if (!analysis.ascent.empty())
            put(tblGradient, i, 3, number(analysis.ascent[i], errors.ascent));
    }
    lblGradientNorm =
        wrapped(page, "lblGradientNorm", "Norm of the gradient: " + number(analysis.gradientNorm, errors.gradientNorm));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(tblGradient);
    layout->addWidget(lblGradientNorm);
    return page;
}

QTableWidget* AnalysisDialog::hessianTable(const std::vector<std::string>& names, const DerivativeEstimates& estimates)
{
    const int n = static_cast<int>(names.size());
    tblHessian = table(nullptr, "tblHessian", n, headers(names));
    tblHessian->setVerticalHeaderLabels(headers(names));
    tblHessian->verticalHeader()->show();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            put(tblHessian, i, j, number(estimates.hessian[i][j], estimates.hessianError[i][j]));
    return tblHessian;
}

// One row per eigenvalue: the value, its sign within its error, and its eigenvector.
QTableWidget* AnalysisDialog::eigenTable(const std::vector<std::string>& names, const HessianAnalysis& analysis,
                                         const AnalysisErrors& errors)
{
    const int pairs = static_cast<int>(analysis.eigenvalues.size());
    tblEigen = table(nullptr, "tblEigen", pairs, QStringList{"Eigenvalue", "Sign"} + headers(names, "Vector "));
    for (int k = 0; k < pairs; ++k) {
        put(tblEigen, k, 0, number(analysis.eigenvalues[k], analysis.eigenvalueError));
        put(tblEigen, k, 1, sign(analysis.eigenvalues[k], analysis.eigenvalueError));
        for (std::size_t i = 0; i < names.size(); ++i)
            put(tblEigen, k, 2 + static_cast<int>(i), number(analysis.eigenvectors[k][i], errors.eigenvectors[k]));
    }
    return tblEigen;
}

}  // namespace slopekit
