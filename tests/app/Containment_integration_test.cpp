// Today's formats from strangers, through the real program: an Office Open
// XML document's external links and an OpenDocument file's open-event macro
// reach nothing outside the folder, and each still prints its own text.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../office/LocalWebServer.h"
#include "ProgramRun.h"
#include "StoredZip.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOfficeNamespaces =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:script=\"urn:oasis:names:tc:opendocument:xmlns:script:1.0\" "
    "xmlns:dom=\"http://www.w3.org/2001/xml-events\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.2\"";

// A Word document whose two pictures are external relationships, as a
// stranger's file may carry them.
std::string DocumentWithLinkedPictures(const std::vector<std::string>& urls) {
  std::string relationships, runs;
  for (std::size_t i = 0; i < urls.size(); ++i) {
    const std::string id = "rIdPicture" + std::to_string(i);
    relationships += "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                     "2006/relationships/image\" Target=\"" + urls[i] + "\" TargetMode=\"External\"/>";
    const std::string number = std::to_string(i + 1);
    runs += "<w:r><w:drawing><wp:inline><wp:extent cx=\"720000\" cy=\"720000\"/><wp:docPr id=\"" + number +
            "\" name=\"p" + number + "\"/><a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/"
            "drawingml/2006/picture\"><pic:pic><pic:nvPicPr><pic:cNvPr id=\"" + number + "\" name=\"p" + number +
            "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:link=\"" + id +
            "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
            "<a:ext cx=\"720000\" cy=\"720000\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
            "</pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>";
  }
  const std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document "
      "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
      "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
      "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
      "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body><w:p><w:r><w:t>"
      "Linked text words</w:t></w:r>" + runs + "</w:p></w:body></w:document>";
  const std::string packageRelationships =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
      "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"word/document.xml\"/></Relationships>";
  const std::string types =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
      "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
  return StoredZip({{"[Content_Types].xml", types},
                    {"_rels/.rels", packageRelationships},
                    {"word/document.xml", document},
                    {"word/_rels/document.xml.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                         relationships + "</Relationships>"}});
}

// An OpenDocument text whose Basic macro, bound to the open event, writes
// `witness` and adds words to the text.
std::string DocumentWithOpenMacro(const std::string& witness) {
  const std::string content =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content " + kOfficeNamespaces +
      "><office:scripts><office:event-listeners><script:event-listener script:language=\"ooo:script\" "
      "script:event-name=\"dom:load\" xlink:type=\"simple\" xlink:href=\"vnd.sun.star.script:"
      "Standard.Module1.Main?language=Basic&amp;location=document\"/></office:event-listeners>"
      "</office:scripts><office:body><office:text><text:p>Macro document words</text:p></office:text>"
      "</office:body></office:document-content>";
  const std::string module =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><script:module "
      "xmlns:script=\"http://openoffice.org/2000/script\" script:name=\"Module1\" "
      "script:language=\"StarBasic\">Sub Main\n"
      "  ThisComponent.getText().getEnd().setString(\" Macro ran\")\n  n = FreeFile\n  Open \"" + witness +
      "\" For Output As #n\n  Print #n, \"ran\"\n  Close #n\nEnd Sub\n</script:module>";
  const std::string library =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><library:library "
      "xmlns:library=\"http://openoffice.org/2000/library\" library:name=\"Standard\" "
      "library:readonly=\"false\" library:passwordprotected=\"false\"><library:element "
      "library:name=\"Module1\"/></library:library>";
  const std::string libraries =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><library:libraries "
      "xmlns:library=\"http://openoffice.org/2000/library\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">"
      "<library:library library:name=\"Standard\" library:link=\"false\"/></library:libraries>";
  const std::string manifest =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest:manifest "
      "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" manifest:version=\"1.2\">"
      "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"application/"
      "vnd.oasis.opendocument.text\"/><manifest:file-entry manifest:full-path=\"content.xml\" "
      "manifest:media-type=\"text/xml\"/><manifest:file-entry manifest:full-path=\"Basic/\" "
      "manifest:media-type=\"\"/><manifest:file-entry manifest:full-path=\"Basic/script-lc.xml\" "
      "manifest:media-type=\"text/xml\"/><manifest:file-entry manifest:full-path=\"Basic/Standard/\" "
      "manifest:media-type=\"\"/><manifest:file-entry manifest:full-path=\"Basic/Standard/script-lb.xml\" "
      "manifest:media-type=\"text/xml\"/><manifest:file-entry manifest:full-path=\"Basic/Standard/"
      "Module1.xml\" manifest:media-type=\"text/xml\"/></manifest:manifest>";
  return StoredZip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                    {"content.xml", content},
                    {"Basic/script-lc.xml", libraries},
                    {"Basic/Standard/script-lb.xml", library},
                    {"Basic/Standard/Module1.xml", module},
                    {"META-INF/manifest.xml", manifest}});
}

struct Made {
  std::string pdf;
  std::string words;
};

class Containment : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
    const std::string outside = "file://" + dir_.WriteFile("elsewhere/outside.bmp", Bitmap(42, 32));
    dir_.WriteFile("in/linked.docx", DocumentWithLinkedPictures({server_.Url("a.bmp"), outside}));
    dir_.WriteFile("in/macro.odt", DocumentWithOpenMacro(witness_));
  }

  // Converts the folder with today's formats; returns the exit status.
  int Convert(ProgramRun& run) {
    if (!run.InstallDriver()) return -2;
    requestsBefore_ = server_.Requests();
    run.Start({"-x", "-k", "-f", "*.*", "-s", dir_.Sub("in"), "-d", dir_.MakeDirectory("out")});
    const int status = run.Finish();
    server_.AwaitQuiet();
    return status;
  }

  int RequestsDuringRun() const { return server_.Requests() - requestsBefore_; }
  std::string Out(const std::string& name) const { return dir_.Sub("out/" + name); }

  TempDir dir_;
  CountingServer server_;
  std::string witness_ = dir_.Sub("elsewhere/macro-ran.txt");
  int requestsBefore_ = 0;
};

TEST_F(Containment, LinksAndMacrosReachNothingAndEachDocumentPrintsItsText) {
  ProgramRun run(dir_.Sub("state"), dir_.Sub("events.log"));
  ASSERT_EQ(Convert(run), 0);
  for (const Made& made : {Made{"linked.pdf", "Linked text words"}, Made{"macro.pdf", "Macro document words"}}) {
    ASSERT_TRUE(CompletePdf(Out(made.pdf))) << made.pdf;
    EXPECT_NE(PdfText(Out(made.pdf)).find(made.words), std::string::npos) << made.pdf;
    for (const char* outsidePicture : {"42x32", "8x8"}) EXPECT_EQ(PictureSizes(Out(made.pdf)).count(outsidePicture), 0u);
  }
  EXPECT_EQ(PdfText(Out("macro.pdf")).find("Macro ran"), std::string::npos);
  EXPECT_FALSE(fs::exists(witness_));
  EXPECT_EQ(RequestsDuringRun(), 0);
  EXPECT_TRUE(run.Leftovers().empty());
}

// The control: without the sandbox the same links are followed.
TEST_F(Containment, WithoutSandboxTheLinksAreFollowed) {
  ProgramRun run(dir_.Sub("state"), dir_.Sub("events.log"));
  run.Set("PRESSMOOR_SANDBOX=off");
  ASSERT_EQ(Convert(run), 0);
  EXPECT_GT(RequestsDuringRun(), 0);
  EXPECT_EQ(PictureSizes(Out("linked.pdf")).count("42x32"), 1u);
}

}  // namespace
}  // namespace pressmoor::testing
