// Word-processing files through "Word.Application" onto the Quillset printer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

using office::WordApplication;

class WordConversion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bed_ = std::make_unique<OfficeTestbed>();
    word_ = bed_->Word();
  }
  static void TearDownTestSuite() {
    word_->Quit();
    word_.reset();
    bed_.reset();
  }

  // The converter's sequence for one file; returns the PDF path.
  std::string Convert(const std::string& source, bool background = true,
                      const std::function<void(office::WordPageSetup&)>& pageSetup = {}) {
    const std::string pdf = output_.Sub(std::filesystem::path(source).stem().string() + ".pdf");
    word_->ActivePrinter(driver::kPrinterName);
    word_->Documents()->Open({source});
    word_->Options()->PrintBackground(background);
    if (pageSetup) {
      auto setup = word_->ActiveDocument()->PageSetup();
      pageSetup(*setup);
    }
    word_->Visible(false);
    word_->ActiveDocument()->PrintOut({pdf, true});
    while (word_->BackgroundPrintingStatus() > 0) {
    }
    word_->Documents()->Close({false});
    return pdf;
  }

  static inline std::unique_ptr<OfficeTestbed> bed_;
  static inline std::shared_ptr<WordApplication> word_;
  TempDir input_;
  TempDir output_;
};

TEST_F(WordConversion, EveryWordTypeKeepsItsTextIncludingNonAscii) {
  const std::string paragraph = "Converted " + kSampleWords;
  const std::vector<std::string> sources{
      Fixtures::Get().Path("letter.doc"),
      input_.WriteFile("memo.rtf", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Converted "
                                   "Gr\\'fc\\'dfe aus K\\'f6ln na\\'efve caf\\'e9\\par}"),
      input_.WriteFile("notes.txt", paragraph + "\n"),
      input_.WriteFile("page.htm", "<html><head><meta charset=\"utf-8\"></head><body>" +
                                       paragraph + "</body></html>"),
      // Text straight in <body>, which some office conversions print blank.
      input_.WriteFile("page2.html", "<html><body>" + paragraph + "</body></html>")};
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    const std::string pdf = Convert(source);
    EXPECT_NE(PdfText(pdf).find(source.ends_with(".doc") ? kSampleWords : paragraph),
              std::string::npos)
        << PdfText(pdf);
  }
}

