// Editor menus, display strings and parameter titles of the conditions,
// actions and expressions. Exported through frame/win/exports_editor.def
// under their plain names.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "frame/ace_table.h"
#include "frame/editor_menus.h"
#include "frame/editor_text.h"
#include "frame/registry.h"
#include "frame/win/module.h"

namespace {

using zu::AceKind;

// Builds a menu tree from builder operations: the root is a menu bar, popups
// under construction sit on a stack with their pending names.
class MenuBuilder {
 public:
  MenuBuilder() : root_(CreateMenu()) { open_.push_back(root_); }
  ~MenuBuilder() {
    // Popups still open belong to no menu yet; the root takes its attached
    // popups with it.
    for (size_t i = open_.size(); i > 1; --i) DestroyMenu(open_[i - 1]);
    if (root_ != nullptr) DestroyMenu(root_);
  }
  MenuBuilder(const MenuBuilder&) = delete;
  MenuBuilder& operator=(const MenuBuilder&) = delete;

  HMENU root() const { return root_; }

  void Add(int id, const char* text) {
    if (id > 0) {
      AppendMenuA(open_.back(), MF_STRING, static_cast<UINT_PTR>(id), text);
    } else if (id == zu::kMenuOpenPopup) {
      open_.push_back(CreatePopupMenu());
      names_.push_back(text);
    } else if (id == zu::kMenuClosePopup) {
      if (open_.size() < 2) return;  // nothing open beyond the root
      HMENU popup = open_.back();
      open_.pop_back();
      AppendMenuA(open_.back(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                  names_.back());
      names_.pop_back();
    } else if (id == zu::kMenuSeparator) {
      AppendMenuA(open_.back(), MF_SEPARATOR, 0, nullptr);
    }
  }

 private:
  HMENU root_;
  std::vector<HMENU> open_;
  std::vector<const char*> names_;
};

constexpr int kMenuTextBuffer = 80;  // texts longer than 79 characters are cut

// Copies every item of `from` to the end of `to`, popups recursively.
void CopyMenuItems(HMENU from, HMENU to) {
  const int count = GetMenuItemCount(from);
  for (int i = 0; i < count; ++i) {
    char text[kMenuTextBuffer] = {};
    GetMenuStringA(from, i, text, kMenuTextBuffer, MF_BYPOSITION);
    const UINT id = GetMenuItemID(from, i);
    HMENU submenu = GetSubMenu(from, i);
    if (id == 0) {
      AppendMenuA(to, MF_SEPARATOR, 0, nullptr);
    } else if (submenu != nullptr) {
      HMENU copy = CreatePopupMenu();
      AppendMenuA(to, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(copy), text);
      CopyMenuItems(submenu, copy);
    } else {
      const UINT state =
          GetMenuState(from, i, MF_BYPOSITION) &
          (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_MENUBREAK | MF_MENUBARBREAK);
      AppendMenuA(to, MF_STRING | state, id, text);
    }
  }
}

HMENU BuildMenu(int menuResource) {
  HMENU result = CreatePopupMenu();
  if (result == nullptr) return nullptr;
  MenuBuilder builder;
  const zu::MenuOps ops = zu::MenuOpsFor(menuResource);
  for (size_t i = 0; i < ops.count; ++i) builder.Add(ops.ops[i].id, ops.ops[i].text);
  CopyMenuItems(builder.root(), result);
  return result;
}

int32_t CodeFromMenu(AceKind kind, int32_t menuId) {
  return zu::CodeFromMenuId(zu::DescriptorWordsOf(kind), static_cast<int32_t>(zu::AceCountOf(kind)),
                            menuId);
}

// The entry of a code the host passes, or null for a code outside the kind.
const zu::AceEntryDesc* EntryOf(AceKind kind, int32_t code) {
  return code < 0 ? nullptr : zu::AceEntryOf(kind, static_cast<uint32_t>(code));
}

void DisplayString(AceKind kind, int32_t code, char* buffer, uint32_t size) {
  const zu::AceEntryDesc* entry = EntryOf(kind, code);
  if (entry != nullptr) zu::CopyBounded(buffer, size, entry->displayText);
}

int MenuResourceOf(AceKind kind) {
  switch (kind) {
    case AceKind::kCondition:
      return zu::kConditionMenuResource;
    case AceKind::kAction:
      return zu::kActionMenuResource;
    default:
      return zu::kExpressionMenuResource;
  }
}

// Title of parameter `param` of entry `code`: the registered title when the
// entry gives the parameter a title id, otherwise the text of the entry's
// item in the kind's menu resource, if the module carries one.
void ParamTitle(AceKind kind, int32_t code, int32_t param, char* buffer, uint32_t size) {
  const zu::AceEntryDesc* desc = EntryOf(kind, code);
  if (desc == nullptr || param < 0 || param >= desc->paramCount) return;
  const uint16_t* entry =
      zu::FindEntry(zu::DescriptorWordsOf(kind), zu::DescriptorWordCountOf(kind), desc->code);
  if (entry == nullptr) return;
  if (zu::EntryTitleId(entry, param) != 0) {
    zu::CopyBounded(buffer, size, desc->params[param].title);
    return;
  }
  HMENU menu = LoadMenuA(zu::ModuleHandle(), MAKEINTRESOURCEA(MenuResourceOf(kind)));
  if (menu == nullptr) return;
  if (buffer != nullptr && size > 0) {
    const int max_count = size > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    GetMenuStringA(menu, entry[zu::kEntryMenuId], buffer, max_count, MF_BYCOMMAND);
  }
  DestroyMenu(menu);
}

}  // namespace

extern "C" {

HMENU WINAPI GetConditionMenu(void*, void*, void*) { return BuildMenu(zu::kConditionMenuResource); }
HMENU WINAPI GetActionMenu(void*, void*, void*) { return BuildMenu(zu::kActionMenuResource); }
HMENU WINAPI GetExpressionMenu(void*, void*, void*) {
  return BuildMenu(zu::kExpressionMenuResource);
}

int32_t WINAPI GetConditionCodeFromMenu(void*, int32_t menuId) {
  return CodeFromMenu(AceKind::kCondition, menuId);
}
int32_t WINAPI GetActionCodeFromMenu(void*, int32_t menuId) {
  return CodeFromMenu(AceKind::kAction, menuId);
}
int32_t WINAPI GetExpressionCodeFromMenu(void*, int32_t menuId) {
  return CodeFromMenu(AceKind::kExpression, menuId);
}

void WINAPI GetConditionString(void*, int32_t code, char* buffer, uint32_t size) {
  DisplayString(AceKind::kCondition, code, buffer, size);
}
void WINAPI GetActionString(void*, int32_t code, char* buffer, uint32_t size) {
  DisplayString(AceKind::kAction, code, buffer, size);
}
void WINAPI GetExpressionString(void*, int32_t code, char* buffer, uint32_t size) {
  DisplayString(AceKind::kExpression, code, buffer, size);
}

void WINAPI GetConditionTitle(void*, int32_t code, int32_t param, char* buffer, uint32_t size) {
  ParamTitle(AceKind::kCondition, code, param, buffer, size);
}
void WINAPI GetActionTitle(void*, int32_t code, int32_t param, char* buffer, uint32_t size) {
  ParamTitle(AceKind::kAction, code, param, buffer, size);
}
void WINAPI GetExpressionTitle(void*, int32_t code, char* buffer, uint32_t size) {
  ParamTitle(AceKind::kExpression, code, 0, buffer, size);
}

// The name of an expression's parameter; codes and parameters that do not
// exist leave the buffer as it is.
void WINAPI GetExpressionParam(void*, int32_t code, int32_t param, char* buffer, uint32_t size) {
  const zu::AceEntryDesc* entry = EntryOf(AceKind::kExpression, code);
  if (entry == nullptr || param < 0 || param >= entry->paramCount) return;
  zu::CopyBounded(buffer, size, entry->params[param].title);
}

}  // extern "C"
