#include "traverse/grade.h"

namespace traverse {
namespace {

struct GradeName {
    TraverseGrade grade;
    const char* name;
};

constexpr GradeName kGradeNames[] = {
    {TraverseGrade::Order3, "三等"}, {TraverseGrade::Order4, "四等"}, {TraverseGrade::Class1, "一级"},
    {TraverseGrade::Class2, "二级"}, {TraverseGrade::Class3, "三级"},
};

}  // namespace

bool ParseTraverseGrade(const std::string& utf8Name, TraverseGrade& grade) {
    for (const GradeName& entry : kGradeNames) {
        if (utf8Name == entry.name) {
            grade = entry.grade;
            return true;
        }
    }
    return false;
}

const char* TraverseGradeName(TraverseGrade grade) {
    for (const GradeName& entry : kGradeNames) {
        if (entry.grade == grade) return entry.name;
    }
    return "";
}

}  // namespace traverse
