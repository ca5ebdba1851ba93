// The named arguments of one step, as the caller sent them.
#pragma once

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/uno/Sequence.hxx>

namespace pressmoor::office::libreoffice::component {

namespace css = ::com::sun::star;

class StepArguments {
 public:
  explicit StepArguments(const css::uno::Sequence<css::beans::NamedValue>& values) : values_(values) {}

  // The value named `name`, void when there is none.
  css::uno::Any Value(const char* name) const {
    for (const css::beans::NamedValue& value : values_) {
      if (value.Name.equalsAscii(name)) return value.Value;
    }
    return css::uno::Any();
  }

  // The value named `name` as a `T`; throws IllegalArgumentException when it
  // is missing or of another type.
  template <typename T>
  T Get(const char* name) const {
    T typed{};
    if (!(Value(name) >>= typed)) {
      throw css::lang::IllegalArgumentException(
          "The step's argument " + ::rtl::OUString::createFromAscii(name) + " is missing.", {}, 0);
    }
    return typed;
  }

 private:
  css::uno::Sequence<css::beans::NamedValue> values_;
};

}  // namespace pressmoor::office::libreoffice::component
