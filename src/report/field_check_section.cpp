// The field checks: the items with their limits, then one table per kind of observation with a
// row per round, record or target and a column per item; values beyond their limit stand out.
#include <algorithm>
#include <string>
#include <vector>

#include "fieldcheck/field_check_texts.h"
#include "platform/c_number.h"
#include "report/field_value_text.h"
#include "report/html_element.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_sections.h"
#include "report/page_texts.h"
#include "report/table_row.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

struct Column {
    std::int16_t code;
    int face;  // 1002 only: 1 left, 2 right
};

struct KindTable {
    int kind;  // the thousands of the codes: 1 horizontal, 2 vertical, 3 distance
    const char* heading;
    std::vector<Column> columns;
};

const std::vector<KindTable>& KindTables() {
    static const std::vector<KindTable> tables{
        {1,
         text::kHtmlHorizontalTable,
         {{CHECK_2C_SPREAD, 0},
          {CHECK_HALF_ROUND_CLOSURE, 1},
          {CHECK_HALF_ROUND_CLOSURE, 2},
          {CHECK_DIRECTION_BETWEEN_ROUNDS, 0}}},
        {2,
         text::kHtmlVerticalTable,
         {{CHECK_INDEX_ERROR, 0},
          {CHECK_INDEX_ERROR_SPREAD, 0},
          {CHECK_VERTICAL_BETWEEN_ROUNDS, 0}}},
        {3,
         text::kHtmlDistanceTable,
         {{CHECK_DISTANCE_READINGS, 0}, {CHECK_DISTANCE_BETWEEN_ROUNDS, 0}}},
    };
    return tables;
}

std::string ColumnHeading(const Column& column) {
    if (column.face == 1) return FormatText(text::kHtmlColumnLeft, static_cast<int>(column.code));
    if (column.face == 2) return FormatText(text::kHtmlColumnRight, static_cast<int>(column.code));
    return FormatText(text::kHtmlColumn, static_cast<int>(column.code));
}

const FieldCheckSummary* SummaryOf(const FieldCheckResult& result, std::int16_t code) {
    for (const FieldCheckSummary& item : result.summary) {
        if (item.code == code) return &item;
    }
    return nullptr;
}

// The values of one table row: the same station, round and target (the closure joins its round's
// row, whose target it names).
bool SameRow(const FieldCheckValue& a, const FieldCheckValue& b) {
    const auto rowTarget = [](const FieldCheckValue& v) {
        return v.code == CHECK_HALF_ROUND_CLOSURE ? std::string() : v.target;
    };
    return a.station == b.station && a.round == b.round && rowTarget(a) == rowTarget(b);
}

Html LimitRow(const FieldCheckResult& result, const KindTable& table) {
    Row row("limits");
    row.Span(3, Text(text::kHtmlLimitRow));
    for (const Column& column : table.columns) {
        const FieldCheckSummary* item = SummaryOf(result, column.code);
        const bool limited = item != nullptr && item->limitSource != LimitSource::None;
        row.Cell(limited ? Num(text::kHtmlValue, item->limit) : Text(text::kHtmlNone));
    }
    return row.Line();
}

using ValueRow = std::vector<const FieldCheckValue*>;

bool Exceeded(const ValueRow& values) {
    const auto exceeded = [](const FieldCheckValue* v) { return v->exceeded; };
    return std::any_of(values.begin(), values.end(), exceeded);
}

// The rows of one table; a station's name stands on its first row in each part of the table.
class KindRowWriter {
public:
    explicit KindRowWriter(const KindTable& table) : m_table(table) {}

    // One row of values that share station, round and target.
    TableRow Line(const ValueRow& values, bool flagged) {
        const FieldCheckValue& first = *values.front();
        const bool newStation = first.station != m_station || flagged != m_flagged;
        m_station = first.station;
        m_flagged = flagged;
        std::string target;
        for (const FieldCheckValue* v : values) {
            if (!v->target.empty()) target = v->target;
        }
        Row row(newStation ? "first" : "");
        row.Cell(newStation ? GbkText(first.station) : Html())
            .Cell(first.round > 0 ? Num("%d", first.round) : Html())
            .Gbk(target);
        for (const Column& column : m_table.columns) AddValueCell(values, column, row);
        return {row.Line(), flagged};
    }

private:
    static void AddValueCell(const ValueRow& values, const Column& column, Row& row) {
        for (const FieldCheckValue* v : values) {
            if (v->code != column.code || v->face != column.face) continue;
            row.Cell(Num(text::kHtmlValue, v->value), v->exceeded ? "over" : "");
            return;
        }
        row.Cell(Html());
    }

