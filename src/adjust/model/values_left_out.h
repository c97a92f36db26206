// The adjustment leaves out what depends on a value whose text is no number: read as the number
// it begins with (else 0), it would put a direction, a distance or a height difference off.
#ifndef TRAVERSE_ADJUST_VALUES_LEFT_OUT_H
#define TRAVERSE_ADJUST_VALUES_LEFT_OUT_H

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "adjust/model/network.h"
#include "traverse/import_xml.h"

namespace traverse {

struct UsableImport {
    CImportXml import;  // the known points and stations, without what is left out
    std::set<int> stationsWithoutHeights;  // indices of stations whose 仪器高 is no number
    std::vector<std::string> notes;        // GBK, one per value that took something along
};

// Null when importer holds no such value: it is used as it is. Otherwise a copy without the
// record of a bad reading (the whole horizontal round when it is a reading of the round's
// opening target), the distances of a station whose 加常数 or 乘常数 is no number, and, through
// DropHeightsOf, the height differences of one whose 仪器高 is none.
std::unique_ptr<UsableImport> LeaveOutValuesNotNumbers(const CImportXml& importer);

// Removes the height differences observed from the stations of usable.stationsWithoutHeights;
// refuses, with the reason, a network left without any observation.
void DropHeightsOf(const UsableImport& usable, Network& network);

}  // namespace traverse

#endif