TEST_F(WordConversion, TextEncodingIsDetected) {
  const std::string utf8 = "Grüße €";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases{
      {"bom8.txt", "\xEF\xBB\xBF" + utf8 + "\n"},
      {"plain8.txt", utf8 + "\n"},
      {"le16.txt", std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0""e\0 \0\xAC\x20\n\0", 18)},
      {"be16.txt", std::string("\xFE\xFF\0G\0r\0\xFC\0\xDF\0""e\0 \x20\xAC\0\n", 18)},
      {"ansi.txt", "Gr\xFC\xDF" "e \x80\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = PdfText(Convert(input_.WriteFile(c.name, c.bytes), false));
    EXPECT_NE(text.find(utf8), std::string::npos) << text;
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos) << "byte order mark printed";
  }
  // Legacy encodings, as plain text and as web pages that name no charset.
  for (const LegacySample& sample : kLegacySamples) {
    const std::string bytes = Encoded(sample.text, sample.encoding);
    const std::string stem = sample.encoding;
    const std::vector<std::pair<std::string, std::string>> files{
        {stem + ".txt", bytes + "\n"},
        {stem + ".html", "<html><body><p>" + bytes + "</p></body></html>"}};
    for (const auto& [name, content] : files) {
      SCOPED_TRACE(name);
      const std::string text = PdfText(Convert(input_.WriteFile(name, content), false));
      EXPECT_NE(text.find(sample.text), std::string::npos) << text;
    }
  }
}

// The fonts embedded in a PDF by their PostScript names, without the subset tag.
std::vector<std::string> EmbeddedFonts(const std::string& pdf) {
  std::istringstream lines(CommandOutput("pdffonts " + Quoted(pdf) + " 2>/dev/null"));
  std::vector<std::string> fonts;
  for (std::string line; std::getline(lines, line);) {
    const std::string name = line.substr(0, line.find(' '));
    if (name.size() > 7 && name[6] == '+') fonts.push_back(name.substr(7));
  }
  return fonts;
}

// True when the installed font of that PostScript name has a glyph for each
// of `codePoints` (hexadecimal, blank-separated). The office may name the
// face of a font collection with a suffix of its own ("-VKana").
bool FontCovers(std::string font, const std::string& codePoints) {
  for (;;) {
    const std::string named = "fc-list ':postscriptname=" + font;
    if (!CommandOutput(named + "' family").empty()) {
      return !CommandOutput(named + ":charset=" + codePoints + "' family").empty();
    }
    const std::size_t dash = font.rfind('-');
    if (dash == std::string::npos) return false;
    font.erase(dash);
  }
}

// The code points of `text` other than blanks, as fontconfig's charset
// pattern spells them.
std::string CodePoints(const std::string& text) {
  const std::string utf32 = Encoded(text, "UTF-32LE");
  std::ostringstream list;
  for (std::size_t i = 0; i + 4 <= utf32.size(); i += 4) {
    std::uint32_t code = 0;
    std::memcpy(&code, utf32.data() + i, 4);
    if (code > ' ') list << std::hex << code << ' ';
  }
  return list.str();
}

// A character no font has a glyph for prints as an empty box while the text
// layer still holds it, so extracting the text cannot tell: the PDF must
// carry a font that draws every letter of each script.
TEST_F(WordConversion, EveryScriptIsDrawnWithAFontThatHasItsLetters) {
  const std::vector<std::string> samples{"日本語と中文と한국어", "हिन्दी में लिखा पाठ",
                                         "نص عربي قصير"};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    SCOPED_TRACE(samples[i]);
    const std::string pdf =
        Convert(input_.WriteFile("script" + std::to_string(i) + ".txt", samples[i] + "\n"), false);
    ASSERT_NE(PdfText(pdf).find(samples[i]), std::string::npos) << PdfText(pdf);
    const std::vector<std::string> fonts = EmbeddedFonts(pdf);
    const std::string letters = CodePoints(samples[i]);
    EXPECT_TRUE(std::any_of(fonts.begin(), fonts.end(),
                            [&](const std::string& font) { return FontCovers(font, letters); }))
        << "no font of " << ::testing::PrintToString(fonts) << " covers " << letters;
  }
}

TEST_F(WordConversion, MarginsMoveTheTextAndLandscapeTurnsThePage) {
  const std::string source = input_.WriteFile("margins.txt", "Margin test\n");
  const auto margins = [](double left, double top, std::int32_t orientation) {
    return [=](office::WordPageSetup& setup) {
      setup.LeftMargin(left);
      setup.RightMargin(36);
      setup.TopMargin(top);
      setup.BottomMargin(36);
      setup.Orientation(orientation);
    };
  };
  const std::string portrait = Convert(source, true, margins(72, 72, 0));
  const PageSize portraitSize = PdfPageSize(portrait);
  EXPECT_LT(portraitSize.width, portraitSize.height);
  const auto [x1, y1] = FirstWordPosition(portrait);
  EXPECT_NEAR(x1, 72, 3);
  EXPECT_NEAR(y1, 72, 12);  // the line's ascent sits below the margin

  std::filesystem::rename(portrait, output_.Sub("portrait.pdf"));
  const std::string landscape = Convert(source, true, margins(144, 108, 1));
  const PageSize landscapeSize = PdfPageSize(landscape);
  EXPECT_NEAR(landscapeSize.width, portraitSize.height, 1);
  EXPECT_NEAR(landscapeSize.height, portraitSize.width, 1);
  const auto [x2, y2] = FirstWordPosition(landscape);
  EXPECT_NEAR(x2, 144, 3);
  EXPECT_NEAR(y2, 108, 12);
}

// Left edge, in points, of the first word on page `page`; -1 without one.
double FirstWordLeftOnPage(const std::string& pdf, int page) {
  const std::string range = std::to_string(page);
  const std::string boxes = CommandOutput("pdftotext -bbox -f " + range + " -l " + range + " " +
                                          Quoted(pdf) + " - 2>/dev/null");
  std::smatch match;
  if (!std::regex_search(boxes, match, std::regex(R"re(<word xMin="([0-9.]+)")re"))) return -1;
  return std::stod(match[1]);
}

