// The instrument words of a command line: an angle class or sigma, a distance class or a nominal
// a mm + b ppm, or one of each.
#include <string>
#include <string_view>
#include <vector>

#include "fieldcheck/field_check_texts.h"
#include "platform/c_number.h"
#include "platform/characters.h"
#include "traverse/field_checks.h"
#include "traverse/split_string.h"

namespace traverse {
namespace {

// Removes suffix from the end of text when it is there; true if it was.
bool TakeSuffix(std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size() ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    text.erase(text.size() - suffix.size());
    return true;
}

bool TakePrefix(std::string& text, std::string_view prefix) {
    if (text.compare(0, prefix.size(), prefix) != 0) return false;
    text.erase(0, prefix.size());
    return true;
}

// A plain positive decimal number (no sign, exponent or blank), or nothing.
bool ReadPositive(const std::string& text, double& value) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
    bool isNumber = false;
    value = AToF(text, isNumber);
    return isNumber && value > 0;
}

// The smallest class of the standard's tables (1", 2", 6") that a direction sigma fits in.
int AngleClassOf(double sigmaSeconds) {
    for (int angleClass : {1, 2, 6}) {
        if (sigmaSeconds <= angleClass) return angleClass;
    }
    return 0;
}

// The distance class (5 mm, 10 mm) of an instrument whose sigma at 1 km is sigmaAtKm; 0 above.
int DistanceClassOf(double sigmaAtKm) {
    if (sigmaAtKm <= 5) return 5;
    return sigmaAtKm <= 10 ? 10 : 0;
}

void Fail(InstrumentParse& parse, ParseStatus status, const char* format,
          const std::string& word) {
    parse.status = status;
    parse.message = FormatText(format, word.c_str());
}

// "a mm + b ppm": the nominal distance accuracy, and the class it falls in.
bool ReadDistanceAccuracy(const std::string& word, InstrumentParse& parse) {
    const std::size_t plus = word.find("mm+");
    std::string ppm = plus == std::string::npos ? std::string() : word.substr(plus + 3);
    double a = 0.0;
    double b = 0.0;
    if (!TakeSuffix(ppm, "ppm") || !ReadPositive(word.substr(0, plus), a) ||
        !(ReadPositive(ppm, b) || ppm == "0")) {
        return false;
    }
    parse.accuracy.distanceSigmaMm = a;
    parse.accuracy.distanceSigmaPpm = b;
    parse.distanceClass = DistanceClassOf(a + b);
    return true;
}

// One word, folded to lower case with its blanks removed, into parse.
void ReadWord(std::string word, InstrumentParse& parse) {
    const std::string given = word;
    TakeSuffix(word, "级");
    const bool distance = word.find("mm") != std::string::npos;
    const bool repeated = distance ? parse.distanceClass != 0 || parse.accuracy.distanceSigmaMm
                                   : parse.angleClass != 0;
    if (repeated) return Fail(parse, ParseStatus::Repeated, text::kInstrumentRepeated, given);
    if (distance) {
        if (word == "5mm" || word == "10mm") {
            parse.distanceClass = word == "5mm" ? 5 : 10;
        } else if (!ReadDistanceAccuracy(word, parse)) {
            Fail(parse, ParseStatus::Unknown, text::kInstrumentUnknown, given);
        }
        return;
    }
    if (!TakePrefix(word, "dj")) TakePrefix(word, "j");
    if (!TakeSuffix(word, "\"") && !TakeSuffix(word, "″")) TakeSuffix(word, "秒");
    double sigma = 0.0;
    if (!ReadPositive(word, sigma)) {
        return Fail(parse, ParseStatus::Unknown, text::kInstrumentUnknown, given);
    }
    parse.angleClass = AngleClassOf(sigma);
    if (parse.angleClass == 0) {
        return Fail(parse, ParseStatus::OutOfRange, text::kInstrumentNoClass, given);
    }
    parse.accuracy.directionSigmaSeconds = sigma;
}

std::string WithoutBlanks(const std::string& word) {
    std::string kept;
    for (char c : word) {
        if (!chars::IsCSpace(c)) kept += c;
    }
    return kept;
}

}  // namespace

InstrumentParse ParseInstrumentClasses(const std::string& utf8Words) {
    InstrumentParse parse;
    parse.status = ParseStatus::Read;
    std::vector<std::string> words;
    SplitString(utf8Words, ",", words, 1);
    if (words.empty() || words.size() > 2) {
        Fail(parse, ParseStatus::Unknown, text::kInstrumentUnknown, utf8Words);
    }
    for (const std::string& word : words) {
        if (parse.status != ParseStatus::Read) break;
        ReadWord(chars::AsciiLower(WithoutBlanks(word)), parse);
    }
    if (parse.status == ParseStatus::Read) return parse;
    InstrumentParse refused;  // nothing of a refused word is kept
    refused.status = parse.status;
    refused.message = parse.message;
    return refused;
}

}  // namespace traverse
