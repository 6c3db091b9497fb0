// Calls into the host's run-time callbacks.
#include "frame/win/host_runtime.h"

#include <cstring>

namespace zu {

namespace {

const char kEmptyString[] = "";

int32_t Call(RunData* rd, HostCallback RunHeader::*field, int32_t a, int32_t b) {
  HostCallback callback = CallbackOf(rd, field);
  return callback ? callback(rd, a, b) : 0;
}

int32_t PointerValue(const void* p) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(p)); }

}  // namespace

int32_t ParamReader::FetchFirstParam(RunData* runObject, int32_t token, int32_t type) {
  fetch_ = &ParamReader::FetchNextParam;
  return Call(runObject, &RunHeader::firstExprParam, type, token);
}

int32_t ParamReader::FetchNextParam(RunData* runObject, int32_t token, int32_t type) {
  return Call(runObject, &RunHeader::nextExprParam, type, token);
}

void PushEvent(RunData* rd, int32_t code) { Call(rd, &RunHeader::eventPush, code, 0); }

int32_t FetchActionInt(RunData* rd) {
  return Call(rd, &RunHeader::getActionParam, kActionParamInt, 0);
}

uint32_t FetchActionFloatBits(RunData* rd) {
  return static_cast<uint32_t>(Call(rd, &RunHeader::getActionParam, kActionParamFloat, 0));
}

const char* TextArg(int32_t value) {
  const char* text =
      reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<uint32_t>(value)));
  return text ? text : kEmptyString;
}

const char* FetchActionString(RunData* rd) {
  return TextArg(Call(rd, &RunHeader::getActionParam, kActionParamString, 0));
}

int32_t ReturnFloatBits(RunData* rd, uint32_t bits) {
  MarkResult(rd, kFloatResultFlag);
  return static_cast<int32_t>(bits);
}

int32_t ReturnString(RunData* rd, const char* text) {
  const size_t length = std::strlen(text);
  char* block = reinterpret_cast<char*>(static_cast<uintptr_t>(
      Call(rd, &RunHeader::stringResult, 0, static_cast<int32_t>(length + 1))));
  MarkResult(rd, kStringResultFlag);
  if (block == nullptr) return PointerValue(kEmptyString);
  std::memcpy(block, text, length + 1);
  return PointerValue(block);
}

int32_t ReturnEmptyString(RunData* rd) {
  MarkResult(rd, kStringResultFlag);
  return PointerValue(kEmptyString);
}

ParamReader& ReaderFor(RunData* rd, ParamReader& fallback) {
  ParamReader& reader = rd->paramReader ? *rd->paramReader : fallback;
  reader.Reset();
  return reader;
}

}  // namespace zu
