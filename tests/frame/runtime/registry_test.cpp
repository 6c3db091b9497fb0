// The descriptor words of the entry table and the module's built tables,
// checked natively.
#include "frame/registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame/ace_table.h"
#include "tests/frame/runtime/expected_entries.h"

namespace zu {
namespace {

TEST(FindEntryTest, StopsAtTruncatedOrCorruptEntries) {
  // Second entry claims 3 parameters but the array ends early.
  const uint16_t words[] = {1, 1, 0, 0, 0, 2, 2, 1, 0, 3, 9};
  EXPECT_EQ(FindEntry(words, 11, 0), words);
  EXPECT_EQ(FindEntry(words, 11, 1), nullptr);
  const uint16_t negative[] = {1, 1, 5, 0, 0xFFFF, 0, 0};
  EXPECT_EQ(FindEntry(negative, 7, 3), nullptr);
  EXPECT_EQ(FindEntry(nullptr, 0, 0), nullptr);
}

// A distinct stand-in address per table entry; never called.
RoutineAddress FakeRoutine(uint32_t index) {
  return reinterpret_cast<RoutineAddress>(static_cast<uintptr_t>(0x1000 + 16 * index));
}

class ModuleTablesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (uint32_t i = 0; i < kAceEntryCount; ++i) routines_[i] = FakeRoutine(i);
    ASSERT_TRUE(BuildModuleTables(routines_));
  }
  static std::vector<uint16_t> Built(AceKind kind) {
    const uint16_t* a = DescriptorArray(kind);
    return std::vector<uint16_t>(a, a + DescriptorWordCountOf(kind));
  }
  static RoutineAddress routines_[kAceEntryCount];
};
RoutineAddress ModuleTablesTest::routines_[kAceEntryCount];

TEST_F(ModuleTablesTest, CountsAndDescriptorWordsOfEveryEntry) {
  EXPECT_EQ(AceCountOf(AceKind::kCondition), 7u);
  EXPECT_EQ(AceCountOf(AceKind::kAction), 58u);
  EXPECT_EQ(AceCountOf(AceKind::kExpression), 38u);
  EXPECT_EQ(DescriptorWordCountOf(AceKind::kCondition), 41u);
  EXPECT_EQ(DescriptorWordCountOf(AceKind::kAction), 430u);
  EXPECT_EQ(DescriptorWordCountOf(AceKind::kExpression), 204u);
  EXPECT_EQ(Built(AceKind::kCondition),
            ExpectedWords(AceKind::kCondition, kConditionTypes, kConditionFlags, 7));
  EXPECT_EQ(Built(AceKind::kAction), ExpectedWords(AceKind::kAction, kActionTypes, nullptr, 58));
  EXPECT_EQ(Built(AceKind::kExpression),
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
  // Codes outside the table are not found instead of walking on.
  EXPECT_EQ(FindDescriptorEntry(AceKind::kCondition, 7), nullptr);
  EXPECT_EQ(FindDescriptorEntry(AceKind::kAction, 58), nullptr);
  EXPECT_EQ(FindDescriptorEntry(AceKind::kExpression, 0xFFFF), nullptr);
}

TEST_F(ModuleTablesTest, EntriesByKindAndCode) {
  const AceEntryDesc* play = AceEntryOf(AceKind::kAction, 57);
  ASSERT_NE(play, nullptr);
  EXPECT_STREQ(play->displayText,
               "Play sound %0 with (volume %2, pan %3, position %4, frequency %5) on channel %1, "
               "%6 times");
  EXPECT_STREQ(play->params[6].title, "Repeat count (0: Infinite)");
  EXPECT_STREQ(AceEntryOf(AceKind::kCondition, 6)->displayText, "%o : Sound looped");
  EXPECT_STREQ(AceEntryOf(AceKind::kExpression, 33)->displayText, "CSV$(");
  EXPECT_EQ(AceEntryOf(AceKind::kExpression, 38), nullptr);
  EXPECT_EQ(AceEntryOf(AceKind::kCondition, 7), nullptr);
}

TEST_F(ModuleTablesTest, RoutineTablesFollowTheTableAndLaterBuildsKeepTheSet) {
  const RoutineAddress* actions = RoutineTable(AceKind::kAction);
  ASSERT_NE(actions, nullptr);
  EXPECT_EQ(actions[0], FakeRoutine(7));
  EXPECT_EQ(actions[57], FakeRoutine(64));
  EXPECT_EQ(actions[58], nullptr);
  EXPECT_EQ(RoutineTable(AceKind::kCondition)[7], nullptr);
  EXPECT_EQ(RoutineTable(AceKind::kExpression)[0], FakeRoutine(65));
  EXPECT_EQ(RoutineTable(AceKind::kExpression)[38], nullptr);

  const uint16_t* descriptors = DescriptorArray(AceKind::kExpression);
  EXPECT_TRUE(BuildModuleTables(nullptr));
  EXPECT_EQ(DescriptorArray(AceKind::kExpression), descriptors);
  EXPECT_EQ(RoutineTable(AceKind::kAction), actions);
  EXPECT_EQ(actions[0], FakeRoutine(7));
}

}  // namespace
}  // namespace zu
