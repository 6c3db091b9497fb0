// Edit data, property helpers, value objects, menu trees and text lookups:
// the parts of the editor face that need no Windows.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frame/editor_data.h"
#include "frame/editor_menus.h"
#include "frame/editor_properties.h"
#include "frame/editor_text.h"
#include "frame/editor_values.h"

namespace zu {
namespace {

TEST(EditDataTest, DefaultsLeaveTheHeaderAlone) {
  EditData data;
  std::memset(&data, 0xAB, sizeof(data));
  SetEditDefaults(&data);
  EXPECT_EQ(data.reserved, 0);
  EXPECT_EQ(data.enableGenerator, 1);
  EXPECT_EQ(data.bufferLength, 5u);
  EXPECT_EQ(data.size, 0xABABABABu);
  EXPECT_EQ(data.version, 0xABABABABu);
}

TEST(EditDataTest, ConversionKeepsTheOldHeaderOnly) {
  // An old record may be only as long as its header: allocate exactly that,
  // so a read beyond it shows up under the sanitizers.
  auto old = std::make_unique<uint32_t[]>(5);
  old[0] = 20;
  old[1] = 0x11111111;
  old[2] = 1;
  old[3] = 0x33333333;
  old[4] = 0x44444444;
  EditData fresh;
  std::memset(&fresh, 0, sizeof(fresh));
  ConvertEditData(old.get(), &fresh);
  EXPECT_EQ(fresh.size, 28u);
  EXPECT_EQ(fresh.hostWord4, 0x11111111u);
  EXPECT_EQ(fresh.version, 2u);
  EXPECT_EQ(fresh.hostWord12, 0x33333333u);
  EXPECT_EQ(fresh.hostWord16, 0x44444444u);
  EXPECT_EQ(fresh.reserved, 0);
  EXPECT_EQ(fresh.enableGenerator, 1);
  EXPECT_EQ(fresh.padding, 0);
  EXPECT_EQ(fresh.bufferLength, 5u);
}

TEST(EditDataTest, OnlyVersionsBelowTwoNeedConversion) {
  EditData data{};
  for (uint32_t version : {0u, 1u}) {
    data.version = version;
    EXPECT_TRUE(EditDataNeedsConversion(data)) << version;
  }
  for (uint32_t version : {2u, 3u, 0xFFFFFFFFu}) {
    data.version = version;
    EXPECT_FALSE(EditDataNeedsConversion(data)) << version;
  }
}

TEST(PropertiesTest, TableRowsAndTerminator) {
  const PropEntry& group = kPropertyTable[0];
  EXPECT_EQ(group.id, 0x80001u);
  EXPECT_STREQ(group.name, "Generator");
  EXPECT_STREQ(group.info, "Settings related to the sound generator.");
  EXPECT_EQ(group.typeCode, 14u);
  EXPECT_EQ(group.options, 0u);
  EXPECT_EQ(group.createParam, nullptr);

  const PropEntry& check = kPropertyTable[1];
  EXPECT_EQ(check.id, 0x80002u);
  EXPECT_STREQ(check.name, "Enable generator");
  EXPECT_STREQ(check.info,
               "Whether or not to enable the sound generator. If disabled, your application will "
               "use less resouces.");
  EXPECT_EQ(check.typeCode, 10u);
  EXPECT_EQ(check.options, 1u);
  EXPECT_EQ(check.createParam, nullptr);

  const PropEntry& number = kPropertyTable[2];
  EXPECT_EQ(number.id, 0x80003u);
  EXPECT_STREQ(number.name, "Buffer length");
  EXPECT_STREQ(number.info,
               "The length in seconds of the buffer that is used for the sound generation.");
  EXPECT_EQ(number.typeCode, 11u);
  EXPECT_EQ(number.options, 4u);
  ASSERT_NE(number.createParam, nullptr);
  const uint32_t* bounds = static_cast<const uint32_t*>(number.createParam);
  EXPECT_EQ(bounds[0], 0u);
  EXPECT_EQ(bounds[1], 10u);

  const PropEntry& end = kPropertyTable[3];
  EXPECT_EQ(end.id, 0u);
  EXPECT_EQ(end.name, nullptr);
  EXPECT_EQ(end.info, nullptr);
  EXPECT_EQ(end.typeCode, 0u);
  EXPECT_EQ(end.options, 0u);
  EXPECT_EQ(end.createParam, nullptr);
}

TEST(PropertiesTest, CheckBoxTouchesOnlyTheGeneratorSwitch) {
  EditData data{};
  SetEditDefaults(&data);
  EXPECT_EQ(PropCheckOf(data, kPropEnableGenerator), 1u);
  EXPECT_EQ(PropCheckOf(data, kPropBufferLength), 0u);
  EXPECT_EQ(PropCheckOf(data, kPropGeneratorGroup), 0u);

  EXPECT_TRUE(StorePropCheck(&data, kPropEnableGenerator, 0));
  EXPECT_EQ(data.enableGenerator, 0);
  EXPECT_TRUE(StorePropCheck(&data, kPropEnableGenerator, 7));
  EXPECT_EQ(data.enableGenerator, 1);
  EXPECT_TRUE(StorePropCheck(&data, kPropEnableGenerator, 0x100));  // not truncated to a byte
  EXPECT_EQ(data.enableGenerator, 1);

  const EditData before = data;
  EXPECT_FALSE(StorePropCheck(&data, kPropBufferLength, 0));
  EXPECT_FALSE(StorePropCheck(&data, 0x80004, 0));
  EXPECT_EQ(std::memcmp(&before, &data, sizeof(data)), 0);

  EXPECT_TRUE(IsNumberProp(kPropBufferLength));
  EXPECT_FALSE(IsNumberProp(kPropEnableGenerator));
  EXPECT_FALSE(IsNumberProp(kPropGeneratorGroup));
}

TEST(PropertiesTest, InfoValuesForEveryCode) {
  const uint32_t expected[] = {0x300, 0, 0x100, 0, 0, 0, 2, 248, 0};
  for (uint32_t code = 0; code < 9; ++code) EXPECT_EQ(InfoValue(code), expected[code]) << code;
  EXPECT_EQ(InfoValue(0xFFFFFFFFu), 0u);
}

TEST(PropertiesTest, ObjectInformationFitsTheAssumedBuffers) {
  EXPECT_STREQ(kObjName, "Zider Uzazir");
  const std::string description = kObjDescription;
  EXPECT_EQ(description.rfind(
                "This extension allows you to load and play sounds dynamically (by specifying "
                "their name in expressions). Also, you can generate cool sound effects at runtime",
                0),
            0u);
  EXPECT_STREQ(kHelpFileName, "Help\\EmptyObject.chm");
  for (const char* text : {kObjName, kObjAuthor, kObjCopyright, kObjDescription, kObjWebAddress}) {
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_LT(std::strlen(text), kObjInfoBufferSize);
  }
}

TEST(ValueTest, CloneEqualsAndTag) {
  CPropDWordValue* five = CPropDWordValue::Create(5);
  ASSERT_NE(five, nullptr);
  CPropValue* copy = five->Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, five);
  EXPECT_EQ(DWordOf(copy), 5u);
  EXPECT_EQ(five->Equals(copy), 1);
  EXPECT_EQ(copy->TypeTag(), 0x44575244u);