// Plain text is laid out only once its page set-up is known: every page,
// not just the first, must carry the new margins, and no text may be lost.
TEST_F(WordConversion, MarginsReachEveryPageOfALongText) {
  std::string text;
  for (int line = 0; line < 400; ++line) text += "Line " + std::to_string(line) + " " + kSampleWords + "\n";
  text += "The very last line\n";
  const std::string source = input_.WriteFile("long.txt", text);
  const std::string pdf = Convert(source, true, [](office::WordPageSetup& setup) {
    setup.LeftMargin(90);
    setup.RightMargin(0);
    setup.TopMargin(0);
    setup.BottomMargin(0);
    setup.Orientation(1);
  });
  const int pages = PdfPageCount(pdf);
  ASSERT_GE(pages, 2);
  for (int page = 1; page <= pages; ++page) {
    EXPECT_NEAR(FirstWordLeftOnPage(pdf, page), 90, 3) << "page " << page;
  }
  const PageSize size = PdfPageSize(pdf);
  EXPECT_GT(size.width, size.height);
  EXPECT_NE(PdfText(pdf).find("The very last line"), std::string::npos);

  // A text closed unprinted leaves the next one unaffected.
  word_->Documents()->Open({source});
  word_->Documents()->Close({false});
  EXPECT_NE(PdfText(Convert(input_.WriteFile("next.txt", "Next\n"))).find("Next"), std::string::npos);
}

PageSize PdfPageSizeOf(const std::string& pdf, int page) {
  const std::string range = std::to_string(page);
  const std::string info = CommandOutput("pdfinfo -f " + range + " -l " + range + " " + Quoted(pdf) +
                                         " 2>/dev/null");
  std::smatch match;
  if (!std::regex_search(info, match, std::regex(R"(size:\s+([0-9.]+) x ([0-9.]+) pts)"))) return {};
  return {std::stod(match[1]), std::stod(match[2])};
}

// Before its layout a document shows no page style in use, yet its pages
// may land on several: a first page of its own, a section of another size,
// the office's style for web pages. The page set-up must reach all of them.
TEST_F(WordConversion, PageSetUpReachesEveryPageStyleTheDocumentHolds) {
  const std::vector<std::string> sources{
      input_.WriteFile("sections.rtf",
                       "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\sectd\\titlepg First page."
                       "\\page Second page.\\sect\\sectd\\lndscpsxn\\pgwsxn16838\\pghsxn11906 "
                       "Wide section.\\par}"),
      input_.WriteFile("web.htm", "<html><body><p>Web page</p></body></html>")};
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    const std::string pdf = Convert(source, true, [](office::WordPageSetup& setup) {
      setup.LeftMargin(40);
      setup.Orientation(1);
    });
    const int pages = PdfPageCount(pdf);
    ASSERT_EQ(pages, source.ends_with(".rtf") ? 3 : 1);
    for (int page = 1; page <= pages; ++page) {
      const PageSize size = PdfPageSizeOf(pdf, page);
      EXPECT_GT(size.width, size.height) << "page " << page;
      EXPECT_NEAR(FirstWordLeftOnPage(pdf, page), 40, 3) << "page " << page;
    }
  }
}

TEST_F(WordConversion, RefusedMarginLeavesTheOthersInForce) {
  const std::string source = input_.WriteFile("refused.txt", "Refused margins\n");
  const std::string pdf = Convert(source, true, [](office::WordPageSetup& setup) {
    for (const double bad : {-1.0, std::nan(""), 1e9, 5000.0}) {
      EXPECT_EQ(CaughtError([&] { setup.LeftMargin(bad); }).Number(), office::errors::kBadPageSetup)
          << bad;
    }
    setup.LeftMargin(100);
    // Right margin that leaves no room once the left one is in place.
    EXPECT_EQ(CaughtError([&] { setup.RightMargin(560); }).Number(), office::errors::kBadPageSetup);
    EXPECT_EQ(CaughtError([&] { setup.Orientation(7); }).Number(), office::errors::kBadPageSetup);
  });
  EXPECT_NEAR(FirstWordPosition(pdf).first, 100, 3);
  const PageSize size = PdfPageSize(pdf);
  EXPECT_LT(size.width, size.height);
}

// Left edge of the leftmost and right edge of the rightmost word on page 1,
// in points, off the page or not.
std::pair<double, double> WordSpan(const std::string& pdf) {
  const std::string boxes =
      CommandOutput("pdftotext -bbox -f 1 -l 1 " + Quoted(pdf) + " - 2>/dev/null");
  const std::regex word(R"re(<word xMin="(-?[0-9.]+)" yMin="-?[0-9.]+" xMax="(-?[0-9.]+)")re");
  std::pair<double, double> span{1e9, -1e9};
  const std::sregex_iterator end;
  for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word); it != end; ++it) {
    span = {std::min(span.first, std::stod((*it)[1])), std::max(span.second, std::stod((*it)[2]))};
  }
  return span;
}

