// Edit-time entries of the built module: edit data, properties and the value
// objects called through their virtual table as the host calls them, object
// information, the stack bytes every entry removes, and the resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HMODULE Module() {
  static HMODULE module = LoadLibraryA("ZiderUzazir.dll");
  return module;
}

FARPROC Proc(const char* name) { return GetProcAddress(Module(), name); }

template <typename F>
F Export(const char* name) {
  FARPROC proc = Proc(name);
  EXPECT_NE(proc, nullptr) << name;
  return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

class EditDllTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Module(), nullptr) << "ZiderUzazir.dll did not load"; }
};

// The edit data as the host lays it out, written independently of the module.
#pragma pack(push, 1)
struct HostEditData {
  uint32_t size;
  uint32_t word4;
  uint32_t version;
  uint32_t word12;
  uint32_t word16;
  uint8_t reserved;
  uint8_t enableGenerator;
  uint16_t padding;
  uint32_t bufferLength;
};
#pragma pack(pop)
static_assert(sizeof(HostEditData) == 28, "host edit data");

// --- Edit data ----------------------------------------------------------------

TEST_F(EditDllTest, NewObjectGetsDefaultsAndKeepsTheHeader) {
  auto create = Export<int32_t(WINAPI*)(void*, void*, HostEditData*)>("CreateObject");
  HostEditData data;
  std::memset(&data, 0x5A, sizeof(data));
  EXPECT_EQ(create(nullptr, nullptr, &data), 0);
  EXPECT_EQ(data.reserved, 0);
  EXPECT_EQ(data.enableGenerator, 1);
  EXPECT_EQ(data.bufferLength, 5u);
  EXPECT_EQ(data.size, 0x5A5A5A5Au);
  EXPECT_EQ(data.word16, 0x5A5A5A5Au);
}

TEST_F(EditDllTest, OldRecordsAreReplaced) {
  auto update = Export<HostEditData*(WINAPI*)(void*, HostEditData*)>("UpdateEditStructure");
  HostEditData old;
  std::memset(&old, 0x77, sizeof(old));
  old.size = 24;
  old.word4 = 0x01020304;
  old.word12 = 0x0A0B0C0D;
  old.word16 = 0xCAFEF00D;
  for (uint32_t version : {0u, 1u}) {
    old.version = version;
    HostEditData* fresh = update(nullptr, &old);
    ASSERT_NE(fresh, nullptr) << version;
    EXPECT_NE(fresh, &old);
    EXPECT_GE(GlobalSize(GlobalHandle(fresh)), 28u);
    EXPECT_EQ(GlobalFlags(GlobalHandle(fresh)) & GMEM_DISCARDED, 0u);
    EXPECT_EQ(fresh->size, 28u);
    EXPECT_EQ(fresh->word4, 0x01020304u);
    EXPECT_EQ(fresh->version, 2u);
    EXPECT_EQ(fresh->word12, 0x0A0B0C0Du);
    EXPECT_EQ(fresh->word16, 0xCAFEF00Du);
    EXPECT_EQ(fresh->reserved, 0);
    EXPECT_EQ(fresh->enableGenerator, 1);
    EXPECT_EQ(fresh->padding, 0);
    EXPECT_EQ(fresh->bufferLength, 5u);
    EXPECT_EQ(old.version, version);  // the old record is left alone
    EXPECT_EQ(old.bufferLength, 0x77777777u);
    EXPECT_EQ(GlobalFree(fresh), nullptr);
  }
  for (uint32_t version : {2u, 3u}) {
    old.version = version;
    EXPECT_EQ(update(nullptr, &old), nullptr) << version;
  }
  EXPECT_EQ(Export<int32_t(WINAPI*)(void*, void*, void*, int32_t)>("LoadObject")(nullptr, nullptr,
                                                                                 nullptr, 0),
            0);
}

// --- Properties and value objects ---------------------------------------------

// A stand-in for the editor interface record: a __stdcall callback at 0x154
// that records its calls.
struct CallbackCall {
  void* edit;
  uint32_t code;
  uintptr_t a, b, c;
};
std::vector<CallbackCall> g_calls;

int WINAPI RecordCall(void* edit, uint32_t code, uintptr_t a, uintptr_t b, uintptr_t c) {
  g_calls.push_back({edit, code, a, b, c});
  return 0x1234;
}

struct FakeEditor {
  FakeEditor() {
    std::memset(bytes, 0xCC, sizeof(bytes));
    auto callback = &RecordCall;
    std::memcpy(bytes + 0x154, &callback, sizeof(callback));
  }
  unsigned char bytes[0x200];
};

