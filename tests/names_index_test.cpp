// Target names of rounds: the distinct names in order of first appearance, and each name's records
// in order, against plain searches over the same rounds, from a handful of names to many.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/name_numbers.h"
#include "records/target_names.h"
#include "reduce/records_by_name.h"

namespace traverse {
namespace {

// Rounds whose records are named from a pool of the given size; names differ in length, in their
// last byte only, and some are GBK.
std::vector<CSurveyTurn> RandomRounds(std::mt19937& random, int pool) {
    std::vector<CSurveyTurn> rounds(1 + random() % 6);
    for (CSurveyTurn& round : rounds) {
        round.m_arrObserve.resize(random() % 40);
        for (CBaseObserve& record : round.m_arrObserve) {
            const unsigned k = random() % static_cast<unsigned>(pool);
            record.m_strName =
                k % 3 == 0 ? "\xc4\xbf" + std::to_string(k) : "T" + std::string(k % 5, 'x');
            record.m_strName += static_cast<char>('a' + k % 7);
        }
    }
    return rounds;
}

std::vector<std::string> FirstAppearances(const std::vector<CSurveyTurn>& rounds) {
    std::vector<std::string> names;
    for (const CSurveyTurn& round : rounds) {
        for (const CBaseObserve& record : round.m_arrObserve) {
            if (std::find(names.begin(), names.end(), record.m_strName) == names.end()) {
                names.push_back(record.m_strName);
            }
        }
    }
    return names;
}

TEST(TargetNames, DistinctNamesInOrderOfFirstAppearanceFromFewToMany) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 3000; ++i) {
        const std::vector<CSurveyTurn> rounds = RandomRounds(random, 1 + i % 60);
        ASSERT_EQ(DistinctTargetNames(rounds), FirstAppearances(rounds));
        ASSERT_EQ(DistinctTargetNames(rounds[0]), FirstAppearances({rounds[0]}));
    }
}

TEST(NameNumbers, NumbersInOrderOfFirstAppearanceFromFewToMany) {
    std::mt19937 random(20261210);
    for (int i = 0; i < 1000; ++i) {
        const std::vector<CSurveyTurn> rounds = RandomRounds(random, 1 + i % 60);
        const std::vector<std::string> names = FirstAppearances(rounds);
        NameNumbers numbers;
        for (const CSurveyTurn& round : rounds) {
            for (const CBaseObserve& record : round.m_arrObserve) {
                const std::size_t number = numbers.Number(record.m_strName);
                ASSERT_LT(number, names.size());
                ASSERT_EQ(names[number], record.m_strName);
            }
        }
        EXPECT_EQ(numbers.Count(), names.size());
        for (std::size_t k = 0; k < names.size(); ++k) EXPECT_EQ(numbers.Find(names[k]), k);
        EXPECT_EQ(numbers.Find("absent"), names.size());
    }
}

TEST(RecordsByName, EachNameGivesItsRecordsInOrder) {
    std::mt19937 random(20261209);
    for (int i = 0; i < 1000; ++i) {
        const std::vector<CSurveyTurn> rounds = RandomRounds(random, 1 + i % 60);
        const RecordsByName all(rounds);
        const RecordsByName first(rounds[0].m_arrObserve);
        for (const std::string& name : FirstAppearances(rounds)) {
            std::vector<const CBaseObserve*> expected;
            std::vector<const CBaseObserve*> expectedFirst;
            for (const CSurveyTurn& round : rounds) {
                for (const CBaseObserve& record : round.m_arrObserve) {
                    if (record.m_strName != name) continue;
                    expected.push_back(&record);
                    if (&round == &rounds[0]) expectedFirst.push_back(&record);
                }
            }
            std::vector<const CBaseObserve*> found;
            for (const CBaseObserve* record : all.Of(name)) found.push_back(record);
            ASSERT_EQ(found, expected) << name;
            found.clear();
            for (const CBaseObserve* record : first.Of(name)) found.push_back(record);
            ASSERT_EQ(found, expectedFirst) << name;
        }
        EXPECT_EQ(all.Of("absent").begin() != all.Of("absent").end(), false);
        // By number: the names in order of first appearance, each record with its round.
        const std::vector<std::string> names = FirstAppearances(rounds);
        ASSERT_EQ(std::vector<std::string>(all.Names().begin(), all.Names().end()), names);
        EXPECT_EQ(all.FirstRoundCount(), FirstAppearances({rounds[0]}).size());
        for (std::size_t k = 0; k < names.size(); ++k) {
            std::vector<const CBaseObserve*> byNumber;
            for (auto at = all.Of(k).begin(); at != all.Of(k).end(); ++at) {
                byNumber.push_back(*at);
                const std::vector<CBaseObserve>& round = rounds[at.Round()].m_arrObserve;
                ASSERT_TRUE(std::any_of(round.begin(), round.end(),
                                        [&](const CBaseObserve& r) { return &r == *at; }));
            }
            std::vector<const CBaseObserve*> byName;
            for (const CBaseObserve* record : all.Of(names[k])) byName.push_back(record);
            ASSERT_EQ(byNumber, byName) << names[k];
        }
    }
}

}  // namespace
}  // namespace traverse