// The office neither shrinks a table of fixed width nor keeps it on the
// page: a page set-up that would push one off is refused, and the page
// keeps what the document gave it.
TEST_F(WordConversion, PageSetUpThatWouldPushATableOffThePageIsRefused) {
  struct Case {
    const char* name;
    std::string layout;  // the page's and the table's
    std::vector<std::string> cells;
    const char* refused;
    bool landscape;
  };
  const std::vector<Case> cases{
      // 28 cm across, centred, on A4 turned sideways.
      {"wide.rtf",
       "\\paperw16838\\paperh11906\\landscape\\margl567\\margr567"
       "\\trowd\\trqc\\trgaph108\\cellx5292\\cellx10584\\cellx15876",
       {"Westmost", "Middle", "Eastmost"},
       "orientation",
       true},
      // Reaching out into the left margin by its cells' padding, as word
      // processors set tables out.
      {"indented.rtf",
       "\\trowd\\trgaph108\\trleft-108\\trpaddl108\\trpaddfl3\\cellx4680\\cellx9468",
       {"Westmost", "Eastmost"},
       "left",
       false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0" + c.layout;
    rtf += "\\pard\\intbl";
    for (const std::string& cell : c.cells) rtf += " " + cell + "\\cell";
    rtf += "\\row\\pard\\par}";
    std::string refused;
    const auto pageDefaults = [&](office::WordPageSetup& setup) {
      const std::pair<const char*, std::function<void()>> assignments[] = {
          {"left", [&] { setup.LeftMargin(0); }},
          {"right", [&] { setup.RightMargin(0); }},
          {"top", [&] { setup.TopMargin(0); }},
          {"bottom", [&] { setup.BottomMargin(0); }},
          {"orientation", [&] { setup.Orientation(0); }}};
      for (const auto& [name, assign] : assignments) {
        if (CaughtError(assign).Number() == office::errors::kBadPageSetup) refused += name;
      }
    };
    const std::string pdf = Convert(input_.WriteFile(c.name, rtf), true, pageDefaults);
    EXPECT_EQ(refused, c.refused);
    const PageSize size = PdfPageSize(pdf);
    EXPECT_EQ(size.width > size.height, c.landscape);
    const auto [left, right] = WordSpan(pdf);
    EXPECT_GE(left, 0);
    EXPECT_LE(right, size.width);
    const std::string text = PdfText(pdf);
    for (const std::string& cell : c.cells) EXPECT_NE(text.find(cell), std::string::npos) << text;
  }
}

TEST_F(WordConversion, ActivePrinterAcceptsOnlyInstalledPrintersAndItsFirstName) {
  auto word = bed_->Word();
  const std::string initial = word->ActivePrinter();
  EXPECT_EQ(CaughtError([&] { word->ActivePrinter("No Such Printer"); }).Number(),
            office::errors::kPrinterNotInstalled);
  word->ActivePrinter(driver::kPrinterName);
  EXPECT_EQ(word->ActivePrinter(), driver::kPrinterName);
  word->ActivePrinter(initial);
  EXPECT_EQ(word->ActivePrinter(), initial);
  word->Quit();
  EXPECT_EQ(CaughtError([&] { word->Documents(); }).Number(), office::errors::kObjectGone);
}

TEST_F(WordConversion, ActiveDocumentWithoutDocumentFails) {
  const office::AutomationError error = CaughtError([&] { word_->ActiveDocument(); });
  EXPECT_EQ(error.Number(), office::errors::kNoDocument);
  EXPECT_EQ(error.Source(), "Word.Application");
}

TEST_F(WordConversion, SecondPrintReplacesAnOlderPdfOnlyWhenComplete) {
  const std::string source = input_.WriteFile("again.txt", "First run " + kSampleWords + "\n");
  const std::string pdf = output_.Sub("again.pdf");
  WriteBytes(pdf, "older");
  Convert(source);
  EXPECT_NE(PdfText(pdf).find("First run"), std::string::npos);
  // Nothing but the PDF is left in the output directory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output_.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace pressmoor::testing
