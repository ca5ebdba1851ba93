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
// Document, Url, Arguments -> (): stored, then closed; a failing close
// counts for nothing.
inline constexpr const char* kStoreAndClose = "StoreAndClose";

inline constexpr const char* kDocument = "Document";
inline constexpr const char* kHold = "Hold";
inline constexpr const char* kPage = "Page";
inline constexpr const char* kWithoutWindow = "WithoutWindow";
inline constexpr const char* kNames = "Names";
inline constexpr const char* kFrames = "Frames";
inline constexpr const char* kRelease = "Release";
inline constexpr const char* kUrl = "Url";
inline constexpr const char* kArguments = "Arguments";

// A page frame's properties, sorted, as setPropertyValues wants them.
inline constexpr const char* kFrameProperties[] = {"BottomMargin", "Height",    "IsLandscape", "LeftMargin",
                                                   "RightMargin",  "TopMargin", "Width"};
inline constexpr int kFramePropertyCount = 7;

}  // namespace pressmoor::office::libreoffice::steps