struct PropRow {
  uint32_t id;
  const char* name;
  const char* info;
  uint32_t type;
  uint32_t options;
  const uint32_t* param;
};
static_assert(sizeof(PropRow) == 24, "host property row");

TEST_F(EditDllTest, GetPropertiesHandsTheTableToTheEditor) {
  auto get = Export<int32_t(WINAPI*)(void*, HostEditData*, int32_t)>("GetProperties");
  FakeEditor editor;
  HostEditData data{};
  g_calls.clear();
  EXPECT_EQ(get(editor.bytes, &data, 0), 1);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].edit, &data);
  EXPECT_EQ(g_calls[0].code, 1u);
  EXPECT_EQ(g_calls[0].b, 1u);
  EXPECT_EQ(g_calls[0].c, 1u);
  const PropRow* rows = reinterpret_cast<const PropRow*>(g_calls[0].a);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows[0].id, 0x80001u);
  EXPECT_STREQ(rows[0].name, "Generator");
  EXPECT_EQ(rows[0].type, 14u);
  EXPECT_EQ(rows[1].id, 0x80002u);
  EXPECT_STREQ(rows[1].name, "Enable generator");
  EXPECT_EQ(rows[1].type, 10u);
  EXPECT_EQ(rows[1].options, 1u);
  EXPECT_EQ(rows[2].id, 0x80003u);
  EXPECT_STREQ(rows[2].name, "Buffer length");
  EXPECT_EQ(rows[2].type, 11u);
  EXPECT_EQ(rows[2].options, 4u);
  ASSERT_NE(rows[2].param, nullptr);
  EXPECT_EQ(rows[2].param[0], 0u);
  EXPECT_EQ(rows[2].param[1], 10u);
  const PropRow zero{};
  EXPECT_EQ(std::memcmp(&rows[3], &zero, sizeof(zero)), 0);
}

// The value object's virtual table as the host's compiler sees it: thiscall
// entries, one destructor slot first.
using DeletingDtorFn = void*(__attribute__((thiscall)) *)(void*, uint32_t);
using DestroyFn = void(__attribute__((thiscall)) *)(void*);
using CloneFn = void*(__attribute__((thiscall)) *)(void*);
using EqualsFn = int32_t(__attribute__((thiscall)) *)(void*, void*);
using TypeTagFn = uint32_t(__attribute__((thiscall)) *)(void*);

void* Slot(void* object, int slot) { return (*static_cast<void***>(object))[slot]; }
uint32_t ValueOf(void* object) { return static_cast<uint32_t*>(object)[1]; }

TEST_F(EditDllTest, NumberPropertyThroughHostValueObjects) {
  auto getValue = Export<void*(WINAPI*)(void*, HostEditData*, uint32_t)>("GetPropValue");
  auto setValue = Export<void(WINAPI*)(void*, HostEditData*, uint32_t, void*)>("SetPropValue");
  HostEditData data{};
  data.bufferLength = 7;

  EXPECT_EQ(getValue(nullptr, &data, 0x80002), nullptr);
  EXPECT_EQ(getValue(nullptr, &data, 0x80001), nullptr);
  void* value = getValue(nullptr, &data, 0x80003);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(ValueOf(value), 7u);

  EXPECT_EQ(reinterpret_cast<TypeTagFn>(Slot(value, 4))(value), 0x44575244u);
  void* copy = reinterpret_cast<CloneFn>(Slot(value, 2))(value);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, value);
  EXPECT_EQ(ValueOf(copy), 7u);
  EXPECT_EQ(reinterpret_cast<EqualsFn>(Slot(value, 3))(value, copy), 1);
  static_cast<uint32_t*>(copy)[1] = 8;
  EXPECT_EQ(reinterpret_cast<EqualsFn>(Slot(value, 3))(value, copy), 0);
  EXPECT_EQ(reinterpret_cast<DeletingDtorFn>(Slot(copy, 0))(copy, 1), copy);
  reinterpret_cast<DestroyFn>(Slot(value, 1))(value);

  // The host hands its own object: only the word after the table pointer counts.
  struct {
    void* table;
    uint32_t value;
  } host_value{nullptr, 50};
  setValue(nullptr, &data, 0x80003, &host_value);
  EXPECT_EQ(data.bufferLength, 50u);  // no range check at edit time
  host_value.value = 3;
  setValue(nullptr, &data, 0x80002, &host_value);
  setValue(nullptr, &data, 0x80001, &host_value);
  EXPECT_EQ(data.bufferLength, 50u);
  EXPECT_EQ(data.enableGenerator, 0);
}

