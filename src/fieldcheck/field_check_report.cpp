// The field-check report for people: the limits, per station one table per kind of observation,
// and the summary per item.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fieldcheck/field_check_texts.h"
#include "fieldcheck/field_items.h"
#include "fieldcheck/text_table.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/check_info.h"
#include "traverse/field_checks.h"

namespace traverse {
namespace {

const char* const kLineEnd = "\r\n";
// Rows stand under their table's heading, two columns in.
constexpr char kRowIndent[] = "  ";

// One column of a station's table: the values of one item (and face), on rows of a whole round
// or rows of a target.
struct Column {
    std::int16_t code;
    int face;
    bool perRound;  // rows "round N"; otherwise rows name the target
};

struct KindTable {
    FieldKind kind;
    const std::string& (*heading)();  // GBK, in the current language
    std::vector<Column> columns;
};

const std::vector<KindTable>& KindTables() {
    static const std::vector<KindTable> tables = {
        {FieldKind::Horizontal,
         []() -> const std::string& { return GBK(text::kFieldHorizontalTable); },
         {{CHECK_2C_SPREAD, 0, true},
          {CHECK_HALF_ROUND_CLOSURE, 1, true},
          {CHECK_HALF_ROUND_CLOSURE, 2, true},
          {CHECK_DIRECTION_BETWEEN_ROUNDS, 0, false}}},
        {FieldKind::Vertical,
         []() -> const std::string& { return GBK(text::kFieldVerticalTable); },
         {{CHECK_INDEX_ERROR, 0, false},
          {CHECK_INDEX_ERROR_SPREAD, 0, true},
          {CHECK_VERTICAL_BETWEEN_ROUNDS, 0, false}}},
        {FieldKind::Distance,
         []() -> const std::string& { return GBK(text::kFieldDistanceTable); },
         {{CHECK_DISTANCE_READINGS, 0, false}, {CHECK_DISTANCE_BETWEEN_ROUNDS, 0, false}}},
    };
    return tables;
}

std::string Number(double value) { return FormatText(GBK(text::kFieldValue), value); }

// A value with its mark; a blank in place of the mark keeps the figures of a column aligned.
std::string ValueCell(const FieldCheckValue& value) {
    return Number(value.value) + (value.exceeded ? GBK(text::kFieldExceededMark) : " ");
}

std::string LimitCell(const FieldCheckSummary& item) {
    return item.limitSource == LimitSource::None ? GBK(text::kFieldNoLimit) : Number(item.limit);
}

std::string ColumnHeading(const Column& column) {
    const std::string& format = column.face == 1   ? GBK(text::kFieldColumnFaceLeft)
                                : column.face == 2 ? GBK(text::kFieldColumnFaceRight)
                                                   : GBK(text::kFieldColumn);
    return FormatText(format, static_cast<int>(column.code));
}

// Where a value stands: its station, "round N", the face and the target, each when given (GBK).
std::string Place(std::string_view station, int round, int face, std::string_view target) {
    std::string place(station);
    if (!place.empty()) place += ':';
    const auto add = [&place](std::string_view part) {
        if (!place.empty()) place += ' ';
        place += part;
    };
    if (round > 0) add(FormatText(GBK(text::kFieldRound), round));
    if (face == 1) add(GBK(text::kFieldFaceLeft));
    if (face == 2) add(GBK(text::kFieldFaceRight));
    if (!target.empty()) add(target);
    if (!place.empty() && place.back() == ':') place.pop_back();  // a value of the whole station
    return place;
}

// "1001 一测回2C较差": the code and the record file's name of the item.
std::string ItemLabel(std::int16_t code) {
    const std::size_t index = FieldItemIndex(code);
    const std::string label = FormatText(GBK(text::kFieldColumn), static_cast<int>(code));
    return index < kFieldItemCount ? label + " " + FieldItemGbkName(index) : label;
}

void AppendLimits(const FieldCheckResult& result, std::string& out) {
    out += GBK(text::kFieldLimitsHeading);
    out += kLineEnd;
    TextTable table({true, false, true});
    for (const FieldCheckSummary& item : result.summary) {
        const bool judged = item.limitSource != LimitSource::None;
        table.AddRow() = {ItemLabel(item.code), LimitCell(item),
                          judged ? Utf8ToGbk(item.limitOrigin) : GBK(text::kFieldNotJudged)};
    }
    table.AppendTo(out, "  ");
    out += GBK(text::kFieldMarkLegend);
    out += kLineEnd;
    if (result.gradeDefaulted) {
        const std::string grade = Utf8ToGbk(TraverseGradeName(result.grade));
        out += FormatText(GBK(text::kFieldDefaultGrade), grade.c_str());
        out += kLineEnd;
    }
}

void AppendLeftOutRounds(const FieldCheckResult& result, std::string& out) {
    if (result.leftOutRounds.empty()) return;
    out += kLineEnd;
    out += GBK(text::kFieldLeftOutHeading);
    out += kLineEnd;
    for (const LeftOutRound& round : result.leftOutRounds) {
        out += kRowIndent;
        out += FormatText(GBK(text::kFieldLeftOutRound), round.station.c_str(), round.round,
                          round.opening.c_str(), round.orientation.c_str());
        out += kLineEnd;
    }
}

std::size_t ColumnOf(const KindTable& kind, const FieldCheckValue& value) {
    std::size_t c = 0;
    while (c < kind.columns.size() &&
           (kind.columns[c].code != value.code || kind.columns[c].face != value.face)) {
        ++c;
    }
    return c;
}

void AddHeadingRows(const KindTable& kind, const FieldCheckResult& result, TextTable& table) {
    std::vector<std::string>& heading = table.AddRow();
    heading.push_back(kind.heading());
    for (const Column& column : kind.columns) heading.push_back(ColumnHeading(column) + " ");
    std::vector<std::string>& limits = table.AddRow();
    limits.push_back(kRowIndent + GBK(text::kFieldLimitRow));
    for (const Column& column : kind.columns) {
        const std::size_t index = FieldItemIndex(column.code);
        limits.push_back(index < result.summary.size() ? LimitCell(result.summary[index]) + " "
                                                       : "");
    }
}

// The table of one kind for the values [begin, end) of one station; nothing when none is of the
// kind. A row is a round, a round's target or a target over the rounds; consecutive values of one
// row share it.
void AppendKindTable(const KindTable& kind, const FieldCheckResult& result, std::size_t begin,
                     std::size_t end, std::string& out) {
    TextTable table({true});
    std::vector<std::string>* row = nullptr;  // the row being filled, the last one added
    int rowRound = 0;
    std::string_view rowTarget;
    for (std::size_t i = begin; i < end; ++i) {
        const FieldCheckValue& value = result.values[i];
        const std::size_t c = ColumnOf(kind, value);
        if (c == kind.columns.size()) continue;
        if (row == nullptr) AddHeadingRows(kind, result, table);
        const std::string_view target =
            kind.columns[c].perRound ? std::string_view() : value.target;
        if (row == nullptr || rowRound != value.round || rowTarget != target ||
            !(*row)[c + 1].empty()) {
            row = &table.AddRow();
            row->resize(kind.columns.size() + 1);
            (*row)[0] = kRowIndent + Place({}, value.round, 0, target);
            rowRound = value.round;
            rowTarget = target;
        }
        (*row)[c + 1] = ValueCell(value);
    }
    table.AppendTo(out, "  ");
}

// Per station (a run of values with one station name) its name and its tables.
void AppendStations(const FieldCheckResult& result, std::string& out) {
    for (std::size_t begin = 0, end = 0; begin < result.values.size(); begin = end) {
        const std::string& station = result.values[begin].station;
        while (end < result.values.size() && result.values[end].station == station) ++end;
        out += kLineEnd;
        out += FormatText(GBK(text::kFieldStation), station.c_str());
        out += kLineEnd;
        for (const KindTable& kind : KindTables()) AppendKindTable(kind, result, begin, end, out);
    }
}

void AppendSummary(const FieldCheckResult& result, std::string& out) {
    out += kLineEnd;
    out += GBK(text::kFieldSummaryHeading);
    out += kLineEnd;
    TextTable table({true, false, false, false, true});
    table.AddRow() = {GBK(text::kFieldSummaryItem), GBK(text::kFieldSummaryCount),
                      GBK(text::kFieldSummaryExceeded), GBK(text::kFieldSummaryWorst) + " ",
                      GBK(text::kFieldSummaryWhere)};
    for (const FieldCheckSummary& item : result.summary) {
        std::vector<std::string>& row = table.AddRow();
        row = {ItemLabel(item.code), FormatText(GBK(text::kFieldCount), item.count),
               item.limitSource == LimitSource::None
                   ? GBK(text::kFieldNoLimit)
                   : FormatText(GBK(text::kFieldCount), item.exceededCount)};
        if (item.count == 0) continue;
        const FieldCheckValue& worst = item.worst;
        row.push_back(ValueCell(worst));
        row.push_back(Place(worst.station, worst.round, worst.face, worst.target));
    }
    table.AppendTo(out, "  ");
}

}  // namespace

std::string FormatFieldChecks(const FieldCheckResult& result) {
    std::string out = GBK(text::kFieldChecksBanner);
    out += kLineEnd;
    AppendLimits(result, out);
    if (result.values.empty()) {
        out += GBK(text::kFieldNothingChecked);
        out += kLineEnd;
    }
    AppendStations(result, out);
    AppendLeftOutRounds(result, out);
    AppendSummary(result, out);
    out += result.exceededCount > 0
               ? FormatText(GBK(text::kFieldExceededTotal), result.exceededCount)
               : GBK(text::kFieldAllWithin);
    out += kLineEnd;
    return out;
}

}  // namespace traverse
