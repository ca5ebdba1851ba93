// Basic run inside the office. A read or write that would cost a round trip
// per property over the bridge (every page style of a document, say) costs
// one call in all: the office's own objects answer each other in-process.
//
// A module goes into the office's application Basic, in a library of ours,
// the first time it is named, replacing what an earlier run left in the
// profile. By convention a function returns an array, or on a Basic error
// the error's text as a string, so no error dialog is ever raised.
#pragma once

#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>
#include <set>
#include <string>

namespace pressmoor::office::libreoffice {

namespace css = ::com::sun::star;

struct BasicModule {
  const char* name;
  const char* source;
};

// The elements of a Basic function's array. Basic types an array by what
// it holds (an array of arrays comes back as a sequence of sequences, an
// array of strings as a sequence of strings); throws
// css::uno::RuntimeException for anything else.
css::uno::Sequence<css::uno::Any> BasicRows(const css::uno::Any& value);

// One per office; not thread-safe, like the session that owns it.
class OfficeScripts {
 public:
  // Calls `function` of `module` with `arguments` and returns its array.
  // Throws css::uno::RuntimeException with the text of a Basic error, and
  // what the office throws when it cannot run Basic. Valid inside
  // OfficeSession::Run.
  css::uno::Any Call(const css::uno::Reference<css::uno::XComponentContext>& context,
                     const BasicModule& module, const char* function,
                     const css::uno::Sequence<css::uno::Any>& arguments);

 private:
  void Install(const css::uno::Reference<css::uno::XComponentContext>& context,
               const BasicModule& module);

  css::uno::Reference<css::script::provider::XScriptProvider> provider_;
  std::set<std::string> installed_;
  std::map<std::string, css::uno::Reference<css::script::provider::XScript>> scripts_;
};

}  // namespace pressmoor::office::libreoffice