TEST_F(EditDllTest, CheckBoxProperty) {
  auto getCheck = Export<uint32_t(WINAPI*)(void*, HostEditData*, uint32_t)>("GetPropCheck");
  auto setCheck = Export<void(WINAPI*)(void*, HostEditData*, uint32_t, uint32_t)>("SetPropCheck");
  FakeEditor editor;
  HostEditData data{};
  data.enableGenerator = 1;
  data.bufferLength = 5;
  EXPECT_EQ(getCheck(nullptr, &data, 0x80002), 1u);
  EXPECT_EQ(getCheck(nullptr, &data, 0x80003), 0u);
  EXPECT_EQ(getCheck(nullptr, &data, 0x80001), 0u);

  g_calls.clear();
  const HostEditData before = data;
  setCheck(editor.bytes, &data, 0x80003, 0);
  setCheck(editor.bytes, &data, 0x80001, 0);
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(std::memcmp(&before, &data, sizeof(data)), 0);

  setCheck(editor.bytes, &data, 0x80002, 0);
  EXPECT_EQ(data.enableGenerator, 0);
  EXPECT_EQ(getCheck(nullptr, &data, 0x80002), 0u);
  setCheck(editor.bytes, &data, 0x80002, 7);
  EXPECT_EQ(data.enableGenerator, 1);
  ASSERT_EQ(g_calls.size(), 2u);
  for (const CallbackCall& call : g_calls) {
    EXPECT_EQ(call.edit, &data);
    EXPECT_EQ(call.code, 18u);
    EXPECT_EQ(call.a, 0u);
    EXPECT_EQ(call.b, 0u);
    EXPECT_EQ(call.c, 0u);
  }

  EXPECT_EQ(Export<int32_t(WINAPI*)(void*, void*, uint32_t)>("EditProp")(nullptr, &data, 0x80003),
            0);
  EXPECT_EQ(
      Export<int32_t(WINAPI*)(void*, void*, uint32_t)>("IsPropEnabled")(nullptr, &data, 0x80002),
      1);
  EXPECT_EQ(
      Export<void*(WINAPI*)(void*, void*, uint32_t)>("GetPropCreateParam")(nullptr, &data, 0x80003),
      nullptr);
}

// --- Object information and display -------------------------------------------

TEST_F(EditDllTest, ObjectInformation) {
  auto infos = Export<uint32_t(WINAPI*)(uint32_t)>("GetInfos");
  const uint32_t expected[] = {0x300, 0, 0x100, 0, 0, 0, 2, 248, 0};
  for (uint32_t code = 0; code < 9; ++code) EXPECT_EQ(infos(code), expected[code]) << code;

  auto objInfos =
      Export<void(WINAPI*)(void*, void*, char*, char*, char*, char*, char*)>("GetObjInfos");
  char name[256], author[256], copyright[256], description[256], web[256];
  objInfos(nullptr, nullptr, name, author, copyright, description, web);
  EXPECT_STREQ(name, "Zider Uzazir");
  const std::string text = description;
  EXPECT_EQ(text.rfind("This extension allows you to load and play sounds dynamically (by "
                       "specifying their name in expressions). Also, you can generate cool sound "
                       "effects at runtime",
                       0),
            0u);
  EXPECT_GT(text.size(), 160u);
  EXPECT_GT(std::strlen(author), 0u);
  EXPECT_GT(std::strlen(copyright), 0u);
  EXPECT_GT(std::strlen(web), 0u);

  EXPECT_STREQ(Export<const char*(WINAPI*)()>("GetHelpFileName")(), "Help\\EmptyObject.chm");
  EXPECT_EQ(Export<const char**(__cdecl*)()>("GetDependencies")(), nullptr);
  EXPECT_EQ(Export<int32_t(WINAPI*)()>("GetRegID")(), -1);
}

TEST_F(EditDllTest, RectangleAndFilters) {
  auto rect = Export<void(WINAPI*)(void*, RECT*, void*, void*)>("GetObjectRect");
  RECT r{10, 20, 0, 0};
  rect(nullptr, &r, nullptr, nullptr);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 42);
  EXPECT_EQ(r.bottom, 52);
  RECT negative{-100, -5, 7, 7};
  rect(nullptr, &negative, nullptr, nullptr);
  EXPECT_EQ(negative.right, -68);
  EXPECT_EQ(negative.bottom, 27);

  auto filters = Export<int32_t(WINAPI*)(void*, void*, uint32_t, void*)>("GetFilters");
  EXPECT_EQ(filters(nullptr, nullptr, 2, nullptr), 1);
  EXPECT_EQ(filters(nullptr, nullptr, 3, nullptr), 1);
  EXPECT_EQ(filters(nullptr, nullptr, 0xFFFFFFFF, nullptr), 1);
  EXPECT_EQ(filters(nullptr, nullptr, 1, nullptr), 0);
  EXPECT_EQ(filters(nullptr, nullptr, 4, nullptr), 0);
  EXPECT_EQ(filters(nullptr, nullptr, 0, nullptr), 0);
}

