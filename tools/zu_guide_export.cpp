// zu-guide-export: writes the object's conditions, actions and expressions as
// JSON for the author's guide: for each entry its kind, code, display text,
// flags, result kind, parameters (type and title) and where the editor's menu
// offers it. The guide's reference is built from this output, so it lists
// exactly what the module registers.
//
// usage: zu-guide-export             the entries (writes to standard output)
//        zu-guide-export --presets   the preset table: index, name, action text
// Exit status: 0 written, 1 standard output failed, 2 arguments given.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "frame/ace_table.h"
#include "frame/editor_menus.h"
#include "generator/presets.h"

namespace {

struct GuideParam {
  uint16_t type;
  std::string title;
};

struct GuideEntry {
  zu::AceKind kind;
  int code;
  std::string name;
  std::string displayText;
  uint16_t flags;
  std::vector<GuideParam> params;
};

// The one place that reads the registry's entries; everything below works on
// its result.
std::vector<GuideEntry> ReadEntries() {
  std::vector<GuideEntry> entries;
  for (const zu::AceEntryDesc& desc : zu::kAceTable) {
    GuideEntry entry{desc.kind, desc.code, desc.name, desc.displayText, desc.flags, {}};
    for (int j = 0; j < desc.paramCount; ++j) {
      entry.params.push_back({desc.params[j].type, desc.params[j].title});
    }
    entries.push_back(entry);
  }
  return entries;
}

const char* KindName(zu::AceKind kind) {
  switch (kind) {
    case zu::AceKind::kCondition:
      return "condition";
    case zu::AceKind::kAction:
      return "action";
    case zu::AceKind::kExpression:
      return "expression";
  }
  return "";
}

int MenuResource(zu::AceKind kind) {
  switch (kind) {
    case zu::AceKind::kCondition:
      return zu::kConditionMenuResource;
    case zu::AceKind::kAction:
      return zu::kActionMenuResource;
    case zu::AceKind::kExpression:
      return zu::kExpressionMenuResource;
  }
  return 0;
}

const char* ParamTypeName(uint16_t type) {
  switch (type) {
    case zu::kParamNumber:
      return "number";
    case zu::kParamText:
      return "text";
    case zu::kParamFile:
      return "file name";
    case zu::kParamExprInt:
      return "integer";
    case zu::kParamExprString:
      return "string";
  }
  return "unknown";
}

const char* ResultName(const GuideEntry& entry) {
  if (entry.kind != zu::AceKind::kExpression) return "";
  switch (entry.flags) {
    case zu::kResultInt:
      return "integer";
    case zu::kResultString:
      return "string";
    case zu::kResultFloat:
      return "float";
  }
  return "unknown";
}

// The menu path ("Playback", "With parameters", "Play") of the item with this
// command id, or an empty list when the menu does not offer it.
std::vector<std::string> MenuPath(zu::AceKind kind, int menuId) {
  const zu::MenuOps ops = zu::MenuOpsFor(MenuResource(kind));
  std::vector<std::string> open;
  for (size_t i = 0; i < ops.count; ++i) {
    const zu::MenuOp& op = ops.ops[i];
    if (op.id == zu::kMenuOpenPopup) {
      open.push_back(op.text);
    } else if (op.id == zu::kMenuClosePopup) {
      if (!open.empty()) open.pop_back();
    } else if (op.id == menuId) {
      open.push_back(op.text);
      return open;
    }
  }
  return {};
}

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string ExportJson(const std::vector<GuideEntry>& entries) {
  std::string out = "[\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    const GuideEntry& e = entries[i];
    const int menuId = zu::MenuIdBase(e.kind) + 10 * e.code;
    out += "  {\"kind\": " + Json(KindName(e.kind)) + ", \"code\": " + std::to_string(e.code) +
           ", \"name\": " + Json(e.name) + ", \"displayText\": " + Json(e.displayText) +
           ", \"flags\": " + std::to_string(e.flags) + ", \"result\": " + Json(ResultName(e)) +
           ",\n   \"menu\": [";
    const std::vector<std::string> path = MenuPath(e.kind, menuId);
    for (size_t k = 0; k < path.size(); ++k) out += (k ? ", " : "") + Json(path[k]);
    out += "],\n   \"params\": [";
    for (size_t j = 0; j < e.params.size(); ++j) {
      out += std::string(j ? ", " : "") + "{\"type\": " + std::to_string(e.params[j].type) +
             ", \"typeName\": " + Json(ParamTypeName(e.params[j].type)) +
             ", \"title\": " + Json(e.params[j].title) + "}";
    }
    out += std::string("]}") + (i + 1 < entries.size() ? ",\n" : "\n");
  }
  return out + "]\n";
}

// The preset table: index, the tool's name and the action's display text.
std::string ExportPresets() {
  std::string out = "[\n";
  for (uint32_t i = 0; i < zu::kPresetCount; ++i) {
    const zu::PresetDesc& p = zu::kPresets[i];
    out += "  {\"index\": " + std::to_string(i) + ", \"name\": " + Json(p.name) +
           ", \"action\": " + Json(p.actionText) + "}" + (i + 1 < zu::kPresetCount ? ",\n" : "\n");
  }
  return out + "]\n";
}

}  // namespace

int main(int argc, char** argv) {
  const bool presets = argc == 2 && std::string(argv[1]) == "--presets";
  if (argc > 1 && !presets) {
    std::fprintf(stderr, "usage: zu-guide-export [--presets]  (writes JSON to standard output)\n");
    return 2;
  }
  const std::string json = presets ? ExportPresets() : ExportJson(ReadEntries());
  std::fwrite(json.data(), 1, json.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
