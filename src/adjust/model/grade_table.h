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
    int heightOrder;                // class of the trigonometric levelling that goes with it: 4 or 5
    double heightSigma;             // mm per km of horizontal distance for a height difference
    double reciprocalHeightFactor;  // reciprocal height differences agree within this * sqrt(D km) mm
};

const GradeRequirements& RequirementsOf(TraverseGrade grade);

}  // namespace traverse

#endif
