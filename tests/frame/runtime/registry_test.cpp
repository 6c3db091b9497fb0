// Registry mechanics and the full table of entries, checked natively.
#include "frame/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/ace_table.h"
#include "tests/frame/runtime/expected_entries.h"

namespace zu {
namespace {

TEST(GrowListTest, StartsWithRoomForThreeAndGrowsToThreeTimesCountPlusOne) {
  GrowList<uint16_t> list;
  EXPECT_EQ(list.count(), 0u);
  EXPECT_EQ(list.capacity(), 3u);
  std::vector<uint32_t> capacities;
  for (uint16_t i = 0; i < 40; ++i) {
    ASSERT_TRUE(list.Append(i));
    capacities.push_back(list.capacity());
  }
  // Full at 3 -> 10, full at 10 -> 31, full at 31 -> 94.
  EXPECT_EQ(capacities[2], 3u);
  EXPECT_EQ(capacities[3], 10u);
  EXPECT_EQ(capacities[9], 10u);
  EXPECT_EQ(capacities[10], 31u);
  EXPECT_EQ(capacities[31], 94u);
  for (uint16_t i = 0; i < 40; ++i) EXPECT_EQ(list[i], i);
}

TEST(AceRecordTest, CopiesParamsSizedCountPlusOneAndConsumesTheList) {
  AceRegistry registry;
  ParamList params;
  params.Add(0x10016, "first");  // only the low 16 bits are kept
  params.Add(45, "second");
  AceRecord record(registry, AceKind::kAction, nullptr, 7, "text %0 %1", params);
  EXPECT_EQ(record.ParamCount(), 2u);
  EXPECT_EQ(record.paramTypes.capacity(), 3u);
  EXPECT_EQ(record.ParamType(0), 22);
  EXPECT_STREQ(record.ParamTitle(1), "second");
  EXPECT_EQ(record.ParamTitle(2), nullptr);
  EXPECT_EQ(params.paramTypes.count(), 0u);
  EXPECT_EQ(params.paramTypes.data(), nullptr);
  EXPECT_EQ(registry.Count(AceKind::kAction), 1u);
  EXPECT_EQ(registry.Record(AceKind::kAction, 0), &record);
  EXPECT_EQ(registry.Record(AceKind::kAction, 1), nullptr);
  EXPECT_EQ(registry.Count(AceKind::kCondition), 0u);
}

void Dummy1() {}
void Dummy2() {}

TEST(AceRegistryTest, RegistrationOrderGivesCodesAndRoutineFieldsFollowKind) {
  AceRegistry registry;
  ParamList none1, none2, one;
  one.Add(1, "x");
  AceRecord a(registry, AceKind::kExpression, &Dummy1, 2, "A(", none1);
  AceRecord b(registry, AceKind::kExpression, &Dummy2, 0, "B(", one);
  AceRecord c(registry, AceKind::kCondition, &Dummy2, 34, "%o", none2);
  EXPECT_EQ(a.expressionRoutine, &Dummy1);
  EXPECT_EQ(a.conditionRoutine, nullptr);
  EXPECT_EQ(c.conditionRoutine, &Dummy2);
  EXPECT_EQ(c.actionRoutine, nullptr);

  uint32_t words = 0;
  uint16_t* array = BuildDescriptorArray(registry, AceKind::kExpression, &words);
  ASSERT_NE(array, nullptr);
  const std::vector<uint16_t> expected = {27000, 27000, 0, 2, 0, 27010, 27010, 1, 0, 1, 1, 0};
  ASSERT_EQ(words, expected.size());
  EXPECT_EQ(std::vector<uint16_t>(array, array + words), expected);
  EXPECT_EQ(FindEntry(array, words, 1), array + 5);
  EXPECT_EQ(FindEntry(array, words, 2), nullptr);
  EXPECT_EQ(FindEntry(array, words, 0xFFFF), nullptr);
  std::free(array);

  RoutineAddress* table = BuildRoutineTable(registry, AceKind::kExpression);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table[0], &Dummy1);
  EXPECT_EQ(table[1], &Dummy2);
  EXPECT_EQ(table[2], nullptr);
  std::free(table);
}

TEST(FindEntryTest, StopsAtTruncatedOrCorruptEntries) {
  // Second entry claims 3 parameters but the array ends early.
  const uint16_t words[] = {1, 1, 0, 0, 0, 2, 2, 1, 0, 3, 9};
  EXPECT_EQ(FindEntry(words, 11, 0), words);
  EXPECT_EQ(FindEntry(words, 11, 1), nullptr);
  const uint16_t negative[] = {1, 1, 5, 0, 0xFFFF, 0, 0};
  EXPECT_EQ(FindEntry(negative, 7, 3), nullptr);
  EXPECT_EQ(FindEntry(nullptr, 0, 0), nullptr);
}

class ModuleTablesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterModuleEntries(nullptr);
    RegisterModuleEntries(nullptr);  // a second call registers nothing more
    BuildModuleTables();
  }
  static std::vector<uint16_t> Published(AceKind kind) {
    const uint16_t* a = DescriptorArray(kind);
    return std::vector<uint16_t>(a, a + DescriptorWordCount(kind));
  }
};

