#include "shell/analysis_dialog.h"

#include "numbers/number_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace slopekit {
namespace {

QString number(double value)
{
    return std::isfinite(value) ? QString::fromStdString(displayForm(value)) : QString("unreliable");
}

QStringList headers(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

QTableWidget* table(QWidget* parent, const char* name, int rows, const QStringList& columns)
{
    auto* t = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);  // one line a row, so the height is known before the dialog is shown
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->hide();  // row numbers say nothing here; the Hessian shows names
    return t;
}

void put(QTableWidget* t, int row, int column, const QString& text)
{
    t->setItem(row, column, new QTableWidgetItem(text));
}

// Tall enough for every row, so a small table needs no scroll bar.
void fitHeight(QTableWidget* t)
{
    t->resizeColumnsToContents();
    t->resizeRowsToContents();
    int height = t->horizontalHeader()->sizeHint().height() + t->verticalHeader()->length() + 2 * t->frameWidth();
    // Many variables make the table wider than the dialog: room for its scroll bar.
    if (t->columnCount() > 6)
        height += t->horizontalScrollBar()->sizeHint().height();
    t->setFixedHeight(height);
}

QString sign(double eigenvalue, double error)
{
    if (eigenvalue > error)
        return "positive";
    if (eigenvalue < -error)
        return "negative";
    return "zero within its error";
}

QLabel* heading(QWidget* parent, const QString& text)
{
    auto* label = new QLabel("<b>" + text + "</b>", parent);
    return label;
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
        point << QString::fromStdString(names[i]) + " = " + number(estimates.point[i]);
    setWindowTitle("Analysis at " + point.join(", "));
    const int n = static_cast<int>(names.size());

    tblGradient = table(this, "tblGradient", n, {"Variable", "First derivative", "Error estimate"});
    for (int i = 0; i < n; ++i) {
        put(tblGradient, i, 0, QString::fromStdString(names[i]));
        put(tblGradient, i, 1, number(estimates.gradient[i]));
        put(tblGradient, i, 2, number(twoSignificantDigits(estimates.gradientError[i])));
    }
    lblGradientNorm = new QLabel("Norm of the gradient: " + number(analysis.gradientNorm), this);

    tblHessian = table(this, "tblHessian", n, headers(names));
    tblHessian->setVerticalHeaderLabels(headers(names));
    tblHessian->verticalHeader()->show();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            put(tblHessian, i, j, number(estimates.hessian[i][j]));

    QStringList eigenColumns{"Eigenvalue", "Sign"};
    for (const std::string& name : names)
        eigenColumns << "Vector " + QString::fromStdString(name);
    const int pairs = static_cast<int>(analysis.eigenvalues.size());
    tblEigen = table(this, "tblEigen", pairs, eigenColumns);
    for (int k = 0; k < pairs; ++k) {
        put(tblEigen, k, 0, number(analysis.eigenvalues[k]));
        put(tblEigen, k, 1, sign(analysis.eigenvalues[k], analysis.eigenvalueError));
        for (int i = 0; i < n; ++i)
            put(tblEigen, k, 2 + i, number(analysis.eigenvectors[k][i]));
    }

    QString verdict = "Classification: " + QString(classificationName(analysis.classification));
    if (!analysis.ascent.empty()) {
        QStringList direction;
        for (double component : analysis.ascent)
            direction << number(component);
        verdict += ". Steepest ascent along (" + direction.join(", ") + ")";
    }
    lblClassification = new QLabel("<b>" + verdict.toHtmlEscaped() + "</b>", this);
    lblClassification->setObjectName("lblClassification");
    lblClassification->setWordWrap(true);
    lblBasis = new QLabel(QString::fromStdString(analysis.basis), this);
    lblBasis->setObjectName("lblBasis");
    lblBasis->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading(this, "Gradient"));
    layout->addWidget(tblGradient);
    layout->addWidget(lblGradientNorm);
    layout->addWidget(heading(this, "Hessian"));
    layout->addWidget(tblHessian);
    layout->addWidget(heading(this, n == 1 ? "Second derivative" : "Eigenvalues and eigenvectors"));
    layout->addWidget(tblEigen);
    layout->addWidget(lblClassification);
    layout->addWidget(lblBasis);
    layout->addStretch();
    layout->addWidget(buttons);
    for (QTableWidget* t : {tblGradient, tblHessian, tblEigen})
        fitHeight(t);
    setMinimumWidth(520);
}

}  // namespace slopekit
