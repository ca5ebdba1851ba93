#include "DocumentLoading.h"

#include "OfficeStepNames.h"
#include "UnoValues.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include <algorithm>
#include <functional>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/ByteText.h"


namespace pressmoor::office::libreoffice {
namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Enough of a file to recognise its format.
std::string ReadStart(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string start(16, '\0');
  file.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(file.gcount()));
  return start;
}

// The page behind a declaration of `charset`, which the office's web page
// import honours as if the page had made it. The URL still names the file,
// so links and pictures resolve as before.
Sequence<sal_Int8> PageDeclaring(const std::string& charset, const std::string& page) {
  const std::string declared =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">" + page;
  return Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(declared.data()),
                            static_cast<sal_Int32>(declared.size()));
}

// A path with no file URL is as good as a missing file.
::rtl::OUString DocumentUrl(const std::string& path) {
  ::rtl::OUString url = FileUrl(path);
  if (url.isEmpty()) throw css::lang::IllegalArgumentException();
  return url;
}

// Whether the facts from row `first` of a Load answer show a document of
// `kind` read by a filter that fits the name of `path`.
bool LoadedAsNamed(const Sequence<Any>& loaded, sal_Int32 first, DocumentKind kind, const std::string& path) {
  bool text = false;
  bool web = false;
  bool sheet = false;
  bool slides = false;
  ::rtl::OUString filter;
  if (loaded.getLength() < first + 5 || !(loaded[first] >>= text) || !(loaded[first + 1] >>= web) ||
      !(loaded[first + 2] >>= sheet) || !(loaded[first + 3] >>= slides) || !(loaded[first + 4] >>= filter)) {
    throw css::uno::RuntimeException("The office did not say what it loaded.");
  }
  const bool ofKind = kind == DocumentKind::Spreadsheet    ? sheet
                      : kind == DocumentKind::Presentation ? slides
                                                           : text || web;
  return ofKind && FilterFitsName(path, FromUno(filter));
}

const char* KindNoun(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::Spreadsheet: return "workbook";
    case DocumentKind::Presentation: return "presentation";
    case DocumentKind::WordProcessing: break;
  }
  return "word-processing document";
}

// Why the file cannot be opened before the office is asked; empty if it may.
std::string ProblemBeforeLoading(const std::string& path) {
  if (path.empty()) return "No file name was given.";
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return "The file " + path + " does not exist.";
  if (S_ISDIR(status.st_mode)) return path + " is a directory, not a document.";
  if (access(path.c_str(), R_OK) != 0) return "The file " + path + " cannot be read.";
  return {};
}

// The office takes file names for UTF-8; one that is not reaches it as a
// link of a plain name in the office's own folder, which goes with the
// office. Valid inside OfficeSession::Run.
std::string NameTheOfficeReads(OfficeSession& session, const std::string& path) {
  if (platform::IsUtf8(path)) return path;
  const std::string extension = std::filesystem::path(path).extension().string();
  const std::string link = session.NewOutputPath(platform::IsUtf8(extension) ? extension : "");
  std::error_code error;
  std::filesystem::create_symlink(path, link, error);
  return error ? path : link;
}

}  // namespace

std::vector<css::beans::NamedValue> LoadArguments(OfficeSession& session, const std::string& path,
                                                  DocumentKind kind) {
  if (const std::string problem = ProblemBeforeLoading(path); !problem.empty()) {
    session.Fail(errors::kCannotOpenFile, problem);
  }
  if (!session.CanRead(path)) {
    session.Fail(errors::kCannotOpenFile, "The file " + path +
                                              " lies outside the folders the office was started "
                                              "to read: those of the documents it was told to expect.");
  }
  const std::string content = ReadWholeToChoose(path) ? ReadAll(path) : ReadStart(path);
  const LoadFilter filter = ChooseLoadFilter(path, content);
  std::vector<PropertyValue> arguments{
      Property("Hidden", Any(true)),
      Property("ReadOnly", Any(true)),
      Property("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
      Property("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE))};
  if (!filter.name.empty()) arguments.push_back(Property("FilterName", Any(ToUno(filter.name))));
  if (!filter.options.empty()) {
    arguments.push_back(Property("FilterOptions", Any(ToUno(filter.options))));
  }
  const bool words = kind == DocumentKind::WordProcessing;
  std::vector<css::beans::NamedValue> step{
      Named(steps::kUrl, Any(DocumentUrl(NameTheOfficeReads(session, path)))),
      Named(steps::kArguments, Any(AsSequence(arguments))),
      Named(steps::kWithoutWindow, Any(words && LoadsWithoutWindow(filter))),
      Named(steps::kHold, Any(words))};
  if (!filter.pageCharset.empty()) {
    step.push_back(Named(steps::kPage, Any(PageDeclaring(filter.pageCharset, content))));
  }
  return step;
}

void CheckLoaded(OfficeSession& session, const Sequence<Any>& answer, sal_Int32 first, DocumentKind kind,
                 const std::string& path, const std::function<void()>& close) {
  const std::string cannotOpen = "The file " + path + " cannot be opened";
  if (answer.getLength() == 0) {
    session.Fail(errors::kCannotOpenFile, cannotOpen +
                                              ": it is damaged, protected by a password, or not "
                                              "a document the office can read.");
  }
  if (!LoadedAsNamed(answer, first, kind, path)) {
    close();
    session.Fail(errors::kCannotOpenFile,
                 cannotOpen + ": its content is not a " + KindNoun(kind) + " of the kind its name says.");
  }
}

Reference<css::lang::XComponent> LoadDocument(OfficeSession& session, const std::string& path,
                                              DocumentKind kind) {
  std::vector<css::beans::NamedValue> step = LoadArguments(session, path, kind);
  return session.Run(errors::kCannotOpenFile, "The file " + path + " cannot be opened", [&]() {
    const Sequence<Any> loaded = session.RunStep(steps::kLoad, std::move(step));
    Reference<css::lang::XComponent> document;
    if (loaded.getLength() > 0 && !(loaded[0] >>= document)) document.clear();
    CheckLoaded(session, document.is() ? loaded : Sequence<Any>(), 1, kind, path,
                [&]() { CloseDocument(document); });
    return document;
  });
}

void CloseDocument(const Reference<css::lang::XComponent>& document) {
  Reference<css::util::XCloseable> closeable(document, UNO_QUERY);
  try {
    if (closeable.is()) {
      closeable->close(true);
    } else if (document.is()) {
      document->dispose();
    }
  } catch (const css::uno::RuntimeException&) {
    throw;
  } catch (const css::uno::Exception&) {
    // Vetoed or already closed: the document goes with the frame anyway.
  }
}

}  // namespace pressmoor::office::libreoffice