TEST_F(ModuleTablesTest, CountsAndDescriptorWordsOfEveryEntry) {
  EXPECT_EQ(AceCount(AceKind::kCondition), 7u);
  EXPECT_EQ(AceCount(AceKind::kAction), 58u);
  EXPECT_EQ(AceCount(AceKind::kExpression), 38u);
  EXPECT_EQ(DescriptorWordCount(AceKind::kCondition), 41u);
  EXPECT_EQ(DescriptorWordCount(AceKind::kAction), 430u);
  EXPECT_EQ(DescriptorWordCount(AceKind::kExpression), 204u);
  EXPECT_EQ(Published(AceKind::kCondition),
            ExpectedWords(AceKind::kCondition, kConditionTypes, kConditionFlags, 7));
  EXPECT_EQ(Published(AceKind::kAction),
            ExpectedWords(AceKind::kAction, kActionTypes, nullptr, 58));
  EXPECT_EQ(Published(AceKind::kExpression),
            ExpectedWords(AceKind::kExpression, kExpressionTypes, kExpressionFlags, 38));
}

TEST_F(ModuleTablesTest, KnownEntriesAndLookups) {
  const uint16_t* cond = DescriptorArray(AceKind::kCondition);
  EXPECT_EQ(std::vector<uint16_t>(cond, cond + 5), (std::vector<uint16_t>{26000, 26000, 0, 0, 0}));
  const uint16_t* c2 = FindDescriptorEntry(AceKind::kCondition, 2);
  ASSERT_NE(c2, nullptr);
  EXPECT_EQ(std::vector<uint16_t>(c2, c2 + 7),
            (std::vector<uint16_t>{26020, 26020, 2, 34, 1, 45, 26021}));
  const uint16_t* a57 = FindDescriptorEntry(AceKind::kAction, 57);
  ASSERT_NE(a57, nullptr);
  EXPECT_EQ(std::vector<uint16_t>(a57, a57 + 19),
            (std::vector<uint16_t>{25570, 25570, 57, 0, 7, 45, 22, 22, 22, 22, 22, 22, 25571, 25572,
                                   25573, 25574, 25575, 25576, 25577}));
  EXPECT_EQ(a57 + 19, DescriptorArray(AceKind::kAction) + 430);
  const uint16_t* e1 = FindDescriptorEntry(AceKind::kExpression, 1);
  ASSERT_NE(e1, nullptr);
  EXPECT_EQ(std::vector<uint16_t>(e1, e1 + 7),
            (std::vector<uint16_t>{27010, 27010, 1, 1, 1, 1, 0}));
  EXPECT_EQ(FindDescriptorEntry(AceKind::kAction, 1), DescriptorArray(AceKind::kAction) + 11);
  // Codes outside the registered range are not found instead of walking on.
  EXPECT_EQ(FindDescriptorEntry(AceKind::kCondition, 7), nullptr);
  EXPECT_EQ(FindDescriptorEntry(AceKind::kAction, 58), nullptr);
  EXPECT_EQ(FindDescriptorEntry(AceKind::kExpression, 0xFFFF), nullptr);
}

TEST_F(ModuleTablesTest, RecordsCarryTextsAndTitles) {
  const AceRecord* play = AceRecordByCode(AceKind::kAction, 57);
  ASSERT_NE(play, nullptr);
  EXPECT_STREQ(play->displayText,
               "Play sound %0 with (volume %2, pan %3, position %4, frequency %5) on channel %1, "
               "%6 times");
  EXPECT_STREQ(play->ParamTitle(6), "Repeat count (0: Infinite)");
  EXPECT_STREQ(AceRecordByCode(AceKind::kAction, 37)->ParamTitle(0), "Vibrato Speed");
  EXPECT_STREQ(AceRecordByCode(AceKind::kCondition, 6)->displayText, "%o : Sound looped");
  EXPECT_STREQ(AceRecordByCode(AceKind::kExpression, 33)->displayText, "CSV$(");
  EXPECT_STREQ(AceRecordByCode(AceKind::kAction, 19)->ParamTitle(1),
               "File (*.wav,*.ogg,*.mod,*.aif)");
  EXPECT_EQ(AceRecordByCode(AceKind::kExpression, 38), nullptr);
  // Every condition text starts with %o; every expression text ends with "(".
  for (uint32_t k = 0; k < 7; ++k) {
    EXPECT_EQ(std::string(AceRecordByCode(AceKind::kCondition, k)->displayText).rfind("%o", 0), 0u);
  }
  for (uint32_t k = 0; k < 38; ++k) {
    const std::string text = AceRecordByCode(AceKind::kExpression, k)->displayText;
    EXPECT_EQ(text.back(), '(') << k;
  }
}

TEST_F(ModuleTablesTest, RebuildPublishesAFreshEqualSetAndKeepsTheOld) {
  const uint16_t* before = DescriptorArray(AceKind::kAction);
  const std::vector<uint16_t> words = Published(AceKind::kAction);
  const RoutineAddress* table = RoutineTable(AceKind::kAction);
  BuildModuleTables();
  EXPECT_NE(DescriptorArray(AceKind::kAction), before);
  EXPECT_EQ(Published(AceKind::kAction), words);
  EXPECT_EQ(std::vector<uint16_t>(before, before + words.size()), words);  // still readable
  EXPECT_EQ(table[58], nullptr);
  EXPECT_EQ(RoutineTable(AceKind::kCondition)[7], nullptr);
  EXPECT_EQ(RoutineTable(AceKind::kExpression)[38], nullptr);
}

}  // namespace
}  // namespace zu
