// Every name by which Pressmoor finds and addresses the Quillset PDF printer.
#pragma once

namespace pressmoor::driver {

inline constexpr const char* kPrinterName = "Quillset";

// Output file name for the spreadsheet path, read by the driver when a job
// reaches it: application "Tarnwick", section "Quillset", value "PDFFileName".
inline constexpr const char* kSettingsApplication = "Tarnwick";
inline constexpr const char* kSettingsSection = "Quillset";
inline constexpr const char* kOutputFileNameValue = "PDFFileName";

// The driver's preferences beside it, read afresh for every job: "PDFFormat"
// (empty for plain PDF, or one of kPdfFormats), "PaperSize" (a libpaper
// name, for documents that carry no paper of their own), "TaggedPDF" ("1").
inline constexpr const char* kPdfFormatValue = "PDFFormat";
inline constexpr const char* kPaperSizeValue = "PaperSize";
inline constexpr const char* kTaggedPdfValue = "TaggedPDF";
inline constexpr const char* kPdfFormats[] = {"PDF/A-1b", "PDF/A-2b", "PDF/A-3b"};

// Version keys under HKEY_LOCAL_MACHINE, each with a value "version".
inline constexpr const char* kVersionKey = "SOFTWARE\\Tarnwick\\Quillset";
inline constexpr const char* kProVersionKey = "SOFTWARE\\Tarnwick\\Quillset Pro";
inline constexpr const char* kVersionValue = "version";
inline constexpr const char* kInstalledVersion = "1.20";

// Helper program below the system directory, x86 candidate first.
inline constexpr const char* kHelperX86 = "/spool/drivers/w32x86/3/quillset.exe";
inline constexpr const char* kHelperX64 = "/spool/drivers/x64/3/quillset.exe";
inline constexpr const char* kHelperArguments = " -product Pressmoor";

inline constexpr const char* kDownloadAddress = "https://tarnwick.example/quillset";

}  // namespace pressmoor::driver
