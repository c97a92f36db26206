// The texts of the reduction of the rounds, which the adjustment input file and the adjustment's
// notes carry, byte for byte as surveyors know them. UTF-8 here; GBK("...") gives the GBK form.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_REDUCE_REDUCTION_TEXTS_H
#define TRAVERSE_REDUCE_REDUCTION_TEXTS_H

namespace traverse {
namespace text {

constexpr char kClosingTargetDiffers[] = "半测回归零方向与第一个定向点不一致！";
constexpr char kNoSecondOrientation[] = "右角观测没有跟第一个定向点一致的目标！";

}  // namespace text
}  // namespace traverse

#endif
