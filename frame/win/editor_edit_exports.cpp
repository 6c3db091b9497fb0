// Edit-time exports: the object's edit data, its property sheet, the object
// information the editor shows, and the entries the editor only needs to find.
// Exported through frame/win/exports_editor.def under their plain names.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "frame/editor_data.h"
#include "frame/editor_properties.h"
#include "frame/editor_text.h"
#include "frame/editor_values.h"

namespace {

using zu::EditData;

// The editor's callback: (edit data, function code, three 32-bit arguments).
using EditorCallback = int(WINAPI*)(void* editData, uint32_t code, uintptr_t a, uintptr_t b,
                                    uintptr_t c);

void CallEditor(const void* editor, void* editData, uint32_t code, uintptr_t a, uintptr_t b,
                uintptr_t c) {
  if (editor == nullptr) return;
  EditorCallback callback;
  std::memcpy(&callback, static_cast<const char*>(editor) + zu::kEditorCallbackOffset,
              sizeof(callback));
  if (callback != nullptr) callback(editData, code, a, b, c);
}

}  // namespace

extern "C" {

// --- Edit data --------------------------------------------------------------

int32_t WINAPI CreateObject(void*, void*, EditData* edit) {
  if (edit != nullptr) zu::SetEditDefaults(edit);
  return 0;
}

// Replaces a record older than version 2 by a new one holding the old header
// and the default settings; the new block belongs to the host. Null keeps the
// old record, also when the allocation fails.
EditData* WINAPI UpdateEditStructure(void*, EditData* old) {
  if (old == nullptr || !zu::EditDataNeedsConversion(*old)) return nullptr;
  EditData* fresh = static_cast<EditData*>(GlobalAlloc(GPTR, zu::kEditDataSize));
  if (fresh == nullptr) return nullptr;
  zu::ConvertEditData(old, fresh);
  return fresh;
}

int32_t WINAPI LoadObject(void*, void*, void*, int32_t) { return 0; }

// --- Properties ---------------------------------------------------------------

int32_t WINAPI GetProperties(void* editor, EditData* edit, int32_t) {
  CallEditor(editor, edit, zu::kEditorInsertProperties,
             reinterpret_cast<uintptr_t>(zu::kPropertyTable), 1, 1);
  return 1;
}

void WINAPI ReleaseProperties(void*, void*, int32_t) {}

void* WINAPI GetPropCreateParam(void*, void*, uint32_t) { return nullptr; }

void WINAPI ReleasePropCreateParam(void*, void*, uint32_t, void*) {}

zu::CPropValue* WINAPI GetPropValue(void*, EditData* edit, uint32_t id) {
  if (edit == nullptr || !zu::IsNumberProp(id)) return nullptr;
  return zu::CPropDWordValue::Create(edit->bufferLength);
}

void WINAPI SetPropValue(void*, EditData* edit, uint32_t id, zu::CPropValue* value) {
  if (edit == nullptr || value == nullptr || !zu::IsNumberProp(id)) return;
  edit->bufferLength = zu::DWordOf(value);
}

uint32_t WINAPI GetPropCheck(void*, EditData* edit, uint32_t id) {
  return edit != nullptr ? zu::PropCheckOf(*edit, id) : 0;
}

void WINAPI SetPropCheck(void* editor, EditData* edit, uint32_t id, uint32_t check) {
  if (edit == nullptr) return;
  if (zu::StorePropCheck(edit, id, check)) {
    CallEditor(editor, edit, zu::kEditorPropertyChanged, 0, 0, 0);
  }
}

int32_t WINAPI EditProp(void*, void*, uint32_t) { return 0; }

int32_t WINAPI IsPropEnabled(void*, void*, uint32_t) { return 1; }

// --- Object information -------------------------------------------------------

uint32_t WINAPI GetInfos(uint32_t code) { return zu::InfoValue(code); }

// The host's buffer sizes are not part of the call; each copy assumes
// kObjInfoBufferSize bytes, which every text fits.
void WINAPI GetObjInfos(void*, void*, char* name, char* author, char* copyright, char* description,
                        char* web) {
  zu::CopyBounded(name, zu::kObjInfoBufferSize, zu::kObjName);
  zu::CopyBounded(author, zu::kObjInfoBufferSize, zu::kObjAuthor);
  zu::CopyBounded(copyright, zu::kObjInfoBufferSize, zu::kObjCopyright);
  zu::CopyBounded(description, zu::kObjInfoBufferSize, zu::kObjDescription);
  zu::CopyBounded(web, zu::kObjInfoBufferSize, zu::kObjWebAddress);
}

const char* WINAPI GetHelpFileName() { return zu::kHelpFileName; }

// The one export in the C calling convention: no further files needed.
const char** __cdecl GetDependencies() { return nullptr; }

int32_t WINAPI GetRegID() { return -1; }

// --- Frame editor display -----------------------------------------------------

void WINAPI GetObjectRect(void*, RECT* rect, void*, void*) {
  if (rect == nullptr) return;
  rect->right = rect->left + 32;
  rect->bottom = rect->top + 32;
}

int32_t WINAPI GetFilters(void*, void*, uint32_t flags, void*) { return (flags & 2) != 0 ? 1 : 0; }

int32_t WINAPI IsTransparent(void*, void*, void*, int32_t, int32_t) { return 0; }

// --- Entries with nothing to do -----------------------------------------------

void WINAPI CreateFromFile(void*, void*, void*) {}
void WINAPI DuplicateObject(void*, void*, void*) {}
void WINAPI EditParameter(void*, uint32_t, void*) {}
void WINAPI InitParameter(void*, uint32_t, void*) {}
void WINAPI PrepareToWriteObject(void*, void*, void*) {}
void WINAPI SetTextAlignment(void*, void*, uint32_t) {}
void WINAPI SetTextClr(void*, void*, uint32_t) {}
void WINAPI UnloadObject(void*, void*, int32_t) {}
void WINAPI GetParameterString(void*, uint32_t, void*, char*, int32_t) {}
uint32_t WINAPI GetTextAlignment(void*, void*) { return 0; }
uint32_t WINAPI GetTextCaps(void*, void*) { return 0; }
uint32_t WINAPI GetTextClr(void*, void*) { return 0; }
int32_t WINAPI Initialize(void*, int32_t) { return 0; }
int32_t WINAPI UsesFile(void*, char*) { return 0; }
int32_t WINAPI GetTextFont(void*, void*, void*, char*, int32_t) { return 1; }
int32_t WINAPI EditObject(void*, void*, void*, void*) { return 1; }
int32_t WINAPI SetTextFont(void*, void*, void*, char*) { return 1; }
void WINAPI PutObject(void*, void*, void*, uint32_t) {}
void WINAPI RemoveObject(void*, void*, void*, uint32_t) {}
void WINAPI UpdateFileNames(void*, char*, void*, void*) {}

}  // extern "C"
