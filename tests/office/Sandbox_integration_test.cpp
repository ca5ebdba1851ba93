// What a document reaches from inside the office's sandbox: its own folder
// and the system's files, read-only. Not the network, not the folders beside
// or above its own, not the user's home, not the rest of /etc.
#include <stdlib.h>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "LocalWebServer.h"
#include "OfficeComponent.h"
#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

struct Document {
  std::string name;
  std::string content;
  std::string words;  // in its PDF
};

class Sandbox : public ::testing::Test {
 protected:
  // The offices read no more than the folders of the documents announced.
  Sandbox() { bed_.factory.AllowFolders({}); }

  std::string Source(const std::string& name) const { return dir_.Sub("source/" + name); }

  // Writes `documents` into the source folder and converts them as a batch
  // does, announced first; returns the PDFs, which go to another folder.
  std::vector<std::string> Convert(const std::vector<Document>& documents) {
    std::vector<std::string> sources;
    for (const Document& document : documents) {
      if (!document.content.empty()) dir_.WriteFile("source/" + document.name, document.content);
      sources.push_back(Source(document.name));
    }
    bed_.factory.ExpectDocuments(sources);
    auto word = bed_.Word();
    word->ActivePrinter(driver::kPrinterName);
    std::vector<std::string> pdfs;
    for (const std::string& source : sources) {
      pdfs.push_back(dir_.Sub("out/" + std::filesystem::path(source).stem().string() + ".pdf"));
      word->Documents()->Open({source});
      word->ActiveDocument()->PrintOut({pdfs.back(), true});
      word->Documents()->Close({false});
    }
    word->Quit();
    return pdfs;
  }

  // Documents that ask for the web server: pages with a remote style sheet,
  // picture and frames, rich text with a picture field, and a Word document
  // with a linked picture (made by an office of its own, which may fetch it).
  std::vector<Document> RemoteDocuments() {
    const std::string page = "<html><head><link rel=\"stylesheet\" href=\"" + server_.Url("s.css") +
                             "\"></head><body><p>Styled page words</p><img src=\"" +
                             server_.Url("a.bmp") + "\"><iframe src=\"" + server_.Url("f.html") +
                             "\"></iframe></body></html>";
    const std::string frames = "<html><frameset cols=\"50%,50%\"><frame src=\"" + server_.Url("l.html") +
                               "\"><frame src=\"" + server_.Url("r.html") +
                               "\"><noframes><body><p>Framed page words</p></body></noframes>"
                               "</frameset></html>";
    const std::string richText = "{\\rtf1\\ansi Rich text words {\\field{\\*\\fldinst { INCLUDEPICTURE \"" +
                                 server_.Url("b.bmp") + "\" \\\\d }}{\\fldrslt {}}}\\par}";
    const std::string flat = dir_.WriteFile(
        "made/linked.fodt",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.2\" "
        "office:mimetype=\"application/vnd.oasis.opendocument.text\"><office:body><office:text>"
        "<text:p>Linked picture words<draw:frame draw:name=\"p\" text:anchor-type=\"as-char\" "
        "svg:width=\"2cm\" svg:height=\"2cm\"><draw:image xlink:href=\"" + server_.Url("c.bmp") +
        "\" xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>"
        "</text:p></office:text></office:body></office:document>");
    office::libreoffice::DocumentWriter().Convert(flat, Source("linked.doc"), "MS Word 97");
    server_.AwaitQuiet();
    return {{"styled.html", page, "Styled page words"},
            {"framed.html", frames, "Framed page words"},
            {"picture.rtf", richText, "Rich text words"},
            {"linked.doc", "", "Linked picture words"}};
  }

  OfficeTestbed bed_;
  TempDir dir_;
  CountingServer server_;
};

TEST_F(Sandbox, RemoteContentIsNeverFetchedAndTheTextIsPrinted) {
  const std::vector<Document> documents = RemoteDocuments();
  const int before = server_.Requests();
  const std::vector<std::string> pdfs = Convert(documents);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    EXPECT_NE(PdfText(pdfs[i]).find(documents[i].words), std::string::npos) << documents[i].name;
  }
  EXPECT_EQ(server_.Requests(), before);
}