// --- Calling convention of every entry -------------------------------------------

// Calls `fn` with `count` zero arguments; returns the bytes of arguments the
// callee removed from the stack, and its result in *result.
int BytesPopped(FARPROC fn, int count, uint32_t* result) {
  int counter = count;  // argument count in, bytes popped out
  uint32_t value;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "andl $-16, %%esp\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "pushl $0\n\t"
      "decl %%ecx\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "movl %%esp, %%edi\n\t"
      "call *%%ebx\n\t"
      "movl %%esp, %%ecx\n\t"
      "subl %%edi, %%ecx\n\t"
      "movl %%esi, %%esp\n\t"
      : "+c"(counter), "=a"(value)
      : "b"(fn)
      : "edx", "esi", "edi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6",
        "xmm7");
  *result = value;
  return counter;
}

struct EntryShape {
  const char* name;
  int args;
  int result;  // expected result with all-zero arguments; -2 when not checked
};

TEST_F(EditDllTest, EveryEntryPopsItsArgumentsAndAnswersZeroArguments) {
  const EntryShape shapes[] = {
      {"GetConditionMenu", 3, -2},
      {"GetActionMenu", 3, -2},
      {"GetExpressionMenu", 3, -2},
      {"GetConditionCodeFromMenu", 2, -1},
      {"GetActionCodeFromMenu", 2, -1},
      {"GetExpressionCodeFromMenu", 2, -1},
      {"GetConditionString", 4, -2},
      {"GetActionString", 4, -2},
      {"GetExpressionString", 4, -2},
      {"GetConditionTitle", 5, -2},
      {"GetActionTitle", 5, -2},
      {"GetExpressionTitle", 4, -2},
      {"GetExpressionParam", 5, -2},
      {"CreateObject", 3, 0},
      {"UpdateEditStructure", 2, 0},
      {"LoadObject", 4, 0},
      {"GetProperties", 3, 1},
      {"ReleaseProperties", 3, -2},
      {"GetPropCreateParam", 3, 0},
      {"ReleasePropCreateParam", 4, -2},
      {"GetPropValue", 3, 0},
      {"SetPropValue", 4, -2},
      {"GetPropCheck", 3, 0},
      {"SetPropCheck", 4, -2},
      {"EditProp", 3, 0},
      {"IsPropEnabled", 3, 1},
      {"GetInfos", 1, 0x300},
      {"GetObjInfos", 7, -2},
      {"GetHelpFileName", 0, -2},
      {"GetDependencies", 0, 0},
      {"GetRegID", 0, -1},
      {"GetObjectRect", 4, -2},
      {"GetFilters", 4, 0},
      {"IsTransparent", 5, 0},
      {"CreateFromFile", 3, -2},
      {"DuplicateObject", 3, -2},
      {"EditParameter", 3, -2},
      {"InitParameter", 3, -2},
      {"PrepareToWriteObject", 3, -2},
      {"SetTextAlignment", 3, -2},
      {"SetTextClr", 3, -2},
      {"UnloadObject", 3, -2},
      {"GetParameterString", 5, -2},
      {"GetTextAlignment", 2, 0},
      {"GetTextCaps", 2, 0},
      {"GetTextClr", 2, 0},
      {"Initialize", 2, 0},
      {"UsesFile", 2, 0},
      {"GetTextFont", 5, 1},
      {"EditObject", 4, 1},
      {"SetTextFont", 4, 1},
      {"PutObject", 4, -2},
      {"RemoveObject", 4, -2},
      {"UpdateFileNames", 4, -2},
  };
  for (const EntryShape& shape : shapes) {
    FARPROC fn = Proc(shape.name);
    ASSERT_NE(fn, nullptr) << shape.name;
    uint32_t result = 0;
    // GetDependencies is the one caller-cleans entry: it removes nothing.
    EXPECT_EQ(BytesPopped(fn, shape.args, &result), 4 * shape.args) << shape.name;
    if (shape.result != -2) {
      EXPECT_EQ(result, static_cast<uint32_t>(shape.result)) << shape.name;
    }
    if (std::strstr(shape.name, "Menu") != nullptr && std::strstr(shape.name, "Code") == nullptr) {
      EXPECT_TRUE(DestroyMenu(reinterpret_cast<HMENU>(result))) << shape.name;
    }
  }
  // Only plain names are exported: no decorated leftovers.
  EXPECT_EQ(Proc("GetActionMenu@12"), nullptr);
  EXPECT_EQ(Proc("_GetActionMenu@12"), nullptr);
}

