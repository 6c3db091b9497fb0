#pragma once
// Property-value objects exchanged with the host's editor. The host calls them
// through their virtual table with its own compiler's conventions: one slot
// for the destructor (slot 0), then Destroy, Clone, Equals and TypeTag, each
// with `this` in ECX and the callee popping its arguments. A C++ virtual
// destructor would take two slots here, so slot 0 is an explicit
// deleting-destructor entry instead and there is no virtual destructor.

#include <cstdint>

#if defined(__i386__)
#define ZU_THISCALL __attribute__((thiscall))
#else
#define ZU_THISCALL
#endif

namespace zu {

class CPropValue {
 public:
  /// Slot 0, the host's deleting destructor: destroys the object and, when
  /// bit 0 of `flags` is set, frees it. Returns the object's address.
  virtual void* ZU_THISCALL DeletingDestructor(uint32_t flags) = 0;
  /// Slot 1: destroys and frees the object with the module's allocator.
  virtual void ZU_THISCALL Destroy() = 0;
  /// Slot 2: a new object with the same value, or null when memory runs out.
  virtual CPropValue* ZU_THISCALL Clone() = 0;
  /// Slot 3: 1 when both hold the same value, else 0.
  virtual int32_t ZU_THISCALL Equals(CPropValue* other) = 0;
  /// Slot 4: the type's tag.
  virtual uint32_t ZU_THISCALL TypeTag() = 0;

 protected:
  CPropValue() = default;
  ~CPropValue() = default;
};

class CPropDWordValue final : public CPropValue {
 public:
  static constexpr uint32_t kTypeTag = 0x44575244;  ///< 'D' 'W' 'R' 'D'

  explicit CPropDWordValue(uint32_t value) : dwordValue(value) {}

  /// Allocates with the module's allocator; null when memory runs out.
  static CPropDWordValue* Create(uint32_t value);

  void* ZU_THISCALL DeletingDestructor(uint32_t flags) override;
  void ZU_THISCALL Destroy() override;
  CPropValue* ZU_THISCALL Clone() override;
  /// The other object is taken as a CPropDWordValue, as the host's protocol has
  /// it; a null one compares unequal.
  int32_t ZU_THISCALL Equals(CPropValue* other) override;
  uint32_t ZU_THISCALL TypeTag() override;

  uint32_t dwordValue;
};

/// Reads the number that a host value object carries (the word after its
/// virtual table pointer).
inline uint32_t DWordOf(CPropValue* value) {
  return static_cast<CPropDWordValue*>(value)->dwordValue;
}

}  // namespace zu
