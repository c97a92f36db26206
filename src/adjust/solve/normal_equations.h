// Sparse normal equations of a least-squares adjustment: N = A'PA formed from design rows, its
// sparse LDL' factorization, the solution, and the entries of N^-1 that the statistics need.
#ifndef TRAVERSE_ADJUST_NORMAL_EQUATIONS_H
#define TRAVERSE_ADJUST_NORMAL_EQUATIONS_H

#include <array>
#include <memory>
#include <vector>

namespace traverse {

// One linearised observation: at most five unknowns (two points and an orientation), misclosure
// observed - computed and sigma in the observation's unit; unknowns in any unit.
struct DesignRow {
    static constexpr int kMaxTerms = 5;
    std::array<int, kMaxTerms> unknown{};
    std::array<double, kMaxTerms> coefficient{};
    int terms = 0;
    double misclosure = 0.0;
    double sigma = 1.0;

    // Adds a term; an unknown below 0 (a fixed quantity) is left out.
    void Add(int index, double value) {
        if (index < 0) return;
        unknown[terms] = index;
        coefficient[terms] = value;
        ++terms;
    }
};

class NormalEquations {
public:
    explicit NormalEquations(int unknowns);
    ~NormalEquations();
    NormalEquations(const NormalEquations&) = delete;
    NormalEquations& operator=(const NormalEquations&) = delete;

    // Forms and factorizes N. Returns -1, or an unknown that the rows leave undetermined.
    int Factorize(const std::vector<DesignRow>& rows);
    // The corrections N^-1 A'P l of the last factorization.
    std::vector<double> Solve(const std::vector<DesignRow>& rows) const;
    // Computes the entries of N^-1 on the factor's pattern (Takahashi's recurrence): every pair of
    // unknowns that share an observation. Call after Factorize.
    void InvertSelected();
    // An entry of N^-1 for two unknowns that share an observation (or i == j).
    double Cofactor(int i, int j) const;
    // a N^-1 a' of a row: the cofactor of the adjusted observation.
    double RowCofactor(const DesignRow& row) const;

private:
    struct Factor;
    int m_unknowns;
    std::unique_ptr<Factor> m_factor;
};

}  // namespace traverse

#endif
