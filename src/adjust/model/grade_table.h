// The precision and closure limits of each traverse grade (GB 50026-2007, table 3.3.1).
#ifndef TRAVERSE_ADJUST_GRADE_TABLE_H
#define TRAVERSE_ADJUST_GRADE_TABLE_H

#include "traverse/grade.h"

namespace traverse {

struct GradeRequirements {
    double angleSigma;              // m_beta, arc seconds: the grade's angle measurement sigma
    double distanceSigma;           // m_D, millimetres
    double angularClosureFactor;    // m of the azimuth closure limit +-m*sqrt(n), arc seconds
    double relativeClosureLimit;    // the whole traverse's relative closure 1/T
    int heightOrder;  // class of the trigonometric levelling that goes with it: 4 or 5
    double heightSigma;             // mm per km of horizontal distance for a height difference
    double
        reciprocalHeightFactor;  // reciprocal height differences agree within this * sqrt(D km) mm
};

const GradeRequirements& RequirementsOf(TraverseGrade grade);

// A limit of the table and whether its figure was confirmed against the standard's text; one
// that was not is shown, not judged.
struct TableLimit {
    double value;
    bool confirmed;
};

// What the table asks of the traverse itself and of the distances measured.
struct TraverseRequirements {
    TableLimit length;                 // 导线长度, metres
    TableLimit meanSide;               // 平均边长, metres
    double relativeDistanceSigma;      // 测距相对中误差, such as 1/30000
    double nodeSectionFactor;          // 结点间导线段长度 <= this * length
};

const TraverseRequirements& TraverseRequirementsOf(TraverseGrade grade);

}  // namespace traverse

#endif
