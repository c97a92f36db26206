// The grades of a traverse as the surveying standard names them: they select the a-priori
// precision, the closure limits and the tolerance limits that a file does not carry.
#ifndef TRAVERSE_GRADE_H
#define TRAVERSE_GRADE_H

#include <string>

#include "traverse/visibility.h"

namespace traverse {

enum class TraverseGrade {
    Order3,  // 三等
    Order4,  // 四等
    Class1,  // 一级
    Class2,  // 二级
    Class3,  // 三级
};

// The grade taken when none is given.
constexpr TraverseGrade kDefaultGrade = TraverseGrade::Class1;

// How words of a command line were read.
enum class ParseStatus {
    Read,        // every word understood
    Unknown,     // a word that names nothing known
    Repeated,    // two words for the same thing (two angle classes)
    OutOfRange,  // a number beyond what the standard's tables know
};

struct GradeParse {
    ParseStatus status = ParseStatus::Unknown;
    std::string message;  // UTF-8, empty when read: why the words cannot be used
    TraverseGrade grade = kDefaultGrade;
};

// The grade named by utf8Name: "三等", "四等", "一级", "二级", "三级" (UTF-8).
TRAVERSE_API GradeParse ParseTraverseGrade(const std::string& utf8Name);

// The grade's name as the standard writes it, UTF-8.
TRAVERSE_API const char* TraverseGradeName(TraverseGrade grade);

}  // namespace traverse

#endif
