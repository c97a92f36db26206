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

GradeParse ParseTraverseGrade(const std::string& utf8Name) {
    GradeParse parse;
    for (const GradeName& entry : kGradeNames) {
        if (utf8Name == entry.name) {
            parse.status = ParseStatus::Read;
            parse.grade = entry.grade;
            return parse;
        }
    }
    parse.message = "unknown grade " + utf8Name + " (三等, 四等, 一级, 二级, 三级)";
    return parse;
}

const char* TraverseGradeName(TraverseGrade grade) {
    for (const GradeName& entry : kGradeNames) {
        if (entry.grade == grade) return entry.name;
    }
    return "";
}

}  // namespace traverse
