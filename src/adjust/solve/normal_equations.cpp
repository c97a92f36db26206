#include "adjust/solve/normal_equations.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <algorithm>

namespace traverse {
namespace {

using SparseMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

// A pivot this small against its diagonal of N means the unknown is not determined: round-off of
// a rank defect leaves about 1e-16, weak but real networks stay many orders above.
constexpr double kSingularPivot = 1e-10;

// Calls visit(i, j, product of the coefficients) for each pair of terms of row with i >= j.
template <typename Visit>
void ForEachLowerPair(const DesignRow& row, Visit visit) {
    for (int a = 0; a < row.terms; ++a) {
        for (int b = 0; b < row.terms; ++b) {
            if (row.unknown[a] >= row.unknown[b])
                visit(row.unknown[a], row.unknown[b], row.coefficient[a] * row.coefficient[b]);
        }
    }
}

}  // namespace

// The pattern of N is that of the rows: found once, then every factorization of rows of the same
// structure (the Gauss-Newton iterations) only sums the values into it and refactorizes
// numerically.
struct NormalEquations::Factor {
    SparseMatrix lower;              // N, lower triangle, compressed
    std::vector<int> structure;      // the unknowns of every term of every row, in order
    std::vector<int> slots;          // per row and pair of terms: the index of its value in lower
    std::vector<int> diagonalSlots;  // per unknown
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower> ldlt;
    std::vector<int> permuted;    // unknown -> its place in the factor
    std::vector<double> inverse;  // N^-1 on the strictly lower pattern of L, permuted
    std::vector<double> inverseDiagonal;

    int Slot(int i, int j) const {
        const int* first = lower.innerIndexPtr() + lower.outerIndexPtr()[j];
        const int* last = lower.innerIndexPtr() + lower.outerIndexPtr()[j + 1];
        return static_cast<int>(std::lower_bound(first, last, i) - lower.innerIndexPtr());
    }

    bool SameStructure(const std::vector<DesignRow>& rows) const {
        std::size_t k = 0;
        for (const DesignRow& row : rows) {
            for (int a = 0; a < row.terms; ++a, ++k) {
                if (k >= structure.size() || structure[k] != row.unknown[a]) return false;
            }
        }
        return k == structure.size();
    }

    void FindPattern(int unknowns, const std::vector<DesignRow>& rows) {
        std::vector<Eigen::Triplet<double, int>> triplets;
        structure.clear();
        for (int i = 0; i < unknowns; ++i) triplets.emplace_back(i, i, 0.0);
        for (const DesignRow& row : rows) {
            structure.insert(structure.end(), row.unknown.begin(), row.unknown.begin() + row.terms);
            ForEachLowerPair(row, [&](int i, int j, double) { triplets.emplace_back(i, j, 0.0); });
        }
        lower = SparseMatrix(unknowns, unknowns);
        lower.setFromTriplets(triplets.begin(), triplets.end());
        lower.makeCompressed();
        slots.clear();
        for (const DesignRow& row : rows)
            ForEachLowerPair(row, [&](int i, int j, double) { slots.push_back(Slot(i, j)); });
        diagonalSlots.resize(unknowns);
        for (int i = 0; i < unknowns; ++i) diagonalSlots[i] = Slot(i, i);
        ldlt.analyzePattern(lower);
    }

    void SumValues(const std::vector<DesignRow>& rows) {
        double* value = lower.valuePtr();
        std::fill(value, value + lower.nonZeros(), 0.0);
        std::size_t k = 0;
        for (const DesignRow& row : rows) {
            const double weight = 1.0 / (row.sigma * row.sigma);
            ForEachLowerPair(
                row, [&](int, int, double product) { value[slots[k++]] += weight * product; });
        }
    }
};

NormalEquations::NormalEquations(int unknowns) : m_unknowns(unknowns), m_factor(new Factor) {}

NormalEquations::~NormalEquations() = default;

int NormalEquations::Factorize(const std::vector<DesignRow>& rows) {
    if (m_unknowns == 0) return -1;
    Factor& f = *m_factor;
    if (f.structure.empty() || !f.SameStructure(rows)) f.FindPattern(m_unknowns, rows);
    f.SumValues(rows);
    const double* value = f.lower.valuePtr();
    for (int i = 0; i < m_unknowns; ++i) {
        if (!(value[f.diagonalSlots[i]] > 0)) return i;
    }
    f.ldlt.factorize(f.lower);
    const auto& indices = f.ldlt.permutationP().indices();
    f.permuted.assign(indices.data(), indices.data() + m_unknowns);
    const Eigen::VectorXd d = f.ldlt.vectorD();
    // The factorization stops at an exactly zero pivot, which the scan in elimination order meets
    // before any entry left uncomputed after it.
    std::vector<int> original(m_unknowns);
    for (int i = 0; i < m_unknowns; ++i) original[f.permuted[i]] = i;
    for (int k = 0; k < m_unknowns; ++k) {
        const int unknown = original[k];
        if (!(d[k] > kSingularPivot * value[f.diagonalSlots[unknown]])) return unknown;
    }
    return -1;
}

std::vector<double> NormalEquations::Solve(const std::vector<DesignRow>& rows) const {
    if (m_unknowns == 0) return {};
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(m_unknowns);
    for (const DesignRow& row : rows) {
        const double weight = 1.0 / (row.sigma * row.sigma);
        for (int a = 0; a < row.terms; ++a)
            rhs[row.unknown[a]] += weight * row.coefficient[a] * row.misclosure;
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
            sum +=
                row.coefficient[a] * row.coefficient[b] * Cofactor(row.unknown[a], row.unknown[b]);
        }
    }
    return sum;
}

}  // namespace traverse
