#pragma once
// The editor's condition, action and expression menus, as the list of
// builder operations that produces each of them.

#include <cstddef>

namespace zu {

/// Menu resource ids, one per kind; they pick the tree to build.
constexpr int kActionMenuResource = 20000;
constexpr int kConditionMenuResource = 20001;
constexpr int kExpressionMenuResource = 20002;

/// Builder operation codes; an id above 0 appends a command item.
constexpr int kMenuOpenPopup = -1;   ///< start a popup named by the text
constexpr int kMenuClosePopup = -2;  ///< attach the top popup to the menu beneath
constexpr int kMenuSeparator = -3;   ///< append a separator

struct MenuOp {
  int id;
  const char* text;
};

struct MenuOps {
  const MenuOp* ops;
  size_t count;
};

/// The operations for one of the three menu resource ids; empty for others.
MenuOps MenuOpsFor(int menuResource);

}  // namespace zu
