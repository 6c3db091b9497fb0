#include "frame/editor_values.h"

#include <new>

namespace zu {

CPropDWordValue* CPropDWordValue::Create(uint32_t value) {
  return new (std::nothrow) CPropDWordValue(value);
}

void* CPropDWordValue::DeletingDestructor(uint32_t flags) {
  if (flags & 1) {
    delete this;
  }
  return this;
}

void CPropDWordValue::Destroy() { delete this; }

CPropValue* CPropDWordValue::Clone() { return Create(dwordValue); }

int32_t CPropDWordValue::Equals(CPropValue* other) {
  if (other == nullptr) return 0;
  return DWordOf(other) == dwordValue ? 1 : 0;
}

uint32_t CPropDWordValue::TypeTag() { return kTypeTag; }

}  // namespace zu
