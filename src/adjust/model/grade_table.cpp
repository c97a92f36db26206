// GB 50026-2007 (工程测量规范), table 3.3.1 导线测量的主要技术要求: per grade the angle measurement
// sigma m_beta, the distance measurement sigma m_D, the azimuth closure +-m*sqrt(n) and the
// relative closure of the whole traverse. Heights come from electro-optical trigonometric levelling
// (its table 电磁波测距三角高程测量的主要技术要求): 三等 and 四等 traverses go with its 四等
// (reciprocal height differences within 40 sqrt(D) mm), 一级 to 三级 with its 五等 (60 sqrt(D) mm).
// The sigma of a height difference is taken proportional to the distance, with the
// 每千米高差全中误差 of the same classes in the standard's levelling table (四等 10 mm, 五等 15 mm)
// as the millimetres per kilometre.
//
// Table 3.3.1 also gives 导线长度, 平均边长 and 测距相对中误差; clause 3.3.2 keeps the number of
// sides within 导线长度 / 平均边长, clause 3.3.3 the sections between nodes, and between a node and
// a known point, within 0.7 of 导线长度. The text seen of the table gave its whole numbers (14 and
// 3 km for 三等, 9 km for 四等, 4 km for 一级, the five 测距相对中误差) but lost its decimals: the
// lengths with decimals stay unconfirmed.
#include "adjust/model/grade_table.h"

namespace traverse {
namespace {

constexpr GradeRequirements kOrder4Heights = {0, 0, 0, 0, 4, 10.0, 40.0};
constexpr GradeRequirements kOrder5Heights = {0, 0, 0, 0, 5, 15.0, 60.0};

constexpr GradeRequirements WithHeights(double angleSigma, double distanceSigma,
                                        double closureFactor, double relativeClosure,
                                        const GradeRequirements& heights) {
    return {angleSigma,
            distanceSigma,
            closureFactor,
            relativeClosure,
            heights.heightOrder,
            heights.heightSigma,
            heights.reciprocalHeightFactor};
}

constexpr GradeRequirements kOrder3 = WithHeights(1.8, 20.0, 3.6, 1.0 / 55000, kOrder4Heights);
constexpr GradeRequirements kOrder4 = WithHeights(2.5, 18.0, 5.0, 1.0 / 35000, kOrder4Heights);
constexpr GradeRequirements kClass1 = WithHeights(5.0, 15.0, 10.0, 1.0 / 15000, kOrder5Heights);
constexpr GradeRequirements kClass2 = WithHeights(8.0, 15.0, 16.0, 1.0 / 10000, kOrder5Heights);
constexpr GradeRequirements kClass3 = WithHeights(12.0, 15.0, 24.0, 1.0 / 5000, kOrder5Heights);

constexpr double kNodeSectionFactor = 0.7;  // clause 3.3.3

constexpr TraverseRequirements kOrder3Traverse = {{14000, true}, {3000, true}, 1.0 / 150000,
                                                  kNodeSectionFactor};
constexpr TraverseRequirements kOrder4Traverse = {{9000, true}, {1500, false}, 1.0 / 80000,
                                                  kNodeSectionFactor};
constexpr TraverseRequirements kClass1Traverse = {{4000, true}, {500, false}, 1.0 / 30000,
                                                  kNodeSectionFactor};
constexpr TraverseRequirements kClass2Traverse = {{2400, false}, {250, false}, 1.0 / 14000,
                                                  kNodeSectionFactor};
constexpr TraverseRequirements kClass3Traverse = {{1200, false}, {100, false}, 1.0 / 7000,
                                                  kNodeSectionFactor};

// The entry of a five-grade table that belongs to grade.
template <typename Entry>
const Entry& OfGrade(TraverseGrade grade, const Entry& order3, const Entry& order4,
                     const Entry& class1, const Entry& class2, const Entry& class3) {
    switch (grade) {
        case TraverseGrade::Order3:
            return order3;
        case TraverseGrade::Order4:
            return order4;
        case TraverseGrade::Class1:
            return class1;
        case TraverseGrade::Class2:
            return class2;
        case TraverseGrade::Class3:
            break;
    }
    return class3;
}

}  // namespace

const TraverseRequirements& TraverseRequirementsOf(TraverseGrade grade) {
    return OfGrade(grade, kOrder3Traverse, kOrder4Traverse, kClass1Traverse, kClass2Traverse,
                   kClass3Traverse);
}

const GradeRequirements& RequirementsOf(TraverseGrade grade) {
    return OfGrade(grade, kOrder3, kOrder4, kClass1, kClass2, kClass3);
}

}  // namespace traverse
