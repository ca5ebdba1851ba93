// The names the office component and its callers agree on: the service that
// does a document's steps inside the office, and each step with the named
// arguments it takes. A step's result is a sequence of values, a row each,
// shaped as its comment says.
#pragma once

namespace pressmoor::office::libreoffice::steps {

inline constexpr const char* kService = "com.tarnwick.pressmoor.OfficeSteps";
inline constexpr const char* kImplementation = "com.tarnwick.pressmoor.comp.OfficeSteps";

// Which step a call does; every call names one.
inline constexpr const char* kStep = "Step";

// Url, Arguments (load properties), WithoutWindow, Hold[, Page] -> () when
// nothing loaded, else (document, text, web page, workbook, slides, import
// filter). The office asks no questions: any is answered "abort". Page: the
// bytes to read in place of the file, which still names the document.
// WithoutWindow: a text read into a model of its own. Hold: a text's layout
// is held until SetUpForPrint releases it.
inline constexpr const char* kLoad = "Load";
// Document -> (page styles, tables). Page styles: a row per style, (name,
// held, in use[, frame]); the frame (kFrameProperties in order) for a style
// that is held or in use. Tables: a row per table, (HoriOrient,
// IsWidthRelative, Width, LeftMargin, RightMargin, lies in the text area).
inline constexpr const char* kPageSetUp = "PageSetUp";
// Document, Names, Frames, Release -> (PDF export filter): the frames
// written, the layout released, the hidden view the export needs made.
inline constexpr const char* kSetUpForPrint = "SetUpForPrint";
// A document printed ahead in one call, its reference never leaving the
// office: the Load arguments, and Services (a document offering none of
// them is not printed), RefusedFilter (nor one read by an import filter
// whose name starts so; may be empty), PdfUrl and StoreArguments (where
// and how storeToURL writes the PDF; a word-processing document's export
// filter is the one SetUpForPrint names), WordSetUp (set up as SetUpForPrint does)[,
// PageSteps[, Paper]]. PageSteps: rows (is orientation, margin side, points,
// orientation) applied to the page styles as read, each refused step passed
// over; Paper: (width, height) in points, put under the styles first.
// -> () when nothing loaded, else (text, web page, workbook, slides, import
// filter, printed, set-up): printed is false when the document was not
// printed, for whatever cause; the document is closed either way. Set-up:
// () without PageSteps, else (frames read, tables read, frames printed),
// frames as rows (style name, frame values), tables as rows (alignment,
// width, left, right).
inline constexpr const char* kPrintAhead = "PrintAhead";

inline constexpr const char* kDocument = "Document";
inline constexpr const char* kHold = "Hold";
inline constexpr const char* kPage = "Page";
inline constexpr const char* kWithoutWindow = "WithoutWindow";
inline constexpr const char* kNames = "Names";
inline constexpr const char* kFrames = "Frames";
inline constexpr const char* kRelease = "Release";
inline constexpr const char* kUrl = "Url";
inline constexpr const char* kArguments = "Arguments";
inline constexpr const char* kServices = "Services";
inline constexpr const char* kRefusedFilter = "RefusedFilter";
inline constexpr const char* kPdfUrl = "PdfUrl";
inline constexpr const char* kStoreArguments = "StoreArguments";
inline constexpr const char* kWordSetUp = "WordSetUp";
inline constexpr const char* kPageSteps = "PageSteps";
inline constexpr const char* kPaper = "Paper";

// A page frame's properties, sorted, as setPropertyValues wants them.
inline constexpr const char* kFrameProperties[] = {"BottomMargin", "Height",    "IsLandscape", "LeftMargin",
                                                   "RightMargin",  "TopMargin", "Width"};
inline constexpr int kFramePropertyCount = 7;

}  // namespace pressmoor::office::libreoffice::steps