  CPropDWordValue* six = CPropDWordValue::Create(6);
  ASSERT_NE(six, nullptr);
  EXPECT_EQ(five->Equals(six), 0);
  EXPECT_EQ(six->Equals(five), 0);
  EXPECT_EQ(five->Equals(nullptr), 0);

  // Both release paths free the object (the leak checker watches this).
  copy->Destroy();
  EXPECT_EQ(six->DeletingDestructor(1), static_cast<void*>(six));
  CPropDWordValue on_stack(9);
  EXPECT_EQ(on_stack.DeletingDestructor(0), static_cast<void*>(&on_stack));  // no free
  five->Destroy();
}

int BaseOf(int menuResource) {
  switch (menuResource) {
    case kConditionMenuResource:
      return 26000;
    case kActionMenuResource:
      return 25000;
    default:
      return 27000;
  }
}

// Replays the operations the way the builder does, checking that every close
// has an open popup and every popup gets closed; collects the codes selected.
std::vector<int> ReplayCodes(int menuResource, int* depthMax) {
  MenuOps ops = MenuOpsFor(menuResource);
  std::vector<int> codes;
  int depth = 0;
  *depthMax = 0;
  for (size_t i = 0; i < ops.count; ++i) {
    const MenuOp& op = ops.ops[i];
    if (op.id > 0) {
      EXPECT_GT(std::strlen(op.text), 0u);
      EXPECT_EQ((op.id - BaseOf(menuResource)) % 10, 0) << op.id;
      codes.push_back((op.id - BaseOf(menuResource)) / 10);
    } else if (op.id == kMenuOpenPopup) {
      EXPECT_GT(std::strlen(op.text), 0u);
      *depthMax = std::max(*depthMax, ++depth);
    } else if (op.id == kMenuClosePopup) {
      EXPECT_GT(depth, 0) << "close without popup at op " << i;
      --depth;
    } else {
      EXPECT_EQ(op.id, kMenuSeparator);
    }
  }
  EXPECT_EQ(depth, 0);
  return codes;
}

TEST(MenuTreeTest, EveryCodeHasOneItemExceptDeleteByIndex) {
  int depth = 0;
  std::vector<int> conditions = ReplayCodes(kConditionMenuResource, &depth);
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(std::set<int>(conditions.begin(), conditions.end()),
            (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(conditions.size(), 7u);

  std::vector<int> actions = ReplayCodes(kActionMenuResource, &depth);
  EXPECT_EQ(depth, 3);  // Generator > Variables > Timing
  std::set<int> expected_actions;
  for (int code = 0; code < 58; ++code) {
    if (code != 20) expected_actions.insert(code);
  }
  EXPECT_EQ(std::set<int>(actions.begin(), actions.end()), expected_actions);
  EXPECT_EQ(actions.size(), 57u);

  std::vector<int> expressions = ReplayCodes(kExpressionMenuResource, &depth);
  EXPECT_EQ(depth, 3);
  std::set<int> expected_expressions;
  for (int code = 0; code < 38; ++code) expected_expressions.insert(code);
  EXPECT_EQ(std::set<int>(expressions.begin(), expressions.end()), expected_expressions);
  EXPECT_EQ(expressions.size(), 38u);

  EXPECT_EQ(MenuOpsFor(20003).count, 0u);
  EXPECT_EQ(MenuOpsFor(20003).ops, nullptr);
}

TEST(TextTest, CopyIsBoundedBySize) {
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  CopyBounded(buffer, 0, "abc");
  EXPECT_EQ(buffer[0], '#');

  CopyBounded(buffer, 1, "abc");
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');

  std::memset(buffer, '#', sizeof(buffer));
  CopyBounded(buffer, 4, "abcdef");
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], '#');

  std::memset(buffer, '#', sizeof(buffer));
  CopyBounded(buffer, 4, "abc");  // exactly fits with its terminator
  EXPECT_STREQ(buffer, "abc");

  CopyBounded(buffer, sizeof(buffer), "");
  EXPECT_STREQ(buffer, "");
}

// Three entries: code 0 without parameters, code 1 with two, code 2 with one;
// then words that look like a matching entry but lie beyond the count.
const uint16_t kArray[] = {
    100, 100, 0, 0,  0,                     //
    110, 110, 1, 0,  2, 22, 45,  111, 112,  //
    120, 120, 2, 34, 1, 45, 121,            //
    130, 130, 3, 0,  0,                     // past the count given below
};

TEST(TextTest, DescriptorWalksStayWithinTheCount) {
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 100), 0);
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 110), 1);
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 120), 2);
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 130), -1);
  EXPECT_EQ(CodeFromMenuId(kArray, 4, 130), 3);
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 111), -1);  // a title id is no menu id
  EXPECT_EQ(CodeFromMenuId(kArray, 3, 100 + 65536), -1);
  EXPECT_EQ(CodeFromMenuId(kArray, 0, 100), -1);
  EXPECT_EQ(CodeFromMenuId(nullptr, 3, 100), -1);

  EXPECT_EQ(EntryTitleId(kArray + 5, 0), 111);
  EXPECT_EQ(EntryTitleId(kArray + 5, 1), 112);
  EXPECT_EQ(EntryTitleId(kArray + 14, 0), 121);
}

}  // namespace
}  // namespace zu
