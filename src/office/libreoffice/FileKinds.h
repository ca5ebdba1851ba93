// What a file's name promises: which filter reads it, and which filters
// the office may have chosen for it without it being a fake.
#pragma once

#include <string>

namespace pressmoor::office::libreoffice {

// Which office filter reads a file: forced by its name, or left to the
// office's type detection (empty filter).
struct LoadFilter {
  std::string name;
  std::string options;
  // A web page that names no charset is read as if it named this one;
  // empty to read the page as it is.
  std::string pageCharset;
};
// `content` is the whole file for plain text and web pages, its first bytes
// otherwise.
LoadFilter ChooseLoadFilter(const std::string& path, const std::string& content);

// True when the whole file is needed to choose the filter.
bool ReadWholeToChoose(const std::string& path);

// True when the filter reads into a word-processing document that needs no
// window until it is printed.
bool LoadsWithoutWindow(const LoadFilter& filter);

// False when the office read a file of this name with a filter that means
// "this is no such document" (random bytes read as plain text or CSV).
bool FilterFitsName(const std::string& path, const std::string& filterName);
// The start of the names of those filters; empty when every filter fits.
std::string RefusedFilterPrefix(const std::string& path);

// True for plain text and web pages: they carry no paper size of their own.
bool CarriesNoPaper(const std::string& path);

// Lower-case extension without the dot; empty when there is none.
std::string Extension(const std::string& path);

}  // namespace pressmoor::office::libreoffice