// --- Resources ----------------------------------------------------------------

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string ResourceBytes(LPCSTR type, LPCSTR name) {
  HRSRC info = FindResourceExA(Module(), type, name, kEnglishUs);
  if (info == nullptr) return std::string();
  HGLOBAL handle = LoadResource(Module(), info);
  const char* bytes = static_cast<const char*>(LockResource(handle));
  return bytes ? std::string(bytes, SizeofResource(Module(), info)) : std::string();
}

std::string ReadSourceFile(const char* relative) {
  const char* root = std::getenv("ZU_SOURCE_DIR");
  std::string path = root ? root : ".";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Unix path under Wine
  path += "/";
  path += relative;
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
  }
  return bytes;
}

TEST_F(EditDllTest, BitmapsAreTheCommittedPicture) {
  const std::string file = ReadSourceFile("resources/speaker.bmp");
  ASSERT_EQ(file.size(), 14u + 40u + 32u * 32u * 3u) << "resources/speaker.bmp not found";
  const std::string b400 = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEA(400));
  const std::string b401 = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEA(401));
  EXPECT_EQ(b400, file.substr(14));  // the resource is the file without its 14-byte header
  EXPECT_EQ(b400, b401);

  ASSERT_EQ(b400.size(), 40u + 3072u);
  BITMAPINFOHEADER header;
  std::memcpy(&header, b400.data(), sizeof(header));
  EXPECT_EQ(header.biWidth, 32);
  EXPECT_EQ(header.biHeight, 32);  // positive: bottom-up rows
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

  const unsigned char* pixels = reinterpret_cast<const unsigned char*>(b400.data()) + 40;
  auto pixel = [&](int x, int row) { return pixels + row * 96 + x * 3; };  // BGR
  int black = 0, white = 0, other = 0;
  for (int row = 0; row < 32; ++row) {
    for (int x = 0; x < 32; ++x) {
      const unsigned char* p = pixel(x, row);
      const bool corner = (x == 0 || x == 31) && (row == 0 || row == 31);
      if (corner) {
        EXPECT_TRUE(p[0] == 255 && p[1] == 0 && p[2] == 255) << x << "," << row;
      } else if (p[0] == 0 && p[1] == 0 && p[2] == 0) {
        ++black;
      } else if (p[0] == 255 && p[1] == 255 && p[2] == 255) {
        ++white;
      } else {
        ++other;
      }
    }
  }
  EXPECT_EQ(other, 0);
  EXPECT_GT(black, 100);  // a drawing, not a blank square
  EXPECT_GT(white, black);

  for (int id : {400, 401}) {
    HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(id));
    ASSERT_NE(bitmap, nullptr) << id;
    BITMAP info;
    ASSERT_NE(GetObjectA(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 32);
    DeleteObject(bitmap);
  }
}

TEST_F(EditDllTest, StringsDataVersionAndManifest) {
  char text[64];
  ASSERT_GT(LoadStringA(Module(), 1, text, sizeof(text)), 0);
  EXPECT_STREQ(text, "QZ2");
  ASSERT_GT(LoadStringA(Module(), 2, text, sizeof(text)), 0);
  EXPECT_STREQ(text, "Zider Uzazir");
  EXPECT_NE(FindResourceExA(Module(), RT_STRING, MAKEINTRESOURCEA(1), kEnglishUs), nullptr);

  EXPECT_EQ(ResourceBytes(RT_RCDATA, MAKEINTRESOURCEA(200)), std::string("\x16\x25\x08\x59", 4));

  const std::string version = ResourceBytes(RT_VERSION, MAKEINTRESOURCEA(1));
  ASSERT_FALSE(version.empty());
  std::vector<char> block(version.begin(), version.end());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04E4);
  for (const char* key : {"CompanyName", "FileDescription", "FileVersion", "ProductName",
                          "ProductVersion", "LegalCopyright"}) {
    char* value = nullptr;
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + key;
    if (VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
      EXPECT_STREQ(value, "") << key;
    }
  }

  const std::string manifest = ResourceBytes(RT_MANIFEST, MAKEINTRESOURCEA(2));
  EXPECT_NE(manifest.find("requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
}

}  // namespace
