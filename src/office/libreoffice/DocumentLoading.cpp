#include "DocumentLoading.h"

#include "UnoValues.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <osl/file.hxx>

#include <algorithm>
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

// Answers every question the office would put to a user with "abort", so a
// password prompt fails the load instead of waiting for someone.
class AbortingInteractionHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
 public:
  void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override {
    const Sequence<Reference<css::task::XInteractionContinuation>> choices =
        request->getContinuations();
    for (sal_Int32 i = 0; i < choices.getLength(); ++i) {
      Reference<css::task::XInteractionAbort> abort(choices[i], UNO_QUERY);
      if (abort.is()) {
        abort->select();
        return;
      }
    }
  }
};

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
Reference<css::io::XInputStream> PageDeclaring(OfficeSession& session, const std::string& charset,
                                               const std::string& page) {
  const std::string declared =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">" + page;
  const Any bytes(Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(declared.data()),
                                     static_cast<sal_Int32>(declared.size())));
  return Reference<css::io::XInputStream>(
      session.Context()->getServiceManager()->createInstanceWithArgumentsAndContext(
          "com.sun.star.io.SequenceInputStream", Sequence<Any>(&bytes, 1), session.Context()),
      UNO_QUERY_THROW);
}

// A path with no file URL is as good as a missing file.
::rtl::OUString DocumentUrl(const std::string& path) {
  ::rtl::OUString url = FileUrl(path);
  if (url.isEmpty()) throw css::lang::IllegalArgumentException();
  return url;
}

// What the office made of a file, asked in one call instead of five.
const BasicModule kLoadingBasic{"Loading", R"basic(Option Explicit

' Whether it is a text document, a web page, a spreadsheet, a presentation,
' and the import filter that read it ("" for a component that is no model). With bHold a
' text keeps the office from laying it out until its page set-up is done.
Function LoadedAs(oDoc As Object, bHold As Boolean) As Variant
  On Error GoTo Failed
  Dim aArgs As Variant, sFilter As String, i As Long
  Dim bText As Boolean, bWeb As Boolean, bSheet As Boolean, bSlides As Boolean
  If HasUnoInterfaces(oDoc, "com.sun.star.lang.XServiceInfo") Then
    bText = oDoc.supportsService("com.sun.star.text.TextDocument")
    bWeb = oDoc.supportsService("com.sun.star.text.WebDocument")
    bSheet = oDoc.supportsService("com.sun.star.sheet.SpreadsheetDocument")
    bSlides = oDoc.supportsService("com.sun.star.presentation.PresentationDocument")
  End If
  If HasUnoInterfaces(oDoc, "com.sun.star.frame.XModel") Then
    aArgs = oDoc.getArgs()
    For i = 0 To UBound(aArgs)
      If aArgs(i).Name = "FilterName" Then sFilter = aArgs(i).Value
    Next
  End If
  If bHold And (bText Or bWeb) Then oDoc.lockControllers()
  LoadedAs = Array(bText, bWeb, bSheet, bSlides, sFilter)
  Exit Function
Failed:
  LoadedAs = "LoadedAs: " & Error$ & " (" & Err & ")"
End Function
)basic"};

// Whether `document` is of `kind` and was read by a filter that fits the
// name of `path`; a word-processing document's layout is held from here.
bool LoadedAsNamed(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                   DocumentKind kind, const std::string& path) {
  const bool hold = kind == DocumentKind::WordProcessing;
  const Sequence<Any> loaded =
      BasicRows(session.CallBasic(kLoadingBasic, "LoadedAs", {Any(document), Any(hold)}));
  bool text = false;
  bool web = false;
  bool sheet = false;
  bool slides = false;
  ::rtl::OUString filter;
  if (loaded.getLength() != 5 || !(loaded[0] >>= text) || !(loaded[1] >>= web) || !(loaded[2] >>= sheet) ||
      !(loaded[3] >>= slides) || !(loaded[4] >>= filter)) {
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

// A document read into a model of its own, without a window: the office
// lays it out only when it is printed, after its page set-up, instead of
// once on loading and again for the new margins.
Reference<css::lang::XComponent> LoadWithoutWindow(OfficeSession& session, const ::rtl::OUString& url,
                                                   std::vector<PropertyValue> arguments) {
  Reference<css::frame::XLoadable> loadable(
      session.Context()->getServiceManager()->createInstanceWithContext(
          "com.sun.star.text.TextDocument", session.Context()),
      UNO_QUERY_THROW);
  arguments.push_back(Property("URL", Any(url)));
  Reference<css::lang::XComponent> document(loadable, UNO_QUERY_THROW);
  try {
    loadable->load(
        Sequence<PropertyValue>(arguments.data(), static_cast<sal_Int32>(arguments.size())));
  } catch (const css::uno::RuntimeException&) {
    throw;
  } catch (const css::uno::Exception&) {
    CloseDocument(document);
    throw;
  }
  return document;
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

Reference<css::lang::XComponent> LoadDocument(OfficeSession& session, const std::string& path,
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
  const std::string cannotOpen = "The file " + path + " cannot be opened";
  return session.Run(errors::kCannotOpenFile, cannotOpen, [&]() {
    std::vector<PropertyValue> arguments{
        Property("Hidden", Any(true)),
        Property("ReadOnly", Any(true)),
        Property("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
        Property("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)),
        Property("InteractionHandler",
                 Any(Reference<css::task::XInteractionHandler>(new AbortingInteractionHandler())))};
    if (!filter.name.empty()) arguments.push_back(Property("FilterName", Any(ToUno(filter.name))));
    if (!filter.options.empty()) {
      arguments.push_back(Property("FilterOptions", Any(ToUno(filter.options))));
    }
    if (!filter.pageCharset.empty()) {
      arguments.push_back(
          Property("InputStream", Any(PageDeclaring(session, filter.pageCharset, content))));
    }
    const ::rtl::OUString url = DocumentUrl(NameTheOfficeReads(session, path));
    Reference<css::lang::XComponent> document =
        kind == DocumentKind::WordProcessing && LoadsWithoutWindow(filter)
            ? LoadWithoutWindow(session, url, arguments)
            : session.Loader()->loadComponentFromURL(
                  url, "_blank", 0,
                  Sequence<PropertyValue>(arguments.data(),
                                          static_cast<sal_Int32>(arguments.size())));
    if (!document.is()) {
      session.Fail(errors::kCannotOpenFile, cannotOpen +
                                                ": it is damaged, protected by a password, or not "
                                                "a document the office can read.");
    }
    if (!LoadedAsNamed(session, document, kind, path)) {
      CloseDocument(document);
      session.Fail(errors::kCannotOpenFile,
                   cannotOpen + ": its content is not a " + KindNoun(kind) +
                       " of the kind its name says.");
    }
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