    const KindTable& m_table;
    std::string m_station;
    bool m_flagged = false;
};

std::vector<ValueRow> ValueRows(const FieldCheckResult& result, const KindTable& table) {
    std::vector<ValueRow> rows;
    for (const FieldCheckValue& value : result.values) {
        if (value.code / 1000 != table.kind) continue;
        if (rows.empty() || !SameRow(*rows.back().front(), value)) rows.emplace_back();
        rows.back().push_back(&value);
    }
    return rows;
}

void AppendKindTable(const FieldCheckResult& result, const KindTable& table, Html& page) {
    AppendHeading(page, table.heading);
    std::vector<ValueRow> values = ValueRows(result, table);
    if (values.empty()) {
        AppendParagraph(page, "quiet", text::kHtmlNoFieldValues);
        return;
    }
    // A long table's rows with a value beyond its limit come first, in their order.
    const bool isLong = IsLongList(values.size());
    if (isLong) std::stable_partition(values.begin(), values.end(), Exceeded);
    KindRowWriter writer(table);
    std::vector<TableRow> rows;
    for (const ValueRow& row : values) rows.push_back(writer.Line(row, isLong && Exceeded(row)));
    TableHead head{Columns(text::kHtmlFieldColumns), "field lead3", LimitRow(result, table)};
    for (const Column& column : table.columns) head.headings.push_back(ColumnHeading(column));
    AppendTable(page, head, rows, "traverse check --all");
}

Html ItemRow(const FieldCheckSummary& item) {
    const bool limited = item.limitSource != LimitSource::None;
    const Judgement judgement = Judge(limited && item.count > 0, item.exceededCount == 0);
    const std::string worst = item.count > 0 ? FieldValueText(item.code, item.worst.value) + " " +
                                                   FieldValuePlace(item.worst)
                                             : "";
    return Row(JudgementClass(judgement))
        .Text(FieldItemTitle(item.code))
        .Text(limited ? FieldValueText(item.code, item.limit) : text::kHtmlNone)
        .Text(item.limitOrigin, "t")
        .Num("%zu", item.count)
        .Num("%zu", item.exceededCount)
        .Text(worst, "t")
        .Cell(Mark(judgement))
        .Line();
}

void AppendItems(const FieldCheckResult& result, Html& page) {
    AppendHeading(page, text::kHtmlLimitsHeading);
    OpenTable(page, Columns(text::kHtmlItemColumns), "lead1");
    for (const FieldCheckSummary& item : result.summary) page += ItemRow(item);
    CloseTable(page);
}

// The rounds 1003 leaves out, each named.
void AppendLeftOutRounds(const FieldCheckResult& result, Html& page) {
    if (result.leftOutRounds.empty()) return;
    AppendParagraph(page, "", text::kFieldLeftOutHeading);
    page += Markup("<ul>\n");
    for (const LeftOutRound& round : result.leftOutRounds) {
        const std::string station = GbkToUtf8(round.station);
        const std::string opening = GbkToUtf8(round.opening);
        const std::string orientation = GbkToUtf8(round.orientation);
        const std::string line = FormatText(text::kFieldLeftOutRound, station.c_str(), round.round,
                                            opening.c_str(), orientation.c_str());
        page += Tag("li").Wrap(Text(line)) + Markup("\n");
    }
    page += Markup("</ul>\n");
}

}  // namespace

void AppendFieldCheckSection(const FieldCheckResult& result, Html& page) {
    OpenSection(page, "field-checks", text::kHtmlFieldChecks);
    AppendItems(result, page);
    if (result.gradeDefaulted) {
        const std::string grade =
            FormatText(text::kFieldDefaultGrade, TraverseGradeName(result.grade));
        AppendParagraph(page, "", grade);
    }
    AppendParagraph(page, "quiet", text::kHtmlExceededLegend);
    for (const KindTable& table : KindTables()) AppendKindTable(result, table, page);
    AppendLeftOutRounds(result, page);
    CloseSection(page);
}

}  // namespace traverse
