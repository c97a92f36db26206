// The precision judgements as people read them: a label per item, figures with their units.
#include <string>

#include "adjust/adjustment_texts.h"
#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"

namespace traverse {

std::string PrecisionItemLabel(const PrecisionJudgement& j) {
    const auto format = [](const Text& text) { return Utf8ToGbk(text.Get()); };
    switch (j.item) {
        case PrecisionItem::AngleFromClosures:
            return FormatText(format(text::kPrecisionAngleClosures), j.count);
        case PrecisionItem::AngleFromAdjustment:
            return FormatText(format(text::kPrecisionAngleAdjustment), j.count);
        case PrecisionItem::DistanceFromReciprocals:
            return FormatText(format(text::kPrecisionDistanceReciprocal), j.count, j.meanSide);
        case PrecisionItem::RelativeDistanceFromReciprocals:
            return FormatText(format(text::kPrecisionRelativeReciprocal), j.count, j.meanSide);
        case PrecisionItem::DistanceFromAdjustment:
            return FormatText(format(text::kPrecisionDistanceAdjustment), j.count, j.meanSide);
        case PrecisionItem::RelativeDistanceFromAdjustment:
            return FormatText(format(text::kPrecisionRelativeAdjustment), j.count, j.meanSide);
        case PrecisionItem::TraverseLength:
            return FormatText(format(text::kPrecisionLength), j.traverse.c_str());
        case PrecisionItem::MeanSide:
            return FormatText(format(text::kPrecisionMeanSide), j.traverse.c_str());
        case PrecisionItem::SideCount:
            break;
    }
    return FormatText(format(text::kPrecisionSides), j.traverse.c_str());
}

std::string PrecisionFigureText(const PrecisionJudgement& j, double figure) {
    switch (j.item) {
        case PrecisionItem::AngleFromClosures:
        case PrecisionItem::AngleFromAdjustment:
            return FormatText(Utf8ToGbk(text::kPrecisionSeconds.Get()), figure);
        case PrecisionItem::DistanceFromReciprocals:
        case PrecisionItem::DistanceFromAdjustment:
            return FormatText("%.1f mm", figure);
        case PrecisionItem::RelativeDistanceFromReciprocals:
        case PrecisionItem::RelativeDistanceFromAdjustment:
            return RelativeClosureText(figure);
        case PrecisionItem::TraverseLength:
        case PrecisionItem::MeanSide:
            return FormatText("%.0f m", figure);
        case PrecisionItem::SideCount:
            break;
    }
    return FormatText("%.0f", figure);
}

}  // namespace traverse
