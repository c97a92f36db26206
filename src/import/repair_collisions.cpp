// Names that a repair made equal, found among the start tags of the repaired file.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "import/start_tags.h"
#include "traverse/code_page.h"
#include "traverse/repair.h"

namespace traverse {
namespace {

void AddLine(std::vector<NameLines>& list, const std::string& name, long line) {
    auto found =
        std::find_if(list.begin(), list.end(), [&](const NameLines& n) { return n.name == name; });
    if (found == list.end()) found = list.insert(list.end(), NameLines{name, {}});
    found->lines.push_back(line);
}

}  // namespace

std::vector<RepairCollision> FindRepairCollisions(const std::string& gbkPath,
                                                  const RepairResult& result) {
    std::vector<RepairCollision> collisions;
    if (result.repairs.empty()) return collisions;
    std::set<std::pair<long, long>> mendedAt;
    std::vector<std::string> order;  // mended names, in the order first written
    std::map<std::string, std::vector<NameLines>> sources;
    for (const RepairedName& repaired : result.repairs) {
        mendedAt.insert({repaired.line, repaired.column});
        if (sources.find(repaired.after) == sources.end()) order.push_back(repaired.after);
        AddLine(sources[repaired.after], repaired.before, repaired.line);
    }
    std::map<std::string, std::vector<long>> existing;
    std::unordered_map<std::string, std::string> gbkNames;  // a file has far fewer names than tags
    for (const StartTag& tag : StartTags(ReadRecordText(gbkPath))) {
        auto known = gbkNames.find(tag.name);
        if (known == gbkNames.end()) {
            known = gbkNames.emplace(tag.name, Utf8ToGbkLossy(tag.name)).first;
        }
        const std::string& name = known->second;
        if (sources.count(name) != 0 && mendedAt.count({tag.line, tag.column}) == 0) {
            existing[name].push_back(tag.line);
        }
    }
    for (const std::string& name : order) {
        std::vector<NameLines>& from = sources[name];
        std::vector<long>& already = existing[name];
        if (from.size() > 1 || !already.empty()) collisions.push_back({name, from, already});
    }
    return collisions;
}

}  // namespace traverse