// The control for the test above: its documents do ask for the server.
TEST_F(Sandbox, WithoutSandboxTheSameDocumentsReachTheServer) {
  const std::vector<Document> documents = RemoteDocuments();
  const int before = server_.Requests();
  setenv("PRESSMOOR_EVENT_LOG", dir_.Sub("events.log").c_str(), 1);
  setenv("PRESSMOOR_SANDBOX", "off", 1);
  Convert(documents);
  unsetenv("PRESSMOOR_SANDBOX");
  unsetenv("PRESSMOOR_EVENT_LOG");
  EXPECT_GT(server_.Requests(), before);
  EXPECT_NE(ReadBytes(dir_.Sub("events.log")).find("PRESSMOOR_SANDBOX=off"), std::string::npos);
}

TEST_F(Sandbox, OnlyPicturesInTheDocumentsOwnFolderArePrinted) {
  dir_.WriteFile("source/page_files/beside.bmp", Bitmap(40, 30));
  dir_.WriteFile("elsewhere/above.bmp", Bitmap(41, 31));
  const std::string absolute = dir_.WriteFile("elsewhere/absolute.bmp", Bitmap(42, 32));
  const std::vector<std::string> pdfs = Convert(
      {{"page.html",
        "<html><body><p>Pictures</p><img src=\"page_files/beside.bmp\"><img "
        "src=\"../elsewhere/above.bmp\"><img src=\"file://" + absolute + "\"></body></html>",
        "Pictures"}});
  EXPECT_EQ(PictureSizes(pdfs[0]), std::multiset<std::string>{"40x30"});
}

// Seen from outside, through the office's own view of the file system.
TEST_F(Sandbox, TheOfficeSeesItsFolderAndTheSystemButNothingElse) {
  const std::string home = getenv("HOME") != nullptr ? getenv("HOME") : "/root";
  const std::string beside = dir_.WriteFile("elsewhere/private.txt", "private\n");
  const std::string source = dir_.WriteFile("source/letter.txt", "letter\n");
  // A document linked in from elsewhere brings its file, not its folder.
  const std::string linked = dir_.WriteFile("elsewhere/linked.txt", "linked\n");
  std::filesystem::create_symlink(linked, Source("link.txt"));
  bed_.factory.ExpectDocuments({source, Source("link.txt")});
  auto word = bed_.Word();
  const std::vector<pid_t> offices = OfficeChildren();
  ASSERT_FALSE(offices.empty());
  const std::string root = "/proc/" + std::to_string(offices[0]) + "/root";
  struct Seen {
    std::string path;
    bool there;
  };
  for (const Seen& seen : std::vector<Seen>{{source, true},
                                            {linked, true},
                                            {"/usr/lib/libreoffice/program/soffice.bin", true},
                                            {office::libreoffice::ComponentFolder() + "/libpressmoor-office.so", true},
                                            {beside, false},
                                            {home, false},
                                            {"/etc/shadow", false},
                                            {bed_.dir.Path() + "/machine/registry.sqlite", false}}) {
    EXPECT_EQ(std::filesystem::exists(root + seen.path), seen.there) << seen.path;
  }
  const std::string passwd = ReadBytes(root + "/etc/passwd");
  EXPECT_EQ(std::count(passwd.begin(), passwd.end(), '\n'), 1) << "the office sees the machine's users";
  // No network: the interfaces listed after the two header lines are the
  // loopback alone.
  std::istringstream lines(ReadBytes("/proc/" + std::to_string(offices[0]) + "/net/dev"));
  std::vector<std::string> interfaces;
  for (std::string line; std::getline(lines, line);) interfaces.push_back(line.substr(0, line.find(':')));
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[2].substr(interfaces[2].find_first_not_of(' ')), "lo");
  word->Quit();
}

}  // namespace
}  // namespace pressmoor::testing
