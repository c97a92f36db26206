#include "adjust/normal_equations.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <algorithm>

namespace traverse {
namespace {

using SparseMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

// A pivot this small against its diagonal of N means the unknown is not determined: round-off of
// a rank defect leaves about 1e-16, weak but real networks stay many orders above.
constexpr double kSingularPivot = 1e-10;

SparseMatrix LowerNormalMatrix(int unknowns, const std::vector<DesignRow>& rows) {
    std::vector<Eigen::Triplet<double, int>> triplets;
    triplets.reserve(rows.size() * DesignRow::kMaxTerms * DesignRow::kMaxTerms / 2 + unknowns);
    for (int i = 0; i < unknowns; ++i) triplets.emplace_back(i, i, 0.0);
    for (const DesignRow& row : rows) {
        const double weight = 1.0 / (row.sigma * row.sigma);
        for (int a = 0; a < row.terms; ++a) {
            for (int b = 0; b < row.terms; ++b) {
                if (row.unknown[a] < row.unknown[b]) continue;
                triplets.emplace_back(row.unknown[a], row.unknown[b],
                                      weight * row.coefficient[a] * row.coefficient[b]);
            }
        }
    }
    SparseMatrix lower(unknowns, unknowns);
    lower.setFromTriplets(triplets.begin(), triplets.end());
    return lower;
}

}  // namespace

struct NormalEquations::Factor {
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower> ldlt;
    std::vector<int> permuted;       // unknown -> its place in the factor
    std::vector<double> inverse;     // N^-1 on the strictly lower pattern of L, permuted
    std::vector<double> inverseDiagonal;
};

NormalEquations::NormalEquations(int unknowns) : m_unknowns(unknowns), m_factor(new Factor) {}

NormalEquations::~NormalEquations() = default;

int NormalEquations::Factorize(const std::vector<DesignRow>& rows) {
    if (m_unknowns == 0) return -1;
    const SparseMatrix lower = LowerNormalMatrix(m_unknowns, rows);
    Eigen::VectorXd diagonal = lower.diagonal();
    for (int i = 0; i < m_unknowns; ++i) {
        if (!(diagonal[i] > 0)) return i;
    }
    Factor& f = *m_factor;
    f.ldlt.compute(lower);
    const auto& indices = f.ldlt.permutationP().indices();
    f.permuted.assign(indices.data(), indices.data() + m_unknowns);
    std::vector<int> original(m_unknowns);
    for (int i = 0; i < m_unknowns; ++i) original[f.permuted[i]] = i;
    const Eigen::VectorXd d = f.ldlt.vectorD();
    // The factorization stops at an exactly zero pivot; the entries after it are not computed.
    const int computed = f.ldlt.info() == Eigen::Success ? m_unknowns : static_cast<int>(d.size());
    for (int k = 0; k < computed && k < d.size(); ++k) {
        const int unknown = original[k];
        if (!(d[k] > kSingularPivot * diagonal[unknown])) return unknown;
    }
    return f.ldlt.info() == Eigen::Success ? -1 : original[0];
}

std::vector<double> NormalEquations::Solve(const std::vector<DesignRow>& rows) const {
    if (m_unknowns == 0) return {};
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(m_unknowns);
    for (const DesignRow& row : rows) {
        const double weight = 1.0 / (row.sigma * row.sigma);
        for (int a = 0; a < row.terms; ++a) rhs[row.unknown[a]] += weight * row.coefficient[a] * row.misclosure;
    }
    const Eigen::VectorXd x = m_factor->ldlt.solve(rhs);
    return std::vector<double>(x.data(), x.data() + m_unknowns);
}

void NormalEquations::InvertSelected() {
    if (m_unknowns == 0) return;
    Factor& f = *m_factor;
    const SparseMatrix& l = f.ldlt.matrixL().nestedExpression();
    const int* start = l.outerIndexPtr();
    const int* row = l.innerIndexPtr();
    const double* value = l.valuePtr();
    const Eigen::VectorXd d = f.ldlt.vectorD();
    f.inverse.assign(l.nonZeros(), 0.0);
    f.inverseDiagonal.assign(m_unknowns, 0.0);
    // Z = N^-1 from the last column back: Z_ij = -sum_k L_kj Z_ik over the pattern of column j,
    // Z_jj = 1/d_j - sum_k L_kj Z_kj. Rows within a column are ascending.
    auto z = [&](int i, int k) -> double {
        if (i == k) return f.inverseDiagonal[i];
        const int column = std::min(i, k), wanted = std::max(i, k);
        const int* found = std::lower_bound(row + start[column], row + start[column + 1], wanted);
        return f.inverse[found - row];
    };
    for (int j = m_unknowns - 1; j >= 0; --j) {
        double diagonalSum = 0.0;
        for (int p = start[j]; p < start[j + 1]; ++p) {
            double sum = 0.0;
            for (int q = start[j]; q < start[j + 1]; ++q) sum += value[q] * z(row[p], row[q]);
            f.inverse[p] = -sum;
            diagonalSum += value[p] * f.inverse[p];
        }
        f.inverseDiagonal[j] = 1.0 / d[j] - diagonalSum;
    }
}

double NormalEquations::Cofactor(int i, int j) const {
    const Factor& f = *m_factor;
    const int a = f.permuted[i], b = f.permuted[j];
    if (a == b) return f.inverseDiagonal[a];
    const SparseMatrix& l = f.ldlt.matrixL().nestedExpression();
    const int column = std::min(a, b), wanted = std::max(a, b);
    const int* first = l.innerIndexPtr() + l.outerIndexPtr()[column];
    const int* last = l.innerIndexPtr() + l.outerIndexPtr()[column + 1];
    const int* found = std::lower_bound(first, last, wanted);
    if (found == last || *found != wanted) return 0.0;
    return f.inverse[found - l.innerIndexPtr()];
}

double NormalEquations::RowCofactor(const DesignRow& row) const {
    double sum = 0.0;
    for (int a = 0; a < row.terms; ++a) {
        for (int b = 0; b < row.terms; ++b) {
            sum += row.coefficient[a] * row.coefficient[b] * Cofactor(row.unknown[a], row.unknown[b]);
        }
    }
    return sum;
}

}  // namespace traverse
