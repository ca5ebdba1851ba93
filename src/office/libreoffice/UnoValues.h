// Small builders for the values UNO calls take.
#pragma once

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>

#include <string>
#include <vector>

#include "OfficeSession.h"

namespace pressmoor::office::libreoffice {

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value);
css::beans::NamedValue Named(const char* name, const css::uno::Any& value);
// The rows of one row of a step's result; throws css::uno::RuntimeException
// when it holds none.
css::uno::Sequence<css::uno::Any> Rows(const css::uno::Any& value);
css::uno::Sequence<css::beans::PropertyValue> AsSequence(
    const std::vector<css::beans::PropertyValue>& values);
// The file URL of an absolute path; empty when the path has none.
::rtl::OUString FileUrl(const std::string& path);

}  // namespace pressmoor::office::libreoffice
